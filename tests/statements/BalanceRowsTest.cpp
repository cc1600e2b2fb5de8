// The balance-row records: the signed period index and the per-period net changes and
// balances by account nature.

#include "statements/BalanceRows.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using core::Currency;
using statements::TBALANCE;
using statements::TPeriodArray;

TEST(BalanceRows, PeriodIndexRunsFromMinus32To19) {
    TPeriodArray a;
    a[-32] = Currency::fromInt(1);
    a[0] = Currency::fromInt(2);
    a[19] = Currency::fromInt(3);
    EXPECT_EQ(a[-32], Currency::fromInt(1));
    EXPECT_EQ(a[0], Currency::fromInt(2));
    EXPECT_EQ(a[19], Currency::fromInt(3));
    EXPECT_EQ(a[-15], Currency{});
    EXPECT_THROW(a[-33], std::out_of_range);
    EXPECT_THROW(a[20], std::out_of_range);
}

// Natures 1 and 4 change by debit minus credit, 2 and 3 (and any other) by credit minus debit;
// the balance of each period carries the previous one forward from the opening balance.
TEST(BalanceRows, NetChangesAndBalancesFollowTheNature) {
    const struct {
        qint32 dac;
        qint64 period5;
    } cases[] = {{1, -200}, {4, -200}, {2, 200}, {3, 200}, {0, 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dac);
        TBALANCE row;
        row.KMK.DAC = c.dac;
        row.KAISIZAN = Currency::fromInt(1000);
        row.KAR[5] = Currency::fromInt(100);
        row.KAS[5] = Currency::fromInt(300);
        statements::computePeriodBalances(row.KMK.DAC, row.KAISIZAN, row.KAR, row.KAS, row.HASSEI, row.ZANDAKA);
        EXPECT_EQ(row.HASSEI[0], Currency::fromInt(1000));
        EXPECT_EQ(row.HASSEI[5], Currency::fromInt(c.period5));
        EXPECT_EQ(row.ZANDAKA[4], Currency::fromInt(1000));
        for (int p = 5; p <= 16; ++p)
            EXPECT_EQ(row.ZANDAKA[p], Currency::fromInt(1000 + c.period5)) << p;
    }
}

TEST(BalanceRows, HiddenKeyIsTheHalfWidthSemiVoicedMark) {
    EXPECT_EQ(statements::HiddenSortKey, QString(QChar(0xFF9F)));
}

} // namespace
