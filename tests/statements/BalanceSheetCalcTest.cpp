#include "statements/BalanceSheetCalc.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "statements/BalanceSheetTotals.h"
#include "tests/statements/CompanyDm.h"
#include "tests/statements/TrialBalanceCompany.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

namespace {

using core::Currency;
using statements::TBALANCE;

Currency yen(qint64 v) { return Currency::fromInt(v); }

// One company database for the suite; the computation reads only ACCTOTALNAME from it.
class BalanceSheetCalcTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        db = statementstest::createOrdinaryCompany(dir->path()).release();
        statementstest::execAll(
            *db, {QStringLiteral("INSERT INTO ACCTOTALNAME (REC, KGROUP, PLUSNAME, MINUSNAME, MODIFY) "
                                 "VALUES (1, '6180', '営業利益', '営業損失', 1)"),
                  QStringLiteral("INSERT INTO ACCTOTALNAME (REC, KGROUP, PLUSNAME, MINUSNAME, MODIFY) "
                                 "VALUES (2, '5800', '売上総利益', '売上総損失', 0)")});
    }
    static void TearDownTestSuite() {
        delete db;
        delete dir;
    }

    void SetUp() override { rows.resize(60); }

    // An account row with its opening balance and period amounts (debit, credit by period).
    TBALANCE& account(int i, const char* group, int dac, const char* bpflg, qint64 opening,
                      std::initializer_list<std::tuple<int, qint64, qint64>> periods = {}) {
        TBALANCE& r = rows[i];
        r.KMK.GROUPM1 = r.KMK.GROUPM2 = QString::fromLatin1(group);
        r.KMK.DAC = dac;
        r.KMK.BPFLG = QString::fromLatin1(bpflg);
        r.KAISIZAN = yen(opening);
        for (const auto& [p, debit, credit] : periods) {
            r.KAR[p] = yen(debit);
            r.KAS[p] = yen(credit);
        }
        statements::computePeriodBalances(dac, r.KAISIZAN, r.KAR, r.KAS, r.HASSEI, r.ZANDAKA);
        return r;
    }

    // A small balanced corporation (natures: 1 debit, 3 credit; 2 and 4 count against their
    // section): opening cash 1000 = capital 800 + retained earnings 200;
    // in period 1 sales 500, expenses 200 and taxes 50, all in cash.
    void smallCorporation() {
        account(51, "1110", 1, "B", 1000, {{1, 500, 250}});
        account(52, "3100", 3, "B", 800);
        account(53, "3340", 3, "B", 200);
        account(54, "4100", 3, "P", 0, {{1, 0, 500}});
        account(55, "6100", 1, "P", 0, {{1, 200, 0}});
        account(56, "8300", 1, "P", 0, {{1, 50, 0}});
    }

    void calc(int kind, int start, int end, int noOpening = 0) {
        statements::pcBalanceSheet_Calcu(rows, int(rows.size()) - 1, noOpening, kind, start, end);
    }

    static QTemporaryDir* dir;
    static core::TIBDatabase* db;
    QTemporaryDir logs;
    statementstest::CompanyDm company{*db, logs.path()};
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    QList<TBALANCE> rows;
};

QTemporaryDir* BalanceSheetCalcTest::dir = nullptr;
core::TIBDatabase* BalanceSheetCalcTest::db = nullptr;

TEST_F(BalanceSheetCalcTest, BroughtForwardAndRangeOfOneCashAccount) {
    account(51, "1110", 1, "B", 1000, {{1, 300, 100}, {2, 50, 0}});
    calc(0, 2, 2);
    for (int i : {51, 1, 2}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].KURIKOSI, yen(1200));
        EXPECT_EQ(rows[i].KARI, yen(50));
        EXPECT_EQ(rows[i].KASI, yen(0));
        EXPECT_EQ(rows[i].ZAN, yen(1250));
    }
    calc(0, 2, 2, 1);
    EXPECT_EQ(rows[51].KURIKOSI, yen(0));
    EXPECT_EQ(rows[51].ZAN, yen(50));
}

TEST_F(BalanceSheetCalcTest, GroupsGoToTheFirstRangeThatHoldsThemBoundsExcluded) {
    const std::pair<const char*, int> cases[] = {
        {"1000", 0}, {"1001", 1},  {"1119", 1},  {"1120", 0},  {"1121", 2},  {"3330", 0},  {"3340", 0},
        {"3381", 23}, {"5685", 46}, {"5785", 0},  {"5800", 34}, {"5829", 34}, {"5830", 36}, {"8399", 45},
        {"8400", 0},  {"9000", 0}};
    for (const auto& [group, line] : cases)
        EXPECT_EQ(statements::totalLineOfGroup(QString::fromLatin1(group)), line) << group;

    account(51, "1150", 2, "B", 100);
    account(52, "1120", 1, "B", 999);
    calc(0, 1, 16);
    EXPECT_EQ(rows[2].ZAN, yen(-100));
    EXPECT_EQ(rows[2].ADDCNT, 1);
    EXPECT_EQ(rows[1].ZAN, yen(0));
}

TEST_F(BalanceSheetCalcTest, KindsFixTheRangeAndTheProfitAndLossBroughtForward) {
    TBALANCE& sales = account(51, "4100", 3, "P", 0, {{1, 0, 100}, {6, 0, 40}, {10, 0, 7}});
    for (int k = 1; k <= 16; ++k) // previous year: 10 of sales in every period
        sales.HASSEI[k - 16] = yen(10), sales.ZANDAKA[k - 16] = yen(10 * k);

    calc(3, 1, 16); // periods 9..12 whatever was passed
    EXPECT_EQ(rows[51].KASI, yen(7));
    EXPECT_EQ(rows[51].KURIKOSI, yen(0));
    EXPECT_EQ(rows[51].ZENKI, yen(40)); // previous year's sales of 9..12

    calc(2, 0, 0);
    EXPECT_EQ(rows[51].KURIKOSI, yen(0)); // periods 1..4 had sales, yet the range starts from 0
    EXPECT_EQ(rows[51].ZAN, yen(40));

    calc(1, 0, 0);
    EXPECT_EQ(rows[51].KURIKOSI, yen(0)); // its KAISIZAN
    EXPECT_EQ(rows[51].ZAN, yen(100));
    EXPECT_EQ(rows[51].ZENKI, yen(40)); // previous-year balance at period 4

    calc(7, 5, 8); // export kind: start after KAISINO 1 drops the brought-forward
    EXPECT_EQ(rows[51].KURIKOSI, yen(0));
    EXPECT_EQ(rows[51].ZAN, yen(40));
}

TEST_F(BalanceSheetCalcTest, ExplicitRangesOutsideThePeriodsAreRefusedBeforeAnyChange) {
    account(51, "1110", 1, "B", 1000);
    for (auto [kind, start, end] : {std::tuple{0, 0, 3}, {0, -20, 4}, {7, 3, 17}, {-1, 5, 4}}) {
        const QString text = QStringLiteral("期間番号は「1～16」です。 [%1-%2]").arg(start).arg(end);
        try {
            calc(kind, start, end);
            ADD_FAILURE() << "no error for " << kind << " " << start << "-" << end;
        } catch (const core::Exception& e) {
            EXPECT_EQ(e.message(), text);
        }
        EXPECT_TRUE(messages.texts().join(u'\n').contains(text)) << text.toStdString();
        EXPECT_EQ(rows[1].ZAN, yen(0));
    }
    EXPECT_NO_THROW(calc(3, 0, 99)); // fixed kinds ignore what was passed
}

TEST_F(BalanceSheetCalcTest, CorporationTotalsBalanceAndRetainedEarningsTakeTheProfit) {
    smallCorporation();
    calc(0, 1, 16);
    const TBALANCE& x = rows[53];
    EXPECT_EQ(rows[11].ZAN, yen(1250));
    EXPECT_EQ(rows[27].ZAN, rows[11].ZAN);
    EXPECT_EQ(rows[27].KURIKOSI, rows[11].KURIKOSI);
    EXPECT_EQ(x.KURIKOSI, yen(200));
    EXPECT_EQ(x.ZAN, yen(450));
    EXPECT_EQ(x.ZAN - x.KURIKOSI, rows[45].ZAN);
    EXPECT_EQ(rows[45].ZAN, yen(250));
    EXPECT_EQ(rows[36].ZAN, yen(500));
    EXPECT_EQ(rows[38].ZAN, yen(300));
    EXPECT_EQ(rows[38].KASI, yen(300)); // profit lines carry the change as credit
    EXPECT_EQ(rows[38].KARI, yen(0));
    // Each total line is the signed sum of its accounts: capital on line 16, cash on 1.
    EXPECT_EQ(rows[16].ZAN, yen(800));
    EXPECT_EQ(rows[1].ZAN, yen(1250));
    EXPECT_EQ(rows[5].ZAN, yen(1250));
}

// An account of a subtotal's own range (the allowance for doubtful accounts, group 1385)
// counts in that subtotal: current assets, total assets and the retained-earnings balance.
TEST_F(BalanceSheetCalcTest, AllowanceInItsOwnRangeCountsInCurrentAssets) {
    smallCorporation();
    account(53, "3340", 3, "B", 150); // the opening 1000 = 800 + 150 + allowance 50
    account(57, "1385", 2, "B", 50);
    calc(0, 1, 16);
    EXPECT_EQ(rows[5].ZAN, yen(1200));
    EXPECT_EQ(rows[11].ZAN, yen(1200));
    EXPECT_EQ(rows[27].ZAN, rows[11].ZAN);
    EXPECT_EQ(rows[53].KURIKOSI, yen(150)); // the balancing figure agrees with the stored opening
    EXPECT_EQ(rows[53].ZAN - rows[53].KURIKOSI, rows[45].ZAN);
}

TEST_F(BalanceSheetCalcTest, IndividualBusinessBalancesOnLine23) {
    core::AccInf.DATATYPE = 2;
    smallCorporation();
    rows[53] = TBALANCE{}; // no retained-earnings account
    account(52, "3100", 3, "B", 1000);
    calc(0, 1, 16);
    // Line 23 = assets - (liabilities + 16 + 19 + 22); its credit is the change.
    EXPECT_EQ(rows[23].ZAN, yen(1250) - rows[16].ZAN);
    EXPECT_EQ(rows[23].KASI, rows[23].ZAN - rows[23].KURIKOSI);
    EXPECT_EQ(rows[27].ZAN, rows[11].ZAN);
}

TEST_F(BalanceSheetCalcTest, ProfitLinesAreCaptionedBySign) {
    smallCorporation();
    account(55, "6100", 1, "P", 0, {{1, 800, 0}}); // an operating loss of 300
    rows[38].KMK.GROUPM2 = QStringLiteral("6180");
    rows[38].KMK.KNAME = QStringLiteral("営業利益");
    rows[36].KMK.GROUPM2 = QStringLiteral("5800");
    rows[36].KMK.KNAME = QStringLiteral("粗利");
    rows[41].KMK.GROUPM2 = QStringLiteral("7280");
    rows[41].KMK.KNAME = QStringLiteral("経常利益");
    core::SystemDef.KingakuPlus = 1;
    calc(0, 1, 16);
    EXPECT_EQ(rows[38].ZAN, yen(-300));
    EXPECT_EQ(rows[38].KMK.KNAME, QStringLiteral("営業損失金額"));
    EXPECT_EQ(rows[36].KMK.KNAME, QStringLiteral("売上総利益")); // MODIFY 0: the plus name, no suffix
    EXPECT_EQ(rows[41].KMK.KNAME, QStringLiteral("経常利益"));   // unknown group keeps its caption
    EXPECT_FALSE(company.dm.IBTransactionDAT.inTransaction());
}

TEST_F(BalanceSheetCalcTest, DatabaseErrorWhileCaptioningPassesOnAndStopsTheRest) {
    smallCorporation();
    statementstest::execAll(*db, {QStringLiteral("ALTER TABLE ACCTOTALNAME ALTER COLUMN PLUSNAME TO PLUSNAME_X")});
    EXPECT_THROW(calc(0, 1, 16), core::EIBError);
    statementstest::execAll(*db, {QStringLiteral("ALTER TABLE ACCTOTALNAME ALTER COLUMN PLUSNAME_X TO PLUSNAME")});
    EXPECT_FALSE(company.dm.IBTransactionDAT.inTransaction());
    EXPECT_EQ(rows[11].KOUSEIHI, yen(0)); // the ratios were not computed
    EXPECT_EQ(rows[45].ZAN, yen(250));    // the totals were
}

TEST_F(BalanceSheetCalcTest, CompositionRatiosAreExactAndLimited) {
    account(51, "1110", 1, "B", 250);
    TBALANCE& other = account(52, "1500", 1, "B", 750);
    other.HOJCNT = 2;
    other.HOJOUTIWAKE.resize(3); // a third line beyond HOJCNT does not count
    other.HOJOUTIWAKE[0].KAISIZAN = yen(250);
    other.HOJOUTIWAKE[1].KAISIZAN = yen(500);
    other.HOJOUTIWAKE[2].KAISIZAN = yen(1);
    calc(0, 1, 16);
    EXPECT_EQ(rows[51].KOUSEIHI, yen(25));
    EXPECT_EQ(rows[11].KOUSEIHI, yen(100));
    EXPECT_EQ(other.HOJOUTIWAKE[0].KOUSEIHI, Currency::fromRaw(333000)); // 33.3
    EXPECT_EQ(other.HOJOUTIWAKE[1].KOUSEIHI, Currency::fromRaw(667000)); // 66.7
    EXPECT_EQ(other.HOJOUTIWAKE[2].ZAN, yen(0));

    account(51, "1110", 1, "B", 123456);
    account(52, "1500", 1, "B", -122456); // total assets 1000
    other.HOJCNT = 0;
    calc(0, 1, 16);
    EXPECT_EQ(rows[51].KOUSEIHI, yen(9999));
    EXPECT_EQ(rows[52].KOUSEIHI, yen(-999));

    account(51, "1110", 1, "B", 1);
    account(52, "1500", 1, "B", -1); // total assets 0: no ratio
    calc(0, 1, 16);
    EXPECT_EQ(rows[51].KOUSEIHI, yen(0));
}

TEST_F(BalanceSheetCalcTest, LateStartingDataRebuildsTheOpeningFromTheYearOpening) {
    core::AccInf.KAISINO = 4;
    smallCorporation();
    rows[51].KISHU0 = yen(900);
    rows[52].KISHU0 = yen(700);
    rows[53].KISHU0 = yen(200);
    calc(0, 1, 16);
    EXPECT_EQ(rows[11].KURIKOSI, yen(1000)); // kind 0: nothing rebuilt
    calc(7, 5, 16);
    EXPECT_EQ(rows[11].KURIKOSI, yen(900));
    EXPECT_EQ(rows[51].KURIKOSI, yen(900));
    EXPECT_EQ(rows[52].KURIKOSI, yen(700));
    EXPECT_EQ(rows[16].KURIKOSI, yen(700));
    EXPECT_EQ(rows[53].KURIKOSI, yen(200)); // 900 - 700: the balancing retained earnings
    EXPECT_EQ(rows[45].KASI, rows[53].ZAN - rows[53].KURIKOSI);
}

} // namespace
