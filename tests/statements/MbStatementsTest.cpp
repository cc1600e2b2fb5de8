// The medical-corporation statements on the hand-made medical company of TrialBalanceCompany.cpp
// with the sample's medical total lines, its credit accounts as nature 3 (liabilities, capital
// and revenue add into their totals, as the statements expect) and a department group BG
// (00, 01) of facility 01. Figures by hand (tax included, the facility comparison):
//   現金 (1100, nature 1): opening 1500; P1 debit 1100; P2 credit 440; P5 debit 300, credit 220
//   資本金等 (3100, nature 3): opening 1500
//   医業収益 (4100, nature 3): P1 credit 1100; P5 credit 300
//   材料費 (5100, nature 1): P2 debit 440; P5 debit 220
// So for the year: cash 2240, revenue 1400, materials 660, net profit 740.

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/db/IBDatabase.h"
#include "schema/sample/SampleMedicalTotals.h"
#include "statements/KamokuGroup.h"
#include "statements/MbBalanceSheet.h"
#include "statements/MbSisanhyo.h"
#include "statements/SisetuJigyou.h"
#include "tests/statements/CompanySession.h"
#include "tests/statements/TrialBalanceCompany.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>
#include <ostream>

namespace {

using core::Currency;
using statements::TBALANCE;
using statements::TQSORT;

Currency yen(qint64 v) { return Currency::fromInt(v); }
Currency tenths(qint64 v) { return Currency::fromRaw(v * 1000); }

class MbStatements : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        db_ = statementstest::createMedicalCompany(dir_->path());
        schema::sample::writeMedicalTotalNames(*db_);
        statementstest::execAll(*db_, {
            QStringLiteral("UPDATE KAMOKUMST SET DAC = 3 WHERE KCODE IN ('2101', '3101', '4101')"),
            QStringLiteral("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('BG', '00')"),
            QStringLiteral("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('BG', '01')"),
            QStringLiteral("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('BG', '09')"),
            QStringLiteral("INSERT INTO SISETUBUM (SCODE, BCODE) VALUES ('01', '00')"),
            QStringLiteral("INSERT INTO SISETUBUM (SCODE, BCODE) VALUES ('01', '01')"),
            QStringLiteral("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G2', '01')"),
        });
    }
    static void TearDownTestSuite() {
        db_.reset();
        dir_.reset();
    }

    void SetUp() override {
        session_ = std::make_unique<statementstest::CompanySession>(db_->databaseName());
        core::AccInf.DATATYPE = 3;
        core::AccInf.KISHU = QDate(2024, 4, 1);
        core::AccInf.KIMATU = QDate(2025, 3, 31);
        core::AccInf.SIME = 99;
        rows_.resize(700);
        sorts_.resize(700);
    }
    void TearDown() override { session_.reset(); }

    void read(qint32 form, qint32 scope, const QString& scode = QString(), const QString& bcode = QString(),
              qint32 kind = 1, qint32 jigyou = 0) {
        statements::pcMbSisanhyo_Read(rows_, 699, sorts_, 699, scode, bcode, 0, scope, form, kind, 0, jigyou);
    }
    void compute(qint32 kind, qint32 start, qint32 end, qint32 jigyou = 0) {
        statements::pcMbBalanceSheet_Calcu(rows_, int(rows_.size()) - 1, 0, kind, start, end, jigyou);
    }
    int accountRow(const QString& kcode) const {
        return statements::IndexOfMbKamokuRow(rows_, int(rows_.size()) - 1, kcode);
    }
    // "KCODE GROUPM1 DAC opening closing" of the account rows read.
    QStringList accounts() const {
        QStringList out;
        for (int i = statements::FirstMbAccountRow; i < rows_.size() && !rows_[i].KMK.KCODE.isEmpty(); ++i) {
            const TBALANCE& r = rows_[i];
            out << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(r.KMK.KCODE, r.KMK.GROUPM1)
                       .arg(r.KMK.DAC)
                       .arg(r.KAISIZAN.toString(), r.ZANDAKA[16].toString());
        }
        return out;
    }
    QStringList messages() const {
        QStringList out;
        for (const auto& m : session_->messages.messages)
            out << m.text.trimmed(); // each line of a message ends with CR
        return out;
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<core::TIBDatabase> db_;
    std::unique_ptr<statementstest::CompanySession> session_;
    QList<TBALANCE> rows_;
    QList<TQSORT> sorts_;
};

// The export's road: FORM 3, SCOPE 0 for the whole corporation. Every period of the trial
// balance balances, the total lines carry the whole-corporation captions, and the lines of the
// business kinds no facility has are hidden.
TEST_F(MbStatements, TheExportReadGivesTheHandComputedTrialBalance) {
    read(3, 0);
    EXPECT_EQ(accounts(), QStringList({"1101 1100 1 1500 2240", "1201 1300 1 0 0", "2101 2100 3 0 0",
                                       "- 3100 3 1500 1500", "4101 4100 3 0 1400", "5101 5100 1 0 660"}));
    for (int p = 1; p <= 16; ++p) {
        Currency debit, credit;
        for (int i = statements::FirstMbAccountRow; i < statements::FirstMbAccountRow + 6; ++i) {
            debit += rows_[i].KAR[p];
            credit += rows_[i].KAS[p];
        }
        EXPECT_EQ(debit, credit) << "period " << p;
    }

    EXPECT_EQ(rows_[26].KMK.KNAME, QStringLiteral("医業収益合計")); // "4180" keeps 医業
    EXPECT_EQ(rows_[41].KMK.KNAME, QStringLiteral("事業費用合計"));
    EXPECT_EQ(rows_[46].KMK.KNAME, QStringLiteral("特別利益合計"));
    EXPECT_EQ(rows_[31].KMK.KNAME, QStringLiteral("その他事業収益合計"));
    EXPECT_EQ(rows_[15].KMK.KNAME, QStringLiteral("出資金合計"));
    EXPECT_EQ(rows_[23].KMK.KNAME, QStringLiteral("純資産の部合計"));

    // Facilities of kinds 8, 4 and 2 exist, none of kind 1; three kinds keep line 32.
    QStringList hidden;
    for (const TQSORT& s : sorts_)
        if (s.SORTKEY == statements::HiddenSortKey && s.ROWIDX >= 17 && s.ROWIDX <= 32)
            hidden << QString::number(s.ROWIDX);
    EXPECT_EQ(hidden, QStringList({"17", "31"}));
    for (int i = 2; i < 61; ++i)
        EXPECT_LE(core::CompareSjis(sorts_[i - 1].SORTKEY, sorts_[i].SORTKEY), 0) << i;
    EXPECT_FALSE(session_->dm.IBTransactionDATSS.inTransaction());
}

// The balance sheet and profit and loss of the year to the yen, the balancing line against the
// net profit, and the ratios.
TEST_F(MbStatements, TheYearsStatementsMatchTheHandCheck) {
    read(3, 0);
    compute(7, 1, 16);
    auto zan = [&](int row) { return rows_[row].ZAN; };
    EXPECT_EQ(zan(1), yen(2240));  // 現金及び預金
    EXPECT_EQ(zan(2), yen(2240));
    EXPECT_EQ(zan(5), yen(2240));
    EXPECT_EQ(zan(11), yen(2240));
    EXPECT_EQ(zan(14), yen(0));
    EXPECT_EQ(zan(15), yen(1500));
    EXPECT_EQ(zan(19), yen(740));
    EXPECT_EQ(rows_[19].KURIKOSI, yen(0));
    EXPECT_EQ(zan(23), yen(2240));
    EXPECT_EQ(zan(24), zan(11));
    EXPECT_EQ(zan(26), yen(1400));
    EXPECT_EQ(zan(32), yen(1400));
    EXPECT_EQ(zan(33), yen(660));
    EXPECT_EQ(zan(41), yen(660));
    for (int line : {42, 45, 48, 49, 50, 53, 20})
        EXPECT_EQ(zan(line), yen(740)) << line;
    EXPECT_EQ(zan(statements::MbComputedRow), yen(0));
    EXPECT_EQ(zan(19) - rows_[19].KURIKOSI, zan(49));
    EXPECT_EQ(rows_[42].KASI, yen(740));
    EXPECT_EQ(rows_[26].ADDCNT, 1);

    EXPECT_EQ(rows_[42].KMK.KNAME, QStringLiteral("事業利益"));
    EXPECT_EQ(rows_[49].KMK.KNAME, QStringLiteral("当期純利益"));
    EXPECT_EQ(rows_[1].KOUSEIHI, tenths(1000));
    EXPECT_EQ(rows_[accountRow(QStringLiteral("5101"))].KOUSEIHI, tenths(471)); // 660 / 1400
    EXPECT_EQ(rows_[accountRow(QStringLiteral("-"))].KOUSEIHI, tenths(670));    // 1500 / 2240
}

// Kind 2 (periods 5 to 8): profit and loss start from 0, the balancing line brings forward the
// profit of periods 1..4, and its change over the range is the range's net profit.
TEST_F(MbStatements, AQuarterStartsTheProfitAndLossFromZero) {
    read(3, 0);
    compute(2, 0, 0);
    EXPECT_EQ(rows_[accountRow(QStringLiteral("4101"))].KURIKOSI, yen(0));
    EXPECT_EQ(rows_[11].KURIKOSI, yen(2160));
    EXPECT_EQ(rows_[11].ZAN, yen(2240));
    EXPECT_EQ(rows_[19].KURIKOSI, yen(660));
    EXPECT_EQ(rows_[49].ZAN, yen(80));
    EXPECT_EQ(rows_[19].ZAN - rows_[19].KURIKOSI, rows_[49].ZAN);
    EXPECT_EQ(rows_[24].KURIKOSI, rows_[11].KURIKOSI);
}

// The settlement read fills the per-period totals of the lines and their ratios.
TEST_F(MbStatements, TheSettlementReadTotalsEachPeriod) {
    read(4, 0);
    const qint64 cash[17] = {1500, 2600, 2160, 2160, 2160, 2240, 2240, 2240, 2240, 2240, 2240, 2240, 2240, 2240, 2240, 2240, 2240};
    for (int p = 0; p <= 16; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(rows_[11].ZANDAKA[p], yen(cash[p]));
        EXPECT_EQ(rows_[24].ZANDAKA[p], rows_[11].ZANDAKA[p]);
        EXPECT_EQ(rows_[1].KOUSEIHI_P[p], tenths(1000));
    }
    EXPECT_EQ(rows_[49].ZANDAKA[16], yen(740));
    EXPECT_EQ(rows_[49].HASSEI[5], yen(80));
    EXPECT_EQ(rows_[33].KOUSEIHI_P[16], tenths(471));
}

// A department group reads each member department and adds the amounts into the row of the
// same account; a member outside the facility is not read.
TEST_F(MbStatements, ADepartmentGroupAddsItsMembersByAccount) {
    QStringList members;
    statements::GetSisetuGroupBumonList(members, QStringLiteral("01"), QStringLiteral("BG"));
    members.sort();
    EXPECT_EQ(members, QStringList({"00", "01"}));

    read(0, 4, QStringLiteral("01"), QStringLiteral("BG"));
    EXPECT_EQ(accounts(), QStringList({"1101 1110 1 1000 1660", "1201 1300 1 0 0", "2101 2100 3 0 0",
                                       "3101 3110 3 1000 1000", "4101 4110 3 0 1100", "5101 5100 1 0 440"}));
    const TBALANCE& sales = rows_[accountRow(QStringLiteral("4101"))];
    ASSERT_EQ(sales.HOJCNT, 1);
    EXPECT_EQ(sales.HOJOUTIWAKE[0].HCODE, QStringLiteral("001"));
    EXPECT_EQ(sales.HOJOUTIWAKE[0].ZANDAKA[16], yen(1100));
}

// A result with more accounts than the rows hold grows both arrays.
TEST_F(MbStatements, TheReadGrowsTheArraysForMoreAccounts) {
    rows_.resize(63);
    sorts_.resize(63);
    statements::pcMbSisanhyo_Read(rows_, 62, sorts_, 62, QString(), QString(), 0, 0, 3, 1, 0, 0);
    EXPECT_EQ(rows_.size(), 67);
    EXPECT_EQ(sorts_.size(), 67);
    EXPECT_EQ(rows_[66].KMK.KCODE, QStringLiteral("5101"));
}

// A database error is reported, rolls the snapshot back and reaches the caller.
TEST_F(MbStatements, ADatabaseErrorIsReportedAndPropagates) {
    EXPECT_THROW(read(0, 0, QString(), QStringLiteral("TOOLONGCODE")), core::EIBError);
    EXPECT_FALSE(session_->dm.IBTransactionDATSS.inTransaction());
    ASSERT_FALSE(session_->messages.messages.isEmpty());
}

// The business kind picks the grouping: GROUPR1 for kinds 2 and 4, GROUPM1 otherwise; an unknown
// kind is reported and grouped by GROUPM1.
TEST_F(MbStatements, TheBusinessKindPicksTheGrouping) {
    const struct {
        qint32 jigyou;
        int line; // the line that collects an account of GROUPM1 "4110", GROUPR1 "4260"
        bool message;
    } cases[] = {{2, 28, false}, {4, 28, false}, {16, 25, false}, {8, 25, false}, {3, 25, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.jigyou);
        session_->messages.messages.clear();
        statements::ClearBalanceArray(rows_, 699, sorts_);
        statements::LoadMbTotalNames(rows_, sorts_, 16, 1, false);
        TBALANCE& a = rows_[61];
        a.KMK.KCODE = QStringLiteral("4101");
        a.KMK.GROUPM1 = QStringLiteral("4110");
        a.KMK.GROUPR1 = QStringLiteral("4260");
        a.KMK.DAC = 3;
        a.KMK.BPFLG = QStringLiteral("P");
        a.KAS[1] = yen(100);
        compute(0, 1, 16, c.jigyou);
        EXPECT_EQ(rows_[c.line].ZAN, yen(100));
        EXPECT_EQ(rows_[c.line == 25 ? 27 : 25].ZAN, yen(0));
        EXPECT_EQ(messages().contains(QStringLiteral("事業区分の設定が必要です。")), c.message);
    }
}

// An explicit range outside 1..16 is refused before any row changes; kinds 1..6 fix their own.
TEST_F(MbStatements, AnExplicitRangeMustLieWithinTheYear) {
    read(3, 0);
    const struct {
        qint32 kind, start, end;
    } bad[] = {{0, 0, 4}, {0, -20, 4}, {7, 5, 17}, {-1, 9, 8}};
    for (const auto& c : bad) {
        SCOPED_TRACE(c.start);
        session_->messages.messages.clear();
        EXPECT_THROW(compute(c.kind, c.start, c.end), core::Exception);
        EXPECT_EQ(messages(), QStringList({QStringLiteral("期間番号は「1～16」です。 [%1-%2]").arg(c.start).arg(c.end)}));
        EXPECT_EQ(rows_[11].ZAN, yen(0));
    }
    EXPECT_NO_THROW(compute(3, -5, 99));
}

// A year whose last month falls before the end of a quarter computes to period 16.
TEST_F(MbStatements, AShortYearRunsAQuarterToTheLastPeriod) {
    const struct {
        QDate kimatu;
        qint64 debit;
    } cases[] = {{QDate(2025, 3, 31), 0}, {QDate(2024, 9, 30), 50}};
    for (const auto& c : cases) {
        statements::ClearBalanceArray(rows_, 699, sorts_);
        statements::LoadMbTotalNames(rows_, sorts_, 16, 1, false);
        core::AccInf.KIMATU = c.kimatu;
        TBALANCE& a = rows_[61];
        a.KMK.KCODE = QStringLiteral("1101");
        a.KMK.GROUPM1 = QStringLiteral("1100");
        a.KMK.DAC = 1;
        a.KMK.BPFLG = QStringLiteral("B");
        a.KAR[10] = yen(50);
        compute(2, 0, 0);
        EXPECT_EQ(a.KARI, yen(c.debit)) << c.kimatu.toString().toStdString();
    }
}

// Ratios: the computation limits KOUSEIHI to -999.0 .. 9,999.0, the per-period ratio becomes 0.
TEST_F(MbStatements, RatiosAreLimitedOrDropped) {
    const struct {
        qint64 tenthsIn, tenthsOut;
    } limits[] = {{99990, 99990}, {99991, 0}, {-9990, -9990}, {-9991, 0}, {123, 123}};
    for (const auto& c : limits)
        EXPECT_EQ(statements::LimitRatio(tenths(c.tenthsIn)), tenths(c.tenthsOut)) << c.tenthsIn;

    statements::ClearBalanceArray(rows_, 699, sorts_);
    statements::LoadMbTotalNames(rows_, sorts_, 16, 1, false);
    auto account = [&](int i, const char* kcode, const char* group, qint64 opening) {
        TBALANCE& a = rows_[i];
        a.KMK.KCODE = QString::fromUtf8(kcode);
        a.KMK.GROUPM1 = QString::fromUtf8(group);
        a.KMK.DAC = 1;
        a.KMK.BPFLG = QStringLiteral("B");
        a.KAISIZAN = yen(opening);
        statements::computePeriodBalances(1, a.KAISIZAN, a.KAR, a.KAS, a.HASSEI, a.ZANDAKA);
    };
    account(61, "1101", "1100", 1000);       // total assets 1000 ...
    account(62, "1501", "1500", 123456);     // ... plus a fixed asset of 123,456 in a contra pair
    account(63, "1502", "1500", -123456);
    compute(0, 1, 16);
    EXPECT_EQ(rows_[62].KOUSEIHI, tenths(99990));
    EXPECT_EQ(rows_[63].KOUSEIHI, tenths(-9990));
    statements::SumMbTotalRows(rows_, 699, 16, 0);
    EXPECT_EQ(rows_[62].KOUSEIHI_P[16], Currency{});
    EXPECT_EQ(rows_[61].KOUSEIHI_P[16], tenths(1000));
}

// Captions by sign for the seven codes, "医業" read as "事業" for the whole corporation; the
// company transaction of a caller stays open.
TEST_F(MbStatements, SignDependentCaptions) {
    const struct {
        const char* code;
        qint64 amount;
        qint32 jigyou;
        const char* caption;
    } cases[] = {{"6950", 5, 8, "医業利益"},      {"6950", -5, 0, "事業損失"},     {"6950", 0, 255, "事業利益"},
                 {"3480", -1, 16, "繰越損失"},    {"9600", 3, 2, "次期繰越利益"},  {"1900", -1, 0, "元の名前"},
                 {"4180", -1, 0, "元の名前"}};
    core::TIBTransaction& dat = session_->dm.IBTransactionDAT;
    dat.startTransaction();
    for (const auto& c : cases)
        EXPECT_EQ(statements::GetMbTotalName(QString::fromUtf8(c.code), QStringLiteral("元の名前"), yen(c.amount), c.jigyou),
                  QString::fromUtf8(c.caption))
            << c.code << " " << c.jigyou;
    EXPECT_TRUE(dat.inTransaction());
    dat.rollback();
}

// Facilities by business kind: the kind of one facility, and the lines hidden for a facility
// group; line 32 stays only while two of the four kinds are shown.
TEST_F(MbStatements, BusinessKindLinesOfAFacilityGroup) {
    EXPECT_EQ(statements::GetSisetuJigyou(QStringLiteral("02")), 4);
    EXPECT_EQ(statements::GetSisetuJigyou(QStringLiteral("99")), 0);
    const struct {
        const char* group;
        const char* shown; // of the entries 26, 28, 30, 31, 32
    } cases[] = {{"G1", "26 28 32"}, {"G2", "26"}};
    for (const auto& c : cases) {
        read(3, 5, QString::fromUtf8(c.group));
        QStringList shown;
        for (const TQSORT& s : sorts_)
            if (QList<int>{26, 28, 30, 31, 32}.contains(s.ROWIDX) && s.SORTKEY != statements::HiddenSortKey)
                shown << QString::number(s.ROWIDX);
        shown.sort();
        EXPECT_EQ(shown.join(u' '), QString::fromUtf8(c.shown)) << c.group;
    }
}

} // namespace
