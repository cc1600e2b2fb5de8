#include "core/db/FbValue.h"

#include <gtest/gtest.h>

using namespace core::fbvalue;

TEST(FbValue, ScaledIntegersAsExactDecimals) {
    const struct {
        qint64 value;
        int scale;
        const char* text;
        std::optional<qint64> currencyRaw;
    } cases[] = {
        {123456789012345, -4, "12345678901.2345", 123456789012345},
        {-1, -4, "-0.0001", -1},
        {1234500, -4, "123.45", 1234500},
        {5, -2, "0.05", 500},
        {-7, 0, "-7", -70000},
        {12, 2, "1200", 12000000},
        {0, -4, "0", 0},
        // Below a ten-thousandth: nearest, ties to even.
        {123456785, -6, "123.456785", 1234568},
        {123456745, -6, "123.456745", 1234567},
        {123456650, -6, "123.45665", 1234566},
        {-123456750, -6, "-123.45675", -1234568},
        {std::numeric_limits<qint64>::max(), 0, "9223372036854775807", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scaledToString(c.value, c.scale), QString::fromLatin1(c.text)) << c.value;
        const auto currency = scaledToCurrency(c.value, c.scale);
        ASSERT_EQ(currency.has_value(), c.currencyRaw.has_value()) << c.value;
        if (currency) {
            EXPECT_EQ(currency->raw, *c.currencyRaw) << c.value;
        }
    }
}

TEST(FbValue, ParsesDecimalTextAsCurrency) {
    const struct {
        const char* text;
        std::optional<qint64> raw;
    } cases[] = {
        {"12345678901.2345", 123456789012345}, {" -0.0001 ", -1}, {"+3", 30000}, {"1.5", 15000},
        {"0.00005", 0}, {"0.00015", 2}, {".5", 5000}, {"", std::nullopt}, {"-", std::nullopt},
        {"1,000", std::nullopt}, {"1.2.3", std::nullopt}, {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = parseCurrency(QString::fromLatin1(c.text));
        ASSERT_EQ(parsed.has_value(), c.raw.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->raw, *c.raw) << c.text;
        }
    }
}

TEST(FbValue, DatesCountDaysFrom1858November17) {
    EXPECT_EQ(encodeDate(QDate(1858, 11, 17)), 0);
    EXPECT_EQ(encodeDate(QDate(2000, 1, 1)), 51544);
    const QDate dates[] = {QDate(1899, 12, 30), QDate(2024, 2, 29), QDate(9999, 12, 31), QDate(1, 1, 1)};
    for (const QDate& d : dates)
        EXPECT_EQ(decodeDate(encodeDate(d)), d) << d.toString().toStdString();
    EXPECT_EQ(encodeTime(QTime(23, 59, 59, 999)), 863999990u);
    EXPECT_EQ(decodeTime(encodeTime(QTime(12, 34, 56, 789))), QTime(12, 34, 56, 789));
}
