#include "statements/CalcSisanhyo.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "core/text/SjisText.h"
#include "statements/AllocationRatio.h"
#include "statements/KamokuGroup.h"
#include "statements/MbBalanceSheet.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>

namespace statements {
namespace {

using core::TIBSQL;

const QString kCommonDepartment = QStringLiteral("00");

// Amounts by period 1..16 (index 0 unused).
using PeriodSums = std::array<Currency, 17>;
using PeriodRatios = std::array<AllocationRatio, 17>;

std::unique_ptr<TIBSQL> snapshotQuery() {
    if (!core::DM)
        throw std::logic_error("no data module for the trial-balance computation");
    auto query = core::CreateIBSQL(QStringLiteral("ACCDAT"), 1);
    if (!query)
        throw std::logic_error("no data module for the trial-balance computation");
    return query;
}

// " AND " + condition, or nothing.
QString andCondition(const QString& condition) {
    return condition.isEmpty() ? QString() : QStringLiteral(" AND ") + condition;
}

// The group members of one facility or department group, quoted and separated by commas.
QString groupMembers(const QString& table, const QString& column, const QString& group) {
    auto query = snapshotQuery();
    core::TransactionScope scope(core::DM->IBTransactionDATSS);
    query->sql() << QStringLiteral("SELECT %1 FROM %2").arg(column, table)
                 << QStringLiteral("WHERE (GCODE=:GCODE) AND (%1<>'')").arg(column);
    query->paramByName(QStringLiteral("GCODE")).setString(group);
    query->execQuery();
    QStringList members;
    for (; !query->eof(); query->next())
        members << QLatin1Char('\'') + query->fieldByName(column).asString() + QLatin1Char('\'');
    query->close();
    scope.commit();
    return members.join(QLatin1Char(','));
}

bool isTaxReceived(const QString& kcode) {
    const QString& k = core::AccInf.SysKCode[core::skKariukeZei];
    return !k.isEmpty() && kcode == k;
}
bool isTaxPaid(const QString& kcode) {
    const QString& k = core::AccInf.SysKCode[core::skKaribaraiZei];
    return !k.isEmpty() && kcode == k;
}

// Individual-business data files the owner's and the cost lines of the settlement statement
// under the section their statement line belongs to.
QString regroupSettlementLine(const QString& group, qint32 mstrec) {
    if (core::AccInf.DATATYPE != 2)
        return group;
    qint32 bound = 0;
    switch (core::AccInf.CODETYPE) {
    case 1:
    case 3: bound = 98; break;
    case 4: bound = 79; break;
    case 2:
        if (group == QLatin1String("6100") && mstrec >= 64)
            return QStringLiteral("7200");
        if (group == QLatin1String("7200") && mstrec < 64)
            return QStringLiteral("6100");
        return group;
    default: return group;
    }
    if (group == QLatin1String("4100") && mstrec >= bound)
        return QStringLiteral("7100");
    if (group == QLatin1String("6100") && mstrec >= bound)
        return QStringLiteral("7200");
    if (group == QLatin1String("7100") && mstrec < bound)
        return QStringLiteral("4100");
    if (group == QLatin1String("7200") && mstrec < bound)
        return QStringLiteral("6100");
    return group;
}

// Both arrays hold index i (they keep the same length; new sort entries hide their row).
void ensureRow(QList<TBALANCE>& rows, QList<TQSORT>& sorts, int i) {
    if (i < rows.size() && i < sorts.size())
        return;
    const qsizetype size = std::max<qsizetype>(i + 1, rows.size() + rows.size() / 2);
    rows.resize(size);
    const qsizetype oldSorts = sorts.size();
    sorts.resize(size);
    for (qsizetype k = oldSorts; k < size; ++k)
        sorts[k] = TQSORT{HiddenSortKey, qint32(k)};
}

// One account's figures as the computation gathers them.
struct Working {
    PeriodSums debit{};
    PeriodSums credit{};
    Currency opening;
    PeriodRatios ratios{};
    int sign = 1;

    void clearSums() {
        debit.fill(Currency{});
        credit.fill(Currency{});
        opening = Currency{};
    }
    bool allZero() const {
        if (opening != Currency{})
            return false;
        for (int p = 1; p <= 16; ++p)
            if (debit[p] != Currency{} || credit[p] != Currency{})
                return false;
        return true;
    }
};

class Computation {
public:
    Computation(QList<TBALANCE>& rows, QList<TQSORT>& sorts, bool firstPass, const TCalcSisanhyoSettingRec& setting)
        : rows_(rows), sorts_(sorts), firstPass_(firstPass), s_(setting) {}

    int run();

private:
    // Account query columns.
    struct Account {
        qint32 rec = 0;
        QString kgroup;
        qint32 subrec = 0;
        QString kname1;
        QString groupm1, groupm2, kcode, usercode, kname, bpflg;
        qint32 dac = 0;
        qint32 bldac = 0;
    };

    bool medical() const { return core::AccInf.DATATYPE == 3; }
    bool commonDepartment() const { return s_.BCODE.trimmed() == kCommonDepartment; }
    QStringList accountQuery() const;
    Account readAccount(TIBSQL& q) const;
    int findOrMakeRow(const Account& a);
    void readRatios(const QString& kcode);
    AllocationRatio openingRatio() const;
    Currency openingSum(const QString& where, const QString& condition, const QString& kcode, const QString& hcode);
    void readPeriodSums(const QString& where, const QString& condition, const QString& kcode, const QString& hcode,
                        bool allocated);
    void addTaxSums(qint32 kkubun, bool withRatios, bool fromCommon);
    void addTaxAccountSums(const QString& kcode, bool allocating);
    void updateRow(TBALANCE& row);
    QString sortKey(TBALANCE& row) const;
    void subAccounts(TBALANCE& row, const Account& a);
    void addHojoSums(TBALANCE& row, THOJOUTIWAKE& line, const QString& hcode, const QString& hname);

    // Amounts of a KAMOKU_MS sums row by the tax mode.
    Currency debitOf(TIBSQL& q) const;
    Currency creditOf(TIBSQL& q) const;

    QList<TBALANCE>& rows_;
    QList<TQSORT>& sorts_;
    bool firstPass_;
    TCalcSisanhyoSettingRec s_;
    int firstRow_ = FirstAccountRow;
    int current_ = FirstAccountRow - 1;
    int lineAccounts_ = 0; // accounts on the statement line of the current row (first pass)
    QString S_, D_, C_, CM_;
    Working w_;
};

Currency Computation::debitOf(TIBSQL& q) const {
    switch (s_.TAX) {
    case 0:
        return q.fieldByName(QStringLiteral("SUM_KARI_NUKI")).asCurrency() +
               q.fieldByName(QStringLiteral("SUM_KARI_TAX")).asCurrency();
    case 1:
        return q.fieldByName(QStringLiteral("SUM_KARI_NUKI")).asCurrency() -
               q.fieldByName(QStringLiteral("SUM_KARI_IKKATSU")).asCurrency();
    default: return Currency{};
    }
}

Currency Computation::creditOf(TIBSQL& q) const {
    switch (s_.TAX) {
    case 0:
        return q.fieldByName(QStringLiteral("SUM_KASI_NUKI")).asCurrency() +
               q.fieldByName(QStringLiteral("SUM_KASI_TAX")).asCurrency();
    case 1:
        return q.fieldByName(QStringLiteral("SUM_KASI_NUKI")).asCurrency() -
               q.fieldByName(QStringLiteral("SUM_KASI_IKKATSU")).asCurrency();
    default: return Currency{};
    }
}

QStringList Computation::accountQuery() const {
    const QString accountColumns = QStringLiteral(",KM.KCODE,KM.USERCODE,KM.KNAME,KM.BPFLG,KM.DAC,KM.BLDAC");
    const QString lineGroups = medical()
                                   ? QStringLiteral(",KM.GROUPM2,KM.GROUPR1,KM.GROUPR2,KM.GROUPM3")
                                   : QStringLiteral(",KM.GROUPM1 AS GROUPR1,KM.GROUPM2 AS GROUPR2,KM.GROUPM1 AS GROUPM3");
    QStringList sql;
    switch (s_.FORM) {
    case 0:
        sql << QStringLiteral("SELECT DISTINCT KM.GROUPM1,KM.GROUPM2")
            << (medical() ? QStringLiteral(",KM.GROUPR1,KM.GROUPR2,KM.GROUPM3")
                          : QStringLiteral(",GROUPM1 AS GROUPR1,GROUPM2 AS GROUPR2,GROUPM1 AS GROUPM3"))
            << accountColumns << QStringLiteral("FROM  KAMOKU_SZ MAIN")
            << QStringLiteral("INNER JOIN SISETUMST SM ON(MAIN.SCODE=SM.SCODE)")
            << QStringLiteral("INNER JOIN BUMONMST  BM ON(MAIN.BCODE=BM.BCODE)")
            << QStringLiteral("INNER JOIN KAMOKUMST KM ON(MAIN.KCODE=KM.KCODE)")
            << QStringLiteral("INNER JOIN HOJOMST   HM ON(MAIN.KCODE=HM.KCODE AND MAIN.HCODE=HM.HCODE)");
        if (!S_.isEmpty())
            sql << QStringLiteral("WHERE ") + QString(S_).replace(QStringLiteral("SCODE"), QStringLiteral("MAIN.SCODE"));
        sql << QStringLiteral("ORDER BY KM.GROUPM1,KM.USERCODE");
        break;
    case 1:
        sql << QStringLiteral("SELECT A4.REC,A4.KGROUP,A4.SUBREC,A4.KNAME1,KM.GROUPM1,KM.GROUPM2") << lineGroups
            << accountColumns << QStringLiteral("FROM EXTERA4 A4")
            << QStringLiteral("INNER JOIN KAMOKUMST KM ON (A4.REC=KM.EXT1_A4)")
            << QStringLiteral("ORDER BY A4.KGROUP,A4.SUBREC,KM.USERCODE");
        break;
    case 2:
        sql << QStringLiteral("SELECT A3.REC,A3.KGROUP,A3.SUBREC,A3.KNAME1,KM.GROUPM1,KM.GROUPM2") << lineGroups
            << accountColumns << QStringLiteral("FROM EXTERA3 A3")
            << QStringLiteral("INNER JOIN KAMOKUMST KM ON (A3.REC=KM.EXT1_A3)")
            << QStringLiteral("ORDER BY A3.KGROUP,A3.SUBREC,KM.USERCODE");
        break;
    default:
        sql << QStringLiteral("SELECT KS.REC,KS.KGROUP,KS.SUBREC,KS.KNAME1,KM.GROUPM1,KM.GROUPM2") << lineGroups
            << accountColumns << QStringLiteral("FROM EXTERKS KS")
            << QStringLiteral("INNER JOIN KAMOKUMST KM ON (KS.REC=KM.EXT1_KS)") << QStringLiteral("WHERE (KM.USE>0)")
            << QStringLiteral("ORDER BY KS.KGROUP,KS.SUBREC,KM.USERCODE");
        break;
    }
    return sql;
}

Computation::Account Computation::readAccount(TIBSQL& q) const {
    Account a;
    if (s_.FORM != 0) {
        a.rec = q.fieldByName(QStringLiteral("REC")).asInteger();
        a.kgroup = q.fieldByName(QStringLiteral("KGROUP")).asString();
        a.subrec = q.fieldByName(QStringLiteral("SUBREC")).asInteger();
        a.kname1 = q.fieldByName(QStringLiteral("KNAME1")).asString();
    }
    a.groupm1 = q.fieldByName(QStringLiteral("GROUPM1")).asString();
    a.groupm2 = q.fieldByName(QStringLiteral("GROUPM2")).asString();
    a.kcode = q.fieldByName(QStringLiteral("KCODE")).asString();
    a.usercode = q.fieldByName(QStringLiteral("USERCODE")).asString();
    a.kname = q.fieldByName(QStringLiteral("KNAME")).asString();
    a.bpflg = q.fieldByName(QStringLiteral("BPFLG")).asString();
    a.dac = q.fieldByName(QStringLiteral("DAC")).asInteger();
    a.bldac = q.fieldByName(QStringLiteral("BLDAC")).asInteger();
    return a;
}

// The row of the account: found among the rows of the first pass, or made on the first pass.
// -1 when a later pass finds none.
int Computation::findOrMakeRow(const Account& a) {
    if (!firstPass_) {
        for (int i = firstRow_; i < rows_.size(); ++i) {
            const TKMKREC& k = rows_[i].KMK;
            const bool same = s_.FORM == 0 ? (!k.KCODE.isEmpty() && k.KCODE == a.kcode)
                                           : (k.GROUPM2 == a.kgroup && rows_[i].SUBREC == a.subrec);
            if (same)
                return i;
        }
        return -1;
    }
    if (s_.FORM == 0) {
        ensureRow(rows_, sorts_, ++current_);
        TKMKREC& k = rows_[current_].KMK;
        k.GROUPM1 = a.groupm1;
        k.GROUPM2 = a.groupm2;
        k.GROUPR1 = k.GROUPM1;
        k.GROUPR2 = k.GROUPM2;
        k.USERCODE = a.usercode;
        k.KCODE = a.kcode;
        k.KNAME = a.kname;
    } else {
        // The query is ordered by statement line, so a line's row is the last one made.
        const bool sameLine = current_ >= firstRow_ && rows_[current_].KMK.GROUPM2 == a.kgroup &&
                              rows_[current_].SUBREC == a.subrec;
        if (sameLine) {
            ++lineAccounts_;
        } else {
            ensureRow(rows_, sorts_, ++current_);
            lineAccounts_ = 1;
        }
        TBALANCE& row = rows_[current_];
        row.MSTREC = a.rec;
        row.SUBREC = a.subrec;
        row.KMK.GROUPM1 = a.kgroup;
        row.KMK.GROUPM2 = a.kgroup;
        if (row.KMK.KCODE.isEmpty()) {
            row.KMK.USERCODE = a.usercode;
            row.KMK.KCODE = a.kcode;
            row.KMK.KNAME = core::TrimZenkaku(a.kname1).isEmpty() ? a.kname : a.kname1;
        }
        if ((!a.kname1.isEmpty() && a.kname1 != a.kname) || lineAccounts_ >= 2) {
            row.KMK.USERCODE = QStringLiteral("-");
            row.KMK.KCODE = QStringLiteral("-");
        }
    }
    rows_[current_].KMK.BPFLG = a.bpflg;
    rows_[current_].KMK.DAC = a.dac;
    return current_;
}

void Computation::readRatios(const QString& kcode) {
    w_.ratios.fill(AllocationRatio{0, 0});
    auto q = snapshotQuery();
    q->sql() << QStringLiteral("SELECT HAIBUN01*0.01 AS HAIBUN01,HAIBUN02*0.01 AS HAIBUN02,HAIBUN03*0.01 AS HAIBUN03,HAIBUN04*0.01 AS HAIBUN04,")
             << QStringLiteral("       HAIBUN05*0.01 AS HAIBUN05,HAIBUN06*0.01 AS HAIBUN06,HAIBUN07*0.01 AS HAIBUN07,HAIBUN08*0.01 AS HAIBUN08,")
             << QStringLiteral("       HAIBUN09*0.01 AS HAIBUN09,HAIBUN10*0.01 AS HAIBUN10,HAIBUN11*0.01 AS HAIBUN11,HAIBUN12*0.01 AS HAIBUN12,")
             << QStringLiteral("       HAIBUN13*0.01 AS HAIBUN13,HAIBUN14*0.01 AS HAIBUN14,HAIBUN15*0.01 AS HAIBUN15,HAIBUN16*0.01 AS HAIBUN16")
             << QStringLiteral("FROM KAMOKU_SZ")
             << QStringLiteral("WHERE (KCODE=:KCODE) AND (HCODE=:HCODE)") + andCondition(C_);
    q->paramByName(QStringLiteral("KCODE")).setString(kcode);
    q->paramByName(QStringLiteral("HCODE")).setString(QStringLiteral(" "));
    q->execQuery();
    if (!q->eof())
        for (int p = 1; p <= 16; ++p)
            w_.ratios[p] = AllocationRatio::fromText(
                q->fieldByName(QStringLiteral("HAIBUN%1").arg(p, 2, 10, QLatin1Char('0'))).asString());
    q->close();
}

// The opening balance is shared out by the ratio of the period that holds the data's
// starting month (month m of the year is period m + (m - 1) / 3 among the sixteen).
AllocationRatio Computation::openingRatio() const {
    const int month = std::clamp(core::AccInf.KAISINO, 1, 12);
    return w_.ratios[month + (month - 1) / 3];
}

// SUM of the opening balance by the tax mode over the rows of the WHERE line and condition.
Currency Computation::openingSum(const QString& where, const QString& condition, const QString& kcode,
                                 const QString& hcode) {
    auto q = snapshotQuery();
    q->sql() << QStringLiteral("SELECT SUM(KISHU_KOMI) AS SUM_KOMI,SUM(KISHU_NUKI) AS SUM_NUKI")
             << QStringLiteral("FROM KAMOKU_SZ") << where + andCondition(condition);
    q->paramByName(QStringLiteral("KCODE")).setString(kcode);
    if (where.contains(QStringLiteral(":HCODE")))
        q->paramByName(QStringLiteral("HCODE")).setString(hcode);
    if (where.contains(QStringLiteral(":BCODE")))
        q->paramByName(QStringLiteral("BCODE")).setString(kCommonDepartment);
    q->execQuery();
    Currency sum;
    if (!q->eof()) {
        if (s_.TAX == 0)
            sum = q->fieldByName(QStringLiteral("SUM_KOMI")).asCurrency();
        else if (s_.TAX == 1)
            sum = q->fieldByName(QStringLiteral("SUM_NUKI")).asCurrency();
    }
    q->close();
    return sum;
}

// The period sums of the WHERE line; allocated: added shared out by the period ratios (the
// common department's sums), else set as they are.
void Computation::readPeriodSums(const QString& where, const QString& condition, const QString& kcode,
                                 const QString& hcode, bool allocated) {
    auto q = snapshotQuery();
    q->sql() << QStringLiteral("SELECT MNUM,SUM(KAR_NUK) AS SUM_KARI_NUKI,SUM(KAR_TAX) AS SUM_KARI_TAX,SUM(KAS_NUK) AS SUM_KASI_NUKI,SUM(KAS_TAX) AS SUM_KASI_TAX,")
             << QStringLiteral("SUM(KAR_IKKATSU) AS SUM_KARI_IKKATSU,SUM(KAS_IKKATSU) AS SUM_KASI_IKKATSU")
             << QStringLiteral("FROM KAMOKU_MS") << where + andCondition(condition) << QStringLiteral("GROUP BY MNUM")
             << QStringLiteral("ORDER BY MNUM");
    q->paramByName(QStringLiteral("KCODE")).setString(kcode);
    if (where.contains(QStringLiteral(":HCODE")))
        q->paramByName(QStringLiteral("HCODE")).setString(hcode);
    if (where.contains(QStringLiteral(":BCODE")))
        q->paramByName(QStringLiteral("BCODE")).setString(kCommonDepartment);
    for (q->execQuery(); !q->eof(); q->next()) {
        const int m = q->fieldByName(QStringLiteral("MNUM")).asInteger();
        if (m < 1 || m > 16)
            continue; // no period of the year
        if (allocated) {
            w_.debit[m] += allocate(debitOf(*q), w_.ratios[m]);
            w_.credit[m] += allocate(creditOf(*q), w_.ratios[m]);
        } else {
            w_.debit[m] = debitOf(*q);
            w_.credit[m] = creditOf(*q);
        }
    }
    q->close();
}

// Consumption-tax sums of KAMOKU_TAX into the working sums. fromCommon reads the common
// department "00" (with the facility condition) instead of the setting's departments.
void Computation::addTaxSums(qint32 kkubun, bool withRatios, bool fromCommon) {
    auto q = snapshotQuery();
    const QString condition =
        fromCommon ? QStringLiteral("(BCODE='00')") + andCondition(S_) : C_;
    q->sql() << QStringLiteral("SELECT MNUM,SUM(KAR) AS SUM_KARI_TAX,SUM(KAS) AS SUM_KASI_TAX")
             << QStringLiteral("FROM KAMOKU_TAX") << QStringLiteral("WHERE (KKUBUN=:KKUBUN)") + andCondition(condition)
             << QStringLiteral("GROUP BY MNUM") << QStringLiteral("ORDER BY MNUM");
    q->paramByName(QStringLiteral("KKUBUN")).setInteger(kkubun);
    for (q->execQuery(); !q->eof(); q->next()) {
        const int m = q->fieldByName(QStringLiteral("MNUM")).asInteger();
        if (m < 1 || m > 16)
            continue;
        const AllocationRatio r = withRatios ? w_.ratios[m] : AllocationRatio::one();
        w_.debit[m] += allocate(q->fieldByName(QStringLiteral("SUM_KARI_TAX")).asCurrency(), r);
        w_.credit[m] += allocate(q->fieldByName(QStringLiteral("SUM_KASI_TAX")).asCurrency(), r);
    }
    q->close();
}

// Tax-excluded amounts: the two consumption-tax accounts also receive the tax sums.
void Computation::addTaxAccountSums(const QString& kcode, bool allocating) {
    if (s_.TAX != 1)
        return;
    const qint32 kkubun = isTaxReceived(kcode) ? 1 : isTaxPaid(kcode) ? 2 : 0;
    if (kkubun == 0)
        return;
    if (!allocating) {
        addTaxSums(kkubun, false, false);
    } else if (commonDepartment()) {
        addTaxSums(kkubun, true, false);
    } else {
        // A department's share of the common department's tax, and its own tax.
        addTaxSums(kkubun, true, true);
        addTaxSums(kkubun, false, false);
    }
}

void Computation::updateRow(TBALANCE& row) {
    row.KAISIZAN += w_.sign == 1 ? w_.opening : -w_.opening;
    for (int p = 1; p <= 16; ++p) {
        row.KAR[p] += w_.debit[p];
        row.KAS[p] += w_.credit[p];
    }
    computePeriodBalances(row.KMK.DAC, row.KAISIZAN, row.KAR, row.KAS, row.HASSEI, row.ZANDAKA);
}

QString Computation::sortKey(TBALANCE& row) const {
    TKMKREC& k = row.KMK;
    switch (s_.FORM) {
    case 0: {
        const QString code = core::LeftStrB(k.USERCODE, 4);
        if (k.GROUPM1 == QLatin1String("5300"))
            return QStringLiteral("5881") + code;
        return (medical() ? k.GROUPM1 : k.GROUPM2) + code;
    }
    case 1:
    case 2: return k.GROUPM2 + QStringLiteral("%1").arg(row.SUBREC, 2, 10, QLatin1Char('0'));
    default:
        k.GROUPM1 = regroupSettlementLine(k.GROUPM1, row.MSTREC);
        return k.GROUPM1 + QStringLiteral("%1").arg(row.SUBREC, 2, 10, QLatin1Char('0'));
    }
}

void Computation::addHojoSums(TBALANCE& row, THOJOUTIWAKE& line, const QString& hcode, const QString& hname) {
    line.HCODE = hcode;
    line.HNAME = hname;
    line.KAISIZAN += w_.sign == 1 ? w_.opening : -w_.opening;
    for (int p = 1; p <= 16; ++p) {
        line.KAR[p] += w_.debit[p];
        line.KAS[p] += w_.credit[p];
    }
    computePeriodBalances(row.KMK.DAC, line.KAISIZAN, line.KAR, line.KAS, line.HASSEI, line.ZANDAKA);
}

// The sub-account lines of an account (ordinary account list only). Each sub-account is
// gathered over all its periods before it is added, so a sub-account never inherits another
// one's figures; the line is matched by its code, and a code the table does not hold yet gets
// a line of its own.
void Computation::subAccounts(TBALANCE& row, const Account& a) {
    const QString blank = QStringLiteral(" ");
    int named = 0;
    {
        auto q = snapshotQuery();
        q->sql() << QStringLiteral("SELECT DISTINCT HCODE FROM KAMOKU_SZ")
                 << QStringLiteral("WHERE (KCODE=:KCODE) AND (HCODE<>:HCODE)") + andCondition(C_);
        q->paramByName(QStringLiteral("KCODE")).setString(a.kcode);
        q->paramByName(QStringLiteral("HCODE")).setString(blank);
        for (q->execQuery(); !q->eof(); q->next())
            ++named;
        q->close();
    }
    if (firstPass_) {
        row.HOJOUTIWAKE = QList<THOJOUTIWAKE>(named);
        row.HOJCNT = named;
    }
    if (named < 1)
        return;

    struct SubAccount {
        QString hcode;
        QString hname;
        PeriodSums debit{};
        PeriodSums credit{};
    };
    QList<SubAccount> subs;
    {
        auto q = snapshotQuery();
        q->sql() << QStringLiteral("SELECT MAIN.HCODE,MAIN.MNUM,SUM(MAIN.KAR_NUK) AS SUM_KARI_NUKI,SUM(MAIN.KAR_TAX) AS SUM_KARI_TAX,SUM(MAIN.KAS_NUK) AS SUM_KASI_NUKI,SUM(MAIN.KAS_TAX) AS SUM_KASI_TAX,")
                 << QStringLiteral("SUM(MAIN.KAR_IKKATSU) AS SUM_KARI_IKKATSU,SUM(MAIN.KAS_IKKATSU) AS SUM_KASI_IKKATSU")
                 << QStringLiteral(",HM.HNAME") << QStringLiteral("FROM KAMOKU_MS MAIN")
                 << QStringLiteral("INNER JOIN HOJOMST HM ON (MAIN.KCODE=HM.KCODE AND MAIN.HCODE=HM.HCODE)")
                 << QStringLiteral("WHERE (HM.KCODE=:KCODE)") + andCondition(CM_)
                 << QStringLiteral("GROUP BY MAIN.HCODE,MAIN.MNUM,HM.HNAME") << QStringLiteral("ORDER BY MAIN.HCODE,MAIN.MNUM");
        q->paramByName(QStringLiteral("KCODE")).setString(a.kcode);
        for (q->execQuery(); !q->eof(); q->next()) {
            QString hcode = q->fieldByName(QStringLiteral("HCODE")).asString();
            if (hcode.trimmed().isEmpty())
                hcode = blank;
            if (subs.isEmpty() || subs.last().hcode != hcode)
                subs.append(SubAccount{hcode, q->fieldByName(QStringLiteral("HNAME")).asString(), {}, {}});
            const int m = q->fieldByName(QStringLiteral("MNUM")).asInteger();
            if (m < 1 || m > 16)
                continue;
            subs.last().debit[m] = debitOf(*q);
            subs.last().credit[m] = creditOf(*q);
        }
        q->close();
    }

    int j = 0; // next line of the first pass
    for (const SubAccount& sub : subs) {
        w_.debit = sub.debit;
        w_.credit = sub.credit;
        const QString whereSub = QStringLiteral("WHERE (KCODE=:KCODE) AND (HCODE=:HCODE)");
        const Currency own = openingSum(whereSub, C_, a.kcode, sub.hcode);
        if (s_.HAIBUN != 1) {
            w_.opening = own;
        } else if (commonDepartment()) {
            w_.opening = allocate(own, openingRatio());
            for (int p = 1; p <= 16; ++p) {
                w_.debit[p] = allocate(w_.debit[p], w_.ratios[p]);
                w_.credit[p] = allocate(w_.credit[p], w_.ratios[p]);
            }
        } else {
            const QString whereCommon = QStringLiteral("WHERE (BCODE=:BCODE) AND (KCODE=:KCODE) AND (HCODE=:HCODE)");
            w_.opening = own + allocate(openingSum(whereCommon, S_, a.kcode, sub.hcode), openingRatio());
            readPeriodSums(whereCommon, S_, a.kcode, sub.hcode, true);
        }
        const bool remainder = sub.hcode == blank;
        if (remainder && w_.allZero())
            continue; // everything of the account is in its named sub-accounts
        const QString hname = remainder ? row.KMK.KNAME : sub.hname;

        int index = -1;
        if (firstPass_) {
            index = j++;
        } else {
            for (int i = 0; i < row.HOJOUTIWAKE.size(); ++i)
                if (row.HOJOUTIWAKE[i].HCODE == sub.hcode)
                    index = i;
            if (index < 0)
                index = int(row.HOJOUTIWAKE.size());
        }
        if (index >= row.HOJOUTIWAKE.size())
            row.HOJOUTIWAKE.resize(index + 1);
        addHojoSums(row, row.HOJOUTIWAKE[index], sub.hcode, hname);
        row.HOJCNT = qint32(row.HOJOUTIWAKE.size());
    }
}

int Computation::run() {
    core::TransactionScope scope(core::DM->IBTransactionDATSS);
    firstRow_ = medical() ? FirstMbAccountRow : FirstAccountRow;
    current_ = firstRow_ - 1;
    S_ = MakeScopeFilter(s_, QStringLiteral("SCODE"));
    D_ = MakeScopeFilter(s_, QStringLiteral("BCODE"));
    C_ = S_.isEmpty() ? D_ : D_.isEmpty() ? S_ : S_ + QStringLiteral(" AND ") + D_;
    CM_ = QString(C_).replace(QStringLiteral("SCODE"), QStringLiteral("MAIN.SCODE"))
              .replace(QStringLiteral("BCODE"), QStringLiteral("MAIN.BCODE"));

    auto accounts = snapshotQuery();
    accounts->sql() = accountQuery();
    const bool allocating = s_.HAIBUN == 1;
    const bool allocateOpening =
        allocating && (core::AccInf.KAISINO >= 2 || (core::AccInf.KAISINO == 1 && core::AccInf.BUMON == 2));
    for (accounts->execQuery(); !accounts->eof(); accounts->next()) {
        const Account a = readAccount(*accounts);
        if (a.groupm1 == QLatin1String("9900"))
            continue;
        if (s_.FORM != 0) {
            auto count = snapshotQuery();
            count->sql() << QStringLiteral("SELECT COUNT(*) AS RECCNT FROM KAMOKU_SZ")
                         << QStringLiteral("WHERE (KCODE=:KCODE)") + andCondition(C_);
            count->paramByName(QStringLiteral("KCODE")).setString(a.kcode);
            count->execQuery();
            const bool held = !count->eof() && count->fieldByName(QStringLiteral("RECCNT")).asInteger() > 0;
            count->close();
            if (!held)
                continue;
        }
        const int index = findOrMakeRow(a);
        if (index < 0)
            continue;

        w_.clearSums();
        w_.sign = 1;
        if (allocating)
            readRatios(a.kcode);
        if (s_.FORM == 3 || s_.FORM == 4) {
            // A credit-natured account on a settlement line that holds debit-natured accounts
            // counts against the line.
            auto count = snapshotQuery();
            count->sql() << QStringLiteral("SELECT COUNT(KCODE) AS RECCNT FROM KAMOKUMST")
                         << QStringLiteral("WHERE (EXT1_KS=:MSTREC) AND (USE>0) AND (DAC=1 OR DAC=3)");
            count->paramByName(QStringLiteral("MSTREC")).setInteger(rows_[index].MSTREC);
            count->execQuery();
            const int debitAccounts = count->eof() ? 0 : count->fieldByName(QStringLiteral("RECCNT")).asInteger();
            count->close();
            if ((a.dac == 2 || a.dac == 4) && debitAccounts >= 1) {
                rows_[index].KMK.DAC = a.bldac;
                w_.sign = -1;
            }
        }

        const QString whereOwn = QStringLiteral("WHERE (KCODE=:KCODE)");
        const QString whereCommon = QStringLiteral("WHERE (BCODE=:BCODE) AND (KCODE=:KCODE)");
        Currency own = openingSum(whereOwn, C_, a.kcode, QString());
        Currency common;
        if (allocateOpening) {
            if (commonDepartment()) {
                common = own;
                own = Currency{};
            } else {
                common = openingSum(whereCommon, S_, a.kcode, QString());
            }
        }
        w_.opening = allocate(common, openingRatio()) + own;

        readPeriodSums(whereOwn, C_, a.kcode, QString(), false);
        if (allocating) {
            if (commonDepartment()) {
                for (int p = 1; p <= 16; ++p) {
                    w_.debit[p] = allocate(w_.debit[p], w_.ratios[p]);
                    w_.credit[p] = allocate(w_.credit[p], w_.ratios[p]);
                }
            } else {
                readPeriodSums(whereCommon, S_, a.kcode, QString(), true);
            }
        }
        addTaxAccountSums(a.kcode, allocating);

        TBALANCE& row = rows_[index];
        updateRow(row);
        sorts_[index] = TQSORT{sortKey(row), index};
        if (s_.FORM == 0)
            subAccounts(row, a);
        if (!firstPass_)
            current_ = std::max(current_, index);
    }
    accounts->close();
    scope.commit();
    return current_;
}

} // namespace

QString MakeScopeFilter(const TCalcSisanhyoSettingRec& setting, const QString& column) {
    const bool facility = column == QLatin1String("SCODE");
    const QString& code = facility ? setting.SCODE : setting.BCODE;
    const qint32 one = facility ? setting.SCODE_ONE : setting.BCODE_ONE;
    if (one == 1)
        return code.trimmed().isEmpty() ? QString() : QStringLiteral("(%1='%2')").arg(column, code);
    const QString members = facility ? groupMembers(QStringLiteral("SISETUGROUPLIST"), column, code)
                                     : groupMembers(QStringLiteral("GROUPLIST"), column, code);
    return members.isEmpty() ? QString() : QStringLiteral("(%1 IN (%2))").arg(column, members);
}

qint32 CalcSisanhyoSums(QList<TBALANCE>& rows, QList<TQSORT>& sorts, bool firstPass,
                        const TCalcSisanhyoSettingRec& setting) {
    return Computation(rows, sorts, firstPass, setting).run();
}

qint32 CalcSisanhyoBySetting(QList<TBALANCE>& rows, QList<TQSORT>& sorts, const TCalcSisanhyoSettingRec& setting) {
    const qint32 last = CalcSisanhyoSums(rows, sorts, true, setting);
    if (setting.HAIBUN != 1 || setting.SCOPE != 6)
        return last;

    // The first pass defined the rows; their amounts now come department by department.
    auto clearAmounts = [](auto& r) {
        r.KAISIZAN = Currency{};
        r.KAR.clear();
        r.KAS.clear();
        for (int p = 0; p <= 16; ++p) {
            r.HASSEI[p] = Currency{};
            r.ZANDAKA[p] = Currency{};
        }
    };
    for (int i = 0; i <= last && i < rows.size(); ++i) {
        clearAmounts(rows[i]);
        for (THOJOUTIWAKE& line : rows[i].HOJOUTIWAKE)
            clearAmounts(line);
    }

    core::TransactionScope scope(core::DM->IBTransactionDATSS);
    QStringList facilities;
    QStringList departments;
    {
        auto q = snapshotQuery();
        q->sql() << QStringLiteral("SELECT SCODE FROM SISETUMST") << QStringLiteral("WHERE (SCODE<>'') AND (BUMEX=1)")
                 << QStringLiteral("ORDER BY SCODE");
        for (q->execQuery(); !q->eof(); q->next())
            facilities << q->fieldByName(QStringLiteral("SCODE")).asString();
        q->close();
        q->sql().clear();
        q->sql() << QStringLiteral("SELECT BCODE FROM GROUPLIST") << QStringLiteral("WHERE (GCODE=:GCODE) AND (BCODE<>'')")
                 << QStringLiteral("ORDER BY BCODE");
        q->paramByName(QStringLiteral("GCODE")).setString(setting.BCODE);
        for (q->execQuery(); !q->eof(); q->next())
            departments << q->fieldByName(QStringLiteral("BCODE")).asString();
        q->close();
    }
    // Ordinary data keeps everything in its one facility, whose code is blank (and so fails
    // the condition above): without it the departments would get nothing at all.
    if (facilities.isEmpty() && core::AccInf.DATATYPE != 3)
        facilities << QStringLiteral(" ");
    TCalcSisanhyoSettingRec one = setting;
    one.SCODE_ONE = 1;
    one.BCODE_ONE = 1;
    for (const QString& facility : facilities) {
        one.SCODE = facility;
        for (const QString& department : departments) {
            one.BCODE = department;
            CalcSisanhyoSums(rows, sorts, false, one);
        }
    }
    scope.commit();
    return last;
}

} // namespace statements
