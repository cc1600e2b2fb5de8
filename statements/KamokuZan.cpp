#include "statements/KamokuZan.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/QueryFactory.h"

#include <stdexcept>

namespace statements {

namespace {

const QString CompanyDatabase = QStringLiteral("ACCDAT");

core::TIBTransaction& companyTransaction() {
    if (!core::DM)
        throw std::logic_error("no data module");
    return core::DM->IBTransactionDAT;
}

// Binds the codes whose parameters the statement's text names.
void bindKeys(core::TIBQuery& query, const TKamokuKeys& keys) {
    const QString text = query.sql().join(QLatin1Char('\n'));
    const auto bind = [&](const QString& name, const QString& value) {
        if (text.contains(QLatin1Char(':') + name))
            query.paramByName(name).setString(value);
    };
    bind(QStringLiteral("SCODE"), keys.SCODE);
    bind(QStringLiteral("BCODE"), keys.BCODE);
    bind(QStringLiteral("HCODE"), keys.HCODE);
    bind(QStringLiteral("KCODE"), keys.KCODE);
}

// The opening condition and the sums filter of a balance read, by the codes given.
struct Conditions {
    QString opening;
    QString sums;
};

Conditions conditionsFor(bool s, bool b, bool h) {
    const QString tail = QStringLiteral("GROUP BY MNUM ORDER BY MNUM ");
    QString opening;
    QString where;
    if (s) {
        opening = QStringLiteral("SCODE=:SCODE AND KCODE=:KCODE ");
        where = QStringLiteral("WHERE SCODE=:SCODE AND KCODE=:KCODE ");
    } else {
        opening = QStringLiteral("KCODE=:KCODE ");
        where = QStringLiteral("WHERE KCODE=:KCODE ");
    }
    if (b)
        opening += QStringLiteral("AND BCODE =:BCODE ");
    if (h)
        opening += QStringLiteral("AND HCODE =:HCODE ");
    if (h)
        where += QStringLiteral("AND HCODE=:HCODE ");
    if (b)
        where += QStringLiteral("AND BCODE=:BCODE ");
    return {opening, where + tail};
}

} // namespace

QString trimCode(const QString& code) {
    qsizetype first = 0;
    qsizetype last = code.size();
    while (first < last && code.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && code.at(last - 1).unicode() <= 0x20)
        --last;
    return code.mid(first, last - first);
}

QString taxQueryFor(bool s, bool b, int k) {
    const QString head = QStringLiteral("SELECT MNUM,KAR,KAS FROM KAMOKU_TAX ");
    if (s && b)
        return head + QStringLiteral("WHERE (KKUBUN=%1 AND SCODE=:SCODE AND BCODE=:BCODE)").arg(k);
    if (s) // the department clause of this form always holds: no department is given here
        return head + QStringLiteral("WHERE(SCODE=:SCODE)AND(KKUBUN=%1) ").arg(k);
    if (b)
        return head + QStringLiteral("WHERE(KKUBUN=%1 AND BCODE=:BCODE) ").arg(k);
    return head + QStringLiteral("WHERE(KKUBUN=%1) ").arg(k);
}

std::unique_ptr<core::TIBQuery> companyQuery() {
    auto query = core::CreateIBQuery(CompanyDatabase, false);
    if (!query)
        throw std::logic_error("no data module");
    return query;
}

bool inPeriodRange(int m) { return m >= TPeriodArray::Low && m <= TPeriodArray::High; }

int taxGroupOf(const QString& KCODE) {
    const QString karibarai = core::AccInf.SysKCode[core::skKaribaraiZei];
    const QString kariuke = core::AccInf.SysKCode[core::skKariukeZei];
    if (!karibarai.isEmpty() && KCODE == karibarai)
        return 2;
    if (!kariuke.isEmpty() && KCODE == kariuke)
        return 1;
    return 0;
}

QString monthSumColumns() {
    return QStringLiteral("SUM(KAR_NUK)AS LNUK,SUM(KAR_TAX)AS LTAX,SUM(KAS_NUK)AS RNUK,SUM(KAS_TAX)AS RTAX,"
                          "SUM(KAR_IKKATSU)AS LIKKATSU,SUM(KAS_IKKATSU)AS RIKKATSU");
}

bool fnGetKamokuRec_Sub(const QString& KCODE, TBALANCE& row) {
    TKMKREC& k = row.KMK;
    const QString groupR1 = k.GROUPR1;
    const QString groupR2 = k.GROUPR2;
    k = TKMKREC{};
    k.GROUPR1 = groupR1; // not part of the account's master row here
    k.GROUPR2 = groupR2;

    auto query = companyQuery();
    core::TransactionScope scope(companyTransaction());
    try {
        query->sql() << QStringLiteral("SELECT * FROM KAMOKUMST WHERE KCODE=:KCODE");
        query->paramByName(QStringLiteral("KCODE")).setString(KCODE);
        query->execQuery();
        const bool found = !query->eof();
        if (found) {
            const auto text = [&](const char* name) { return query->fieldByName(QLatin1String(name)).asString(); };
            const auto number = [&](const char* name) { return query->fieldByName(QLatin1String(name)).asInteger(); };
            k.KCODE = text("KCODE");
            k.USERCODE = text("USERCODE");
            k.REC = number("REC");
            k.GROUPM1 = text("GROUPM1");
            k.GROUPM2 = text("GROUPM2");
            k.KKANA = text("KKANA");
            k.KNAME = text("KNAME");
            k.USE = number("USE");
            k.BLDAC = number("BLDAC");
            k.DAC = number("DAC");
            k.DELFLG = number("DELFLG");
            k.TAX_LCODE = number("TAX_LCODE");
            k.TAX_RCODE = number("TAX_RCODE");
            k.TAX_NUM = number("TAX_NUM");
            k.FUN_LCODE = number("FUN_LCODE");
            k.FUN_RCODE = number("FUN_RCODE");
            k.HOJOSW = text("HOJOSW").trimmed();
            k.BPFLG = text("BPFLG");
            k.KEIHKUBU = text("KEIHKUBU").trimmed();
            k.EXT1_A4 = number("EXT1_A4");
            k.EXT1_A3 = number("EXT1_A3");
            k.EXT1_KS = number("EXT1_KS");
            k.USEDEF = number("USEDEF");
            k.ZEIRITUKBN = number("ZEIRITUKBN");
        }
        query->close();
        scope.commit();
        return found;
    } catch (const core::EIBError& e) {
        core::ReportFbError(e, QStringLiteral("ERROR（fnGetKamokuRec_Sub）"));
        throw; // the scope rolls back what it started
    }
}

void pub_pcGetKaisiZan(TBALANCE& row, const QString& condition, const TKamokuKeys& keys, qint32 taxExcluded) {
    auto query = companyQuery();
    core::TransactionScope scope(companyTransaction());
    try {
        query->sql() << (taxExcluded != 0 ? QStringLiteral("SELECT SUM(KISHU_NUKI) FROM KAMOKU_SZ WHERE ")
                                          : QStringLiteral("SELECT SUM(KISHU_KOMI) FROM KAMOKU_SZ WHERE "))
                            + condition;
        bindKeys(*query, keys);
        query->execQuery();
        const Currency opening = query->eof() ? Currency{} : query->fields(0).asCurrency();
        query->close();
        scope.commit();
        row.KAISIZAN = opening;
    } catch (const core::EIBError& e) {
        core::ReportFbError(e, QStringLiteral("ERROR（pub_pcGetKaisiZan）"));
        throw;
    }
}

void pubpcGetKamokuZan(TBALANCE& row, qint32 mode, const QString& sumsQuery, const QString& taxQuery,
                       const TKamokuKeys& keys) {
    for (int p = 0; p <= 16; ++p) {
        row.KAR[p] = Currency{};
        row.KAS[p] = Currency{};
        row.HASSEI[p] = Currency{};
        row.ZANDAKA[p] = Currency{};
    }
    auto query = companyQuery();
    core::TransactionScope scope(companyTransaction());
    try {
        query->sql() << sumsQuery;
        bindKeys(*query, keys);
        for (query->execQuery(); !query->eof(); query->next()) {
            const int m = query->fieldByName(QStringLiteral("MNUM")).asInteger();
            if (!inPeriodRange(m))
                continue;
            const auto amount = [&](const char* name) { return query->fieldByName(QLatin1String(name)).asCurrency(); };
            if (mode == 0) {
                row.KAR[m] = amount("LNUK") + amount("LTAX");
                row.KAS[m] = amount("RNUK") + amount("RTAX");
            } else {
                row.KAR[m] = amount("LNUK") - amount("LIKKATSU");
                row.KAS[m] = amount("RNUK") - amount("RIKKATSU");
            }
        }
        query->close();
        if (mode == 1 && !taxQuery.isEmpty()) {
            query->sql().clear();
            query->sql() << taxQuery;
            bindKeys(*query, keys);
            for (query->execQuery(); !query->eof(); query->next()) {
                const int m = query->fields(0).asInteger();
                if (!inPeriodRange(m))
                    continue;
                row.KAR[m] += query->fields(1).asCurrency();
                row.KAS[m] += query->fields(2).asCurrency();
            }
            query->close();
        }
        computePeriodBalances(row.KMK.DAC, row.KAISIZAN, row.KAR, row.KAS, row.HASSEI, row.ZANDAKA);
        scope.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbError(e, QStringLiteral("ERROR（pubpcGetKamokuZan）"));
        throw;
    }
}

Currency fnGetKamokuZan(TBALANCE& row, const QString& SCODE, const QString& BCODE, qint32 mode, qint32 period,
                        const QString& HCODE, const QString& KCODE) {
    core::TransactionScope scope(companyTransaction());
    try {
        if (!fnGetKamokuRec_Sub(KCODE, row)) {
            scope.commit();
            return Currency{};
        }
        const bool s = !SCODE.isEmpty();
        const bool b = !BCODE.isEmpty();
        const bool h = !HCODE.isEmpty();
        const Conditions c = conditionsFor(s, b, h);
        const QString sums = QStringLiteral("SELECT MNUM,") + monthSumColumns() + QStringLiteral(" FROM KAMOKU_MS ") + c.sums;
        QString tax;
        if (mode == 1 && !h) {
            if (const int group = taxGroupOf(KCODE); group != 0)
                tax = taxQueryFor(s, b, group);
        }
        const TKamokuKeys keys{SCODE, BCODE, HCODE, KCODE};
        pub_pcGetKaisiZan(row, c.opening, keys, mode);
        pubpcGetKamokuZan(row, mode, sums, tax, keys);
        const Currency balance = inPeriodRange(period) ? row.ZANDAKA[period] : Currency{};
        scope.commit();
        return balance;
    } catch (const core::EIBError& e) {
        // Logged only; the step that failed has shown it. The scope rolls back what it started.
        core::ReportFbAccessError(e, QStringLiteral("uAccZanCmp1.fnGetKamokuZan"), QString(), 0);
        throw;
    }
}

Currency GetKamokuZan(const QString& SCODE, const QString& BCODE, const QString& KCODE, const QString& HCODE,
                      qint32 period, qint32 mode) {
    TBALANCE row;
    return fnGetKamokuZan(row, trimCode(SCODE), trimCode(BCODE), mode, period, trimCode(HCODE), trimCode(KCODE));
}

} // namespace statements
