// The era table and the schema version of the system database.
#include "core/dm/TDM.h"

#include "core/Globals.h"
#include "core/dates/Gengo.h"

namespace core {

void TDM::LoadGengoTable() {
    // The rows are collected first: a read that fails half-way gives the built-in eras rather
    // than a table that lacks the older ones.
    TGengoArray rows;
    try {
        TransactionScope scope(IBTransactionDEF);
        try {
            TIBSQL q(&IBDatabaseDEF, &IBTransactionDEF);
            q.sql() = QStringList{QStringLiteral("SELECT COUNT(*) AS RECCNT FROM GENGO")};
            q.execQuery();
            if (!q.eof())
                rows.reserve(q.fieldByName(QStringLiteral("RECCNT")).asInteger());
            q.close();
            q.sql() = QStringList{QStringLiteral("SELECT GNAME,GSIGN,STARTDATE,YEAROFFSET FROM GENGO"),
                                  QStringLiteral("ORDER BY YEAROFFSET DESC")};
            for (q.execQuery(); !q.eof(); q.next()) {
                TGengoRec era;
                era.name = q.fieldByName(QStringLiteral("GNAME")).asString();
                era.shortName = q.fieldByName(QStringLiteral("GSIGN")).asString();
                era.startDate = q.fieldByName(QStringLiteral("STARTDATE")).asDate();
                era.startYear = q.fieldByName(QStringLiteral("YEAROFFSET")).asInteger();
                rows.append(era);
            }
            q.close();
        } catch (const std::exception&) {
            rows.clear();
        }
        scope.commit();
    } catch (const std::exception&) {
        rows.clear();
    }
    FillGengoTable(rows);
}

void TDM::GetSystemVersion() {
    try {
        TransactionScope scope(IBTransactionDEF);
        TIBSQL q(&IBDatabaseDEF, &IBTransactionDEF);
        q.sql() = QStringList{QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM VERSION"),
                              QStringLiteral("ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC")};
        q.execQuery();
        if (!q.eof()) {
            const qint32 major = q.fieldByName(QStringLiteral("MAJOR")).asInteger();
            const qint32 minor1 = q.fieldByName(QStringLiteral("MINOR1")).asInteger();
            const qint32 minor2 = q.fieldByName(QStringLiteral("MINOR2")).asInteger();
            SystemDef.SysDbMajor = major;
            SystemDef.SysDbMinor1 = minor1;
            SystemDef.SysDbMinor2 = minor2;
        }
        q.close();
        scope.commit();
    } catch (const std::exception&) {
        SystemDef.SysDbMajor = 0;
        SystemDef.SysDbMinor1 = 0;
        SystemDef.SysDbMinor2 = 0;
    }
}

} // namespace core
