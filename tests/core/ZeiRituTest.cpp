#include "core/Globals.h"
#include "core/tax/RoundCurrency.h"
#include "core/tax/ZeiRitu.h"

#include <gtest/gtest.h>

#include <limits>

using namespace core;

namespace core {
// Amounts read as yen in failure output.
static void PrintTo(const Currency& value, std::ostream* os) { *os << value.toString().toStdString(); }
} // namespace core

namespace {

Currency yen(double value)
{
    return Currency::fromRaw(qint64(value * Currency::scale + (value < 0 ? -0.5 : 0.5)));
}

// A company data set of the given version, with the rate table loaded for it.
class ZeiRitu : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedAccInf_ = AccInf;
        savedTable_ = ZeiRituTable;
        openData(15, 0, 0);
    }
    void TearDown() override
    {
        AccInf = savedAccInf_;
        ZeiRituTable = savedTable_;
    }

    static void openData(int major, int minor, int release)
    {
        AccInf.DataMajor = major;
        AccInf.DataMinor1 = minor;
        AccInf.DataMinor2 = release;
        LoadZeiRituTable();
    }

private:
    TACCINF savedAccInf_;
    TZeiRituList savedTable_;
};

} // namespace

TEST(RoundCurrency, EveryMode) {
    const struct {
        int mode;
        double value;
        double expected;
    } cases[] = {
        {0, 1.9, 1},      {0, -1.9, -1},     {0, 0.9999, 0},   {0, 3, 3},       {0, -0.0001, 0},
        {2, 1.0001, 2},   {2, 3, 3},         {2, 1.2, 2},      {2, -1.2, -2},   {2, -0.0001, -1},
        {2, 0, 0},        {1, 2.5, 3},       {1, -2.5, -3},    {1, 2.4999, 2},  {1, -2.4999, -2},
        {1, 0.5, 1},      {1, 3.5, 4},       {3, 2.5, 3},      {9, -1.5, -2},   {-1, 1.4, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundCurrency(c.mode, yen(c.value)), yen(c.expected)) << c.mode << " " << c.value;
}

TEST(RoundCurrency, StaysInsideTheMoneyRangeAtItsEnds) {
    const qint64 maxYen = std::numeric_limits<qint64>::max() / Currency::scale;
    const Currency top = Currency::fromRaw(std::numeric_limits<qint64>::max());
    const Currency bottom = Currency::fromRaw(std::numeric_limits<qint64>::min());
    for (int mode : {0, 1, 2}) {
        EXPECT_EQ(RoundCurrency(mode, top), Currency::fromInt(maxYen)) << mode;
        EXPECT_EQ(RoundCurrency(mode, bottom), Currency::fromInt(-maxYen)) << mode;
    }
}

TEST_F(ZeiRitu, TableFollowsTheDataVersion) {
    const struct {
        int major, minor, release;
        QStringList names;
    } cases[] = {
        {15, 0, 0, {"10%", "8*%", "8%", "5%", "3%"}},
        {11, 1, 0, {"10%", "8*%", "8%", "5%", "3%"}},
        {11, 0, 9, {"8%", "5%", "3%"}},
        {0, 0, 0, {"8%", "5%", "3%"}},
    };
    for (const auto& c : cases) {
        openData(c.major, c.minor, c.release);
        QStringList names;
        for (const TZeiRituRec& rec : ZeiRituTable)
            names << rec.Name;
        EXPECT_EQ(names, c.names) << c.major << "." << c.minor << "." << c.release;
    }

    openData(15, 0, 0);
    const TZeiRituRec& reduced = ZeiRituTable[1];
    EXPECT_EQ(reduced.Key, 4);
    EXPECT_EQ(reduced.Rate, Currency::fromInt(8));
    EXPECT_EQ(reduced.StartDate, QStringLiteral("2019/10/01"));
    EXPECT_EQ(reduced.DateBound, 0);
    EXPECT_EQ(reduced.UsageIndex, 3);
}

TEST_F(ZeiRitu, RatesByKey) {
    const struct {
        int major, minor;
        qint32 key;
        int rate;
    } cases[] = {
        {15, 0, 0, 10}, {15, 0, 1, 3}, {15, 0, 2, 5}, {15, 0, 3, 8}, {15, 0, 4, 8}, {15, 0, 9, 10},
        {11, 0, 0, 8},  {11, 0, 1, 3}, {11, 0, 2, 5}, {11, 0, 3, 8}, {11, 0, 4, 8},
    };
    for (const auto& c : cases) {
        openData(c.major, c.minor, 0);
        EXPECT_EQ(GetZeiRitu(c.key), Currency::fromInt(c.rate)) << c.major << "." << c.minor << " key " << c.key;
    }
}

TEST_F(ZeiRitu, AnEmptyTableIsLoadedOnFirstUse) {
    ZeiRituTable.clear();
    EXPECT_EQ(GetZeiRitu(0), Currency::fromInt(10));
    ZeiRituTable.clear();
    EXPECT_EQ(GetZeiRituCode(0, QDate(2015, 1, 1)), 3);
    EXPECT_EQ(ZeiRituTable.size(), 5);
}

TEST_F(ZeiRitu, RateKeyAtTheBoundaryDates) {
    const struct {
        qint32 key;
        QDate date;
        qint32 expected;
    } cases[] = {
        // The reduced rate is chosen by the goods, whatever the date.
        {4, QDate(2019, 10, 1), 4}, {4, QDate(2000, 1, 1), 4}, {4, QDate(), 4},
        // A key whose rate had begun by the date stays.
        {2, QDate(2020, 1, 1), 2}, {1, QDate(1995, 1, 1), 1}, {3, QDate(2019, 9, 30), 3},
        {3, QDate(2014, 4, 1), 3}, {0, QDate(2019, 10, 1), 0},
        // A rate not yet in force gives way to the newest rate in force.
        {3, QDate(1996, 1, 1), 1}, {3, QDate(2014, 3, 31), 2}, {0, QDate(2019, 9, 30), 3},
        {0, QDate(2014, 3, 31), 2}, {2, QDate(1997, 3, 31), 1}, {2, QDate(1997, 4, 1), 2},
        {0, QDate(1989, 4, 1), 1}, {0, QDate(1989, 3, 31), 0}, {1, QDate(1989, 3, 31), 0},
        // An unknown key is replaced by the rate in force.
        {7, QDate(2024, 1, 1), 0}, {7, QDate(2015, 1, 1), 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetZeiRituCode(c.key, c.date), c.expected) << c.key << " " << c.date.toString(Qt::ISODate).toStdString();
}

TEST_F(ZeiRitu, OlderDataKnowsEightPercentAsKeyZero) {
    openData(11, 0, 9);
    EXPECT_EQ(GetZeiRituCode(0, QDate(2024, 1, 1)), 0);
    EXPECT_EQ(GetZeiRituCode(3, QDate(2024, 1, 1)), 0);
    EXPECT_EQ(GetZeiRituCode(0, QDate(2014, 3, 31)), 2);
    EXPECT_EQ(GetZeiRituCode(4, QDate(2024, 1, 1)), 0);
}
