#include "schema/sample/JournalWriter.h"

#include "core/Currency.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

#include <QDateTime>
#include <QHash>

#include <stdexcept>

namespace schema::sample {
namespace {

using core::Currency;

struct Names {
    QHash<QString, QString> kname;            // kcode -> account name
    QHash<QString, QString> kgroup;           // kcode -> GROUPM1
    QHash<QString, QString> hname;            // kcode + '\t' + hcode -> sub-account name
    QHash<QString, QString> bname;            // bcode -> department name
};

Names namesOf(const CompanyProfile& p) {
    Names n;
    for (const Account& a : p.accounts) {
        n.kname.insert(a.kcode, a.name);
        n.kgroup.insert(a.kcode, a.groupM1);
        for (const SubAccount& s : a.subs)
            n.hname.insert(a.kcode + QLatin1Char('\t') + s.hcode, s.name);
    }
    for (const Department& d : p.departments)
        n.bname.insert(d.bcode, d.name);
    return n;
}

int scalar(core::TIBDatabase& db, core::TIBTransaction& t, const QString& sql) {
    core::TIBSQL q(&db, &t);
    q.sql() << sql;
    q.execQuery();
    return q.eof() ? 0 : q.fields(0).asInteger();
}

QString generatorOf(const QString& scode) {
    const QString code = scode.trimmed();
    bool numeric = false;
    const int n = code.toInt(&numeric);
    return QStringLiteral("SIWAKE%1_GEN").arg(numeric && code.size() <= 2 ? n : 0, 2, 10, QLatin1Char('0'));
}

} // namespace

int writeJournal(core::TIBDatabase& company, const CompanyProfile& profile, const QList<JournalEntry>& entries) {
    const Names names = namesOf(profile);
    core::TIBTransaction t;
    t.addDatabase(&company);
    t.startTransaction();

    int swkrec = scalar(company, t, QStringLiteral("SELECT GEN_ID(SIWAKE_REC_GEN,0) FROM RDB$DATABASE"));
    QHash<QString, int> sitrec;      // generator -> last running number
    QHash<QDate, int> sdaynum;       // date -> last order within the date

    core::TIBSQL row(&company, &t);
    row.sql() << QStringLiteral("INSERT INTO SIWAKE(REC,SWKREC,SWKNO,DELFLG,TAISHAKU,HIZUKE,MNUM,KESSAN,SDAYNUM,MDAYNUM,DNUM,")
              << QStringLiteral("SCODE,SITREC,KGROUP,KCODE,HCODE,BCODE,KNAME,HNAME,BNAME,TAXCODE,TAXUH,NUK,ZEI,RIT,")
              << QStringLiteral("R_KGROUP,R_KCODE,R_HCODE,R_BCODE,R_KNAME,R_HNAME,R_BNAME,R_TAXCODE,R_TAXUH,R_NUK,R_ZEI,R_RIT,")
              << QStringLiteral("KINGAKU,ZEIGAKU,TEKTEXT,RTIME,OPCODE)")
              << QStringLiteral("VALUES(:REC,:SWKREC,:SWKREC,0,:TAISHAKU,:HIZUKE,:MNUM,:KESSAN,:SDAYNUM,0,:DNUM,")
              << QStringLiteral(":SCODE,:SITREC,:KGROUP,:KCODE,:HCODE,:BCODE,:KNAME,:HNAME,:BNAME,:TAXCODE,:TAXUH,:NUK,:ZEI,:RIT,")
              << QStringLiteral(":R_KGROUP,:R_KCODE,:R_HCODE,:R_BCODE,:R_KNAME,:R_HNAME,:R_BNAME,:R_TAXCODE,:R_TAXUH,:R_NUK,:R_ZEI,:R_RIT,")
              << QStringLiteral(":KINGAKU,:ZEIGAKU,:TEKTEXT,:RTIME,:OPCODE)");
    core::TIBSQL link(&company, &t);
    link.sql() << QStringLiteral("INSERT INTO SIWAKE2(REC,SWKREC,LINKKEY,LINKKUB,LINKREC) VALUES(:REC,:SWKREC,'',0,0)");

    const QDateTime stamp(profile.kimatu, QTime(18, 0));
    auto side = [&](const QString& prefix, const JournalSide& s) {
        if (!names.kname.contains(s.kcode))
            throw std::logic_error("sample entry with an unknown account " + s.kcode.toStdString());
        row.paramByName(prefix + QStringLiteral("KGROUP")).setString(names.kgroup.value(s.kcode));
        row.paramByName(prefix + QStringLiteral("KCODE")).setString(s.kcode);
        row.paramByName(prefix + QStringLiteral("HCODE")).setString(s.hcode);
        row.paramByName(prefix + QStringLiteral("BCODE")).setString(s.bcode);
        row.paramByName(prefix + QStringLiteral("KNAME")).setString(names.kname.value(s.kcode));
        row.paramByName(prefix + QStringLiteral("HNAME")).setString(names.hname.value(s.kcode + QLatin1Char('\t') + s.hcode));
        row.paramByName(prefix + QStringLiteral("BNAME")).setString(names.bname.value(s.bcode));
        row.paramByName(prefix + QStringLiteral("TAXCODE")).setInteger(s.taxCode);
        row.paramByName(prefix + QStringLiteral("TAXUH")).setInteger(s.taxUh);
        row.paramByName(prefix + QStringLiteral("NUK")).setCurrency(Currency::fromInt(s.net));
        row.paramByName(prefix + QStringLiteral("ZEI")).setCurrency(Currency::fromInt(s.tax));
        row.paramByName(prefix + QStringLiteral("RIT")).setCurrency(Currency::fromInt(s.taxUh ? 10 : 0));
    };

    int written = 0;
    for (const JournalEntry& e : entries) {
        if (e.debit.gross() != e.credit.gross())
            throw std::logic_error("unbalanced sample entry: " + e.tekiyo.toStdString());
        ++swkrec;
        const QString generator = generatorOf(e.scode);
        if (!sitrec.contains(generator))
            sitrec.insert(generator, scalar(company, t, QStringLiteral("SELECT GEN_ID(%1,0) FROM RDB$DATABASE").arg(generator)));
        if (!sdaynum.contains(e.date)) {
            core::TIBSQL last(&company, &t);
            last.sql() << QStringLiteral("SELECT MAX(SDAYNUM) FROM SIWAKE WHERE HIZUKE=:HIZUKE");
            last.paramByName(QStringLiteral("HIZUKE")).setDate(e.date);
            last.execQuery();
            sdaynum.insert(e.date, last.eof() ? 0 : last.fields(0).asInteger());
        }
        const int running = ++sitrec[generator];
        const int order = ++sdaynum[e.date];
        const JournalSide& taxedSide = e.debit.tax ? e.debit : e.credit;
        row.paramByName(QStringLiteral("SWKREC")).setInteger(swkrec);
        row.paramByName(QStringLiteral("HIZUKE")).setDate(e.date);
        row.paramByName(QStringLiteral("MNUM")).setInteger(e.mnum);
        row.paramByName(QStringLiteral("KESSAN")).setInteger(e.kessan);
        row.paramByName(QStringLiteral("SDAYNUM")).setInteger(order);
        row.paramByName(QStringLiteral("DNUM")).setInteger(swkrec);
        row.paramByName(QStringLiteral("SCODE")).setString(e.scode);
        row.paramByName(QStringLiteral("SITREC")).setInteger(running);
        row.paramByName(QStringLiteral("KINGAKU")).setCurrency(Currency::fromInt(e.debit.gross()));
        row.paramByName(QStringLiteral("ZEIGAKU")).setCurrency(Currency::fromInt(taxedSide.tax));
        row.paramByName(QStringLiteral("TEKTEXT")).setString(e.tekiyo);
        row.paramByName(QStringLiteral("RTIME")).setDateTime(stamp);
        row.paramByName(QStringLiteral("OPCODE")).setInteger(100000010);
        for (int taishaku = 1; taishaku <= 2; ++taishaku) {
            const int rec = swkrec * 2 - (taishaku == 1 ? 1 : 0);
            const JournalSide& own = taishaku == 1 ? e.debit : e.credit;
            const JournalSide& other = taishaku == 1 ? e.credit : e.debit;
            row.paramByName(QStringLiteral("REC")).setInteger(rec);
            row.paramByName(QStringLiteral("TAISHAKU")).setInteger(taishaku);
            side(QString(), own);
            side(QStringLiteral("R_"), other);
            row.execSQL();
            link.paramByName(QStringLiteral("REC")).setInteger(rec);
            link.paramByName(QStringLiteral("SWKREC")).setInteger(swkrec);
            link.execSQL();
            ++written;
        }
    }

    // Move the generators past what was written (entries made later continue the numbers).
    core::TIBSQL gen(&company, &t);
    gen.sql() << QStringLiteral("SELECT GEN_ID(SIWAKE_REC_GEN, %1 - GEN_ID(SIWAKE_REC_GEN, 0)) FROM RDB$DATABASE").arg(swkrec);
    gen.execQuery();
    gen.close();
    for (auto it = sitrec.cbegin(); it != sitrec.cend(); ++it) {
        core::TIBSQL g(&company, &t);
        g.sql() << QStringLiteral("SELECT GEN_ID(%1, %2 - GEN_ID(%1, 0)) FROM RDB$DATABASE").arg(it.key()).arg(it.value());
        g.execQuery();
    }
    t.commit();
    return written;
}

} // namespace schema::sample
