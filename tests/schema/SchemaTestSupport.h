#pragma once
// Helpers shared by the schema tests: reading single values, and the check that the period
// totals kept by the journal triggers agree with the journal rows.

#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace schematest {

// The first column of the first row ("<no row>" when there is none), in a transaction of its own.
inline QString scalar(core::TIBDatabase& db, const QString& sql) {
    core::TIBTransaction t;
    t.addDatabase(&db);
    t.startTransaction();
    core::TIBSQL q(&db, &t);
    q.sql() << sql;
    q.execQuery();
    const QString value = q.eof() ? QStringLiteral("<no row>") : q.fields(0).asString();
    q.close();
    t.commit();
    return value;
}

inline int count(core::TIBDatabase& db, const QString& sql) { return scalar(db, sql).toInt(); }

inline void exec(core::TIBDatabase& db, const QString& sql) {
    core::TIBTransaction t;
    t.addDatabase(&db);
    t.startTransaction();
    core::TIBSQL q(&db, &t);
    q.sql() << sql;
    q.execSQL();
    t.commit();
}

// Counts the KAMOKU_MS rows whose four amounts differ from the sums of the journal lines that
// the totals should hold: live lines (DELFLG 0) other than the listed SIWAKE rows.
inline int periodTotalMismatches(core::TIBDatabase& db, const QString& excludedRecs = QStringLiteral("0")) {
    const QString lines = QStringLiteral(
                              "FROM SIWAKE S WHERE S.DELFLG=0 AND S.REC NOT IN (%1) AND S.SCODE=M.SCODE AND S.KCODE=M.KCODE "
                              "AND S.HCODE=M.HCODE AND S.BCODE=M.BCODE AND S.MNUM=M.MNUM AND S.TAISHAKU=")
                              .arg(excludedRecs);
    return count(db, QStringLiteral("SELECT COUNT(*) FROM KAMOKU_MS M WHERE "
                                    "M.KAR_NUK<>COALESCE((SELECT SUM(S.NUK) %1 1),0) OR "
                                    "M.KAR_TAX<>COALESCE((SELECT SUM(S.ZEI) %1 1),0) OR "
                                    "M.KAS_NUK<>COALESCE((SELECT SUM(S.NUK) %1 2),0) OR "
                                    "M.KAS_TAX<>COALESCE((SELECT SUM(S.ZEI) %1 2),0)")
                         .arg(lines));
}

// The same for the consumption-tax totals (KAMOKU_TAX by facility, tax kind and period; the
// samples keep no tax departments).
inline int taxTotalMismatches(core::TIBDatabase& db, const QString& excludedRecs = QStringLiteral("0")) {
    const QString lines = QStringLiteral("FROM SIWAKE S WHERE S.DELFLG=0 AND S.REC NOT IN (%1) AND S.SCODE=X.SCODE "
                                         "AND S.TAXUH=X.KKUBUN AND S.MNUM=X.MNUM AND S.TAISHAKU=")
                              .arg(excludedRecs);
    return count(db, QStringLiteral("SELECT COUNT(*) FROM KAMOKU_TAX X WHERE "
                                    "X.KAR<>COALESCE((SELECT SUM(S.ZEI) %1 1),0) OR "
                                    "X.KAS<>COALESCE((SELECT SUM(S.ZEI) %1 2),0)")
                         .arg(lines));
}

} // namespace schematest
