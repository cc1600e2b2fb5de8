// The shared pieces of both statement paths: total-line rows by layout, the array length,
// clearing, and the exact rounding of composition ratios.

#include "statements/KamokuGroup.h"

#include "core/Globals.h"
#include "core/session/MedicalLayout.h"

#include <gtest/gtest.h>

namespace {

using core::Currency;
using namespace statements;

Currency tenths(qint64 n) { return Currency::fromRaw(n * 1000); }

class KamokuGroup : public testing::Test {
protected:
    ~KamokuGroup() override {
        core::AccInf = saved_;
        InitKamokuGroupTable(false);
    }
    core::TACCINF saved_ = core::AccInf;
};

TEST_F(KamokuGroup, LayoutFollowsTheOpenCompany) {
    core::AccInf.MedicalData = 0;
    InitKamokuGroupTable(false);
    EXPECT_EQ(GetBalanceCount(), 500);
    EXPECT_EQ(TotalRowIndex(14), 14);
    EXPECT_EQ(TotalRowIndex(28), 28);
    EXPECT_EQ(TotalRowIndex(MedicalOnlyLine), 0);

    core::AccInf.MedicalData = 1;
    InitKamokuGroupTable(true);
    EXPECT_EQ(GetBalanceCount(), 700);
    const std::pair<int, int> medical[] = {{1, 1}, {14, 0}, {15, 14}, {19, 16}, {22, 17}, {23, 21}, {27, 24},
                                           {28, 32}, {29, 0}, {36, 32}, {38, 42}, {44, 48}, {45, 0},
                                           {MedicalOnlyLine, 19}};
    for (const auto& [line, row] : medical)
        EXPECT_EQ(TotalRowIndex(line), row) << "line " << line;

    // The data module switches core's flag when it opens an ordinary company again.
    core::AccInf.MedicalData = 0;
    core::SelectMedicalLayout(false);
    EXPECT_EQ(GetBalanceCount(), 500);
    EXPECT_EQ(TotalRowIndex(28), 28);
    EXPECT_EQ(TotalRowIndex(46), 0);
    EXPECT_EQ(TotalRowIndex(-1), 0);
}

TEST_F(KamokuGroup, ClearingKeepsWhatTheComputationSetsItself) {
    TBalanceArray rows(6);
    TQSortArray sorts(6);
    for (TBALANCE& r : rows) {
        r.KMK.KCODE = QStringLiteral("1101");
        r.KAISIZAN = Currency::fromInt(5);
        r.KAR[-15] = Currency::fromInt(1);
        r.ZANDAKA[16] = Currency::fromInt(2);
        r.ZENKI = Currency::fromInt(3);
        r.MSTREC = 7;
        r.HOJCNT = 1;
        r.HOJOUTIWAKE.resize(1);
    }
    sorts[5] = TQSORT{QStringLiteral("1110"), 9};
    ClearBalanceArray(rows, 4, sorts);
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(sorts[i].SORTKEY, HiddenSortKey);
        EXPECT_EQ(sorts[i].ROWIDX, i);
        EXPECT_TRUE(rows[i].KMK.KCODE.isEmpty());
        EXPECT_EQ(rows[i].KAISIZAN, Currency{});
        EXPECT_EQ(rows[i].KAR[-15], Currency{});
        EXPECT_EQ(rows[i].ZANDAKA[16], Currency{});
        EXPECT_EQ(rows[i].HOJCNT, 0);
        EXPECT_EQ(rows[i].ZENKI, Currency::fromInt(3));
        EXPECT_EQ(rows[i].MSTREC, 7);
    }
    EXPECT_EQ(sorts[5].SORTKEY, QStringLiteral("1110"));
    EXPECT_EQ(rows[5].KMK.KCODE, QStringLiteral("1101"));

    // Arrays shorter than asked grow instead of being written past their end.
    TBalanceArray few(2);
    TQSortArray none;
    ClearBalanceArray(few, 9, none);
    EXPECT_EQ(few.size(), 10);
    ASSERT_EQ(none.size(), 10);
    EXPECT_EQ(none[9].ROWIDX, 9);
}

// Half away from zero to one decimal of the percentage, exactly: the double form rounds
// 0.5005 up as its decimal reads (the binary value lies just below and would give 50.0).
TEST_F(KamokuGroup, RoundKingakuIsExact) {
    const struct {
        qint64 part;
        qint64 whole;
        double ratio;
        qint64 expectedTenths;
    } cases[] = {
        {1, 2, 0.5, 500},
        {12344, 100000, 0.12344, 123},
        {12356, 100000, 0.12356, 124},
        {-12356, 100000, -0.12356, -124},
        {5005, 10000, 0.5005, 501},
        {-5005, 10000, -0.5005, -501},
        {1, 3, 1.0 / 3.0, 333},
        {2, 3, 2.0 / 3.0, 667},
        {0, 7, 0.0, 0},
        {150, 1, 150.0, 150000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ratio);
        EXPECT_EQ(RoundKingaku(Currency::fromInt(c.part), Currency::fromInt(c.whole)), tenths(c.expectedTenths));
        EXPECT_EQ(RoundKingaku(Currency::fromInt(-c.part), Currency::fromInt(-c.whole)), tenths(c.expectedTenths));
        EXPECT_EQ(RoundKingaku(c.ratio), tenths(c.expectedTenths));
    }
    EXPECT_EQ(RoundKingaku(Currency::fromInt(5), Currency{}), Currency{});
    EXPECT_EQ(RoundKingaku(std::nan("")), Currency{});
}

} // namespace
