#include "core/dates/Gengo.h"
#include "link/export/ValueFormats.h"

#include <gtest/gtest.h>

using namespace taxreturn;
using core::Currency;

namespace {

TEST(ValueFormatsTest, AmountsRoundHalfAwayFromZeroAndShowZeroByFormat)
{
    struct Case {
        qint64 raw;
        const char* amount;
        const char* amount0;
    } cases[] = {
        {0, "", "0"},
        {12345000, "1235", "1235"},      // 1234.5
        {12346000, "1235", "1235"},      // 1234.6
        {-12345000, "-1235", "-1235"},
        {12344999, "1234", "1234"},
        {4000, "", "0"},                 // 0.4 rounds to zero
        {-4000, "", "0"},
        {-5000, "-1", "-1"},
        {Currency::fromInt(1000000000000LL).raw, "1000000000000", "1000000000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatAmount(Currency::fromRaw(c.raw)), QString::fromLatin1(c.amount)) << c.raw;
        EXPECT_EQ(FormatAmount0(Currency::fromRaw(c.raw)), QString::fromLatin1(c.amount0)) << c.raw;
    }
}

TEST(ValueFormatsTest, DatesInTheirThreeForms)
{
    core::InitGengoTable();
    EXPECT_EQ(FormatDate8(QDate(2024, 4, 1)), "20240401");
    EXPECT_EQ(FormatIsoDate(QDate(2025, 3, 31)), "2025-03-31");
    EXPECT_EQ(FormatIsoDate(QDate(1899, 12, 30)), "1899-12-30");
    EXPECT_EQ(FormatIsoDate(QDate()), "");
    EXPECT_EQ(FormatDate8(QDate()), "");
    EXPECT_EQ(FormatEraDate(QDate(2024, 4, 1)), QStringLiteral("令和06年04月01日"));
    EXPECT_EQ(FormatEraDate(QDate(2019, 4, 30)), QStringLiteral("平成31年04月30日"));
    EXPECT_EQ(FormatEraDate(QDate(2019, 5, 1)), QStringLiteral("令和01年05月01日"));
    EXPECT_EQ(FormatEraDate(QDate()), "");
}

} // namespace
