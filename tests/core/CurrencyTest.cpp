#include "core/Currency.h"

#include <gtest/gtest.h>

#include <limits>

using core::Currency;

TEST(Currency, PrintsShortestDecimal) {
    const struct {
        qint64 raw;
        const char* text;
    } cases[] = {
        {0, "0"},
        {30000, "3"},
        {125000, "12.5"},
        {-1, "-0.0001"},
        {-12345, "-1.2345"},
        {123456789012345, "12345678901.2345"},
        {std::numeric_limits<qint64>::min(), "-922337203685477.5808"},
        {std::numeric_limits<qint64>::max(), "922337203685477.5807"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::fromRaw(c.raw).toString(), QString::fromLatin1(c.text)) << c.raw;
}

TEST(Currency, ArithmeticAndOrderWorkOnTenThousandths) {
    const Currency a = Currency::fromInt(2);
    const Currency b = Currency::fromRaw(1);
    EXPECT_EQ((a + b).raw, 20001);
    EXPECT_EQ((b - a).raw, -19999);
    EXPECT_EQ((-a).raw, -20000);
    EXPECT_LT(b, a);
    EXPECT_EQ(a, Currency::fromRaw(20000));
    EXPECT_DOUBLE_EQ(Currency::fromRaw(-15).toDouble(), -0.0015);
    Currency sum;
    sum += a;
    sum -= b;
    EXPECT_EQ(sum.raw, 19999);
}
