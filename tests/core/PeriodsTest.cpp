#include "core/dates/Periods.h"
#include "core/dates/SerialDate.h"

#include <gtest/gtest.h>

using namespace core;

namespace {
QDate d(int y, int m, int day) { return QDate(y, m, day); }
} // namespace

TEST(Periods, MonthsMapToPeriodsAroundTheAdjustmentColumns) {
    const int periodNo[] = {-1, 1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15, -1};
    for (int index = -1; index <= 12; ++index)
        EXPECT_EQ(MonthIndexToPeriodNo(index), periodNo[index + 1]) << index;
    const int periodIndex[] = {0, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 0};
    for (int month = 0; month <= 13; ++month)
        EXPECT_EQ(MonthToPeriodIndex(month), periodIndex[month]) << month;
}

TEST(Periods, DateToPeriodNoWithAndWithoutAdjustment) {
    const struct {
        int closingDay;
        QDate start, end, date;
        int plain, adjusted;
    } cases[] = {
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 4, 1), 1, 1},
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 6, 15), 3, 4},
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 7, 1), 5, 5},
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 12, 31), 11, 12},
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2025, 1, 10), 13, 13},
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2025, 3, 31), 15, 16},
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2025, 3, 30), 15, 16},
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2025, 6, 1), 15, 16}, // after the year end: last month
        {99, d(2024, 4, 1), d(2025, 3, 31), d(2024, 3, 31), -1, -1},
        {99, d(2024, 4, 1), d(2025, 3, 31), QDate(), -1, -1},
        {99, d(2024, 4, 1), d(2024, 9, 30), d(2024, 9, 30), 7, 16}, // short year: its end is period 16
        {99, d(2024, 4, 1), d(2024, 9, 30), d(2024, 9, 29), 7, 8},
        {20, d(2024, 3, 21), d(2025, 3, 20), d(2024, 3, 21), 1, 1},
        {20, d(2024, 3, 21), d(2025, 3, 20), d(2024, 6, 20), 3, 4},
        {20, d(2024, 3, 21), d(2025, 3, 20), d(2024, 6, 21), 5, 5},
    };
    for (const auto& c : cases) {
        const std::string label = c.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(DateToPeriodNo(c.closingDay, 0, c.start, c.end, c.date), c.plain) << label;
        EXPECT_EQ(DateToPeriodNo(c.closingDay, 1, c.start, c.end, c.date), c.adjusted) << label;
        // Only the value 1 sets the flag.
        EXPECT_EQ(DateToPeriodNo(c.closingDay, 2, c.start, c.end, c.date), c.plain) << label;
    }
}

TEST(Periods, ClosingDatesAndMonthCounts) {
    const struct {
        int offset, closingDay;
        QDate date, closing;
    } sime[] = {
        {0, 25, d(2024, 1, 26), d(2024, 2, 25)},
        {0, 25, d(2024, 1, 25), d(2024, 1, 25)},
        {0, 99, d(2024, 2, 10), d(2024, 2, 29)},
        {0, 99, d(2023, 2, 10), d(2023, 2, 28)},
        {1, 99, d(2024, 1, 31), d(2024, 2, 29)},
        {-1, 99, d(2024, 3, 15), d(2024, 2, 29)},
        {2, 10, d(2024, 11, 11), d(2025, 2, 10)},
        {0, 30, d(2024, 1, 26), d(2024, 1, 26)}, // not a closing day: unchanged
        {0, 0, d(2024, 1, 26), d(2024, 1, 26)},
    };
    for (const auto& c : sime)
        EXPECT_EQ(GetSimeDate(c.offset, c.closingDay, c.date), c.closing) << c.date.toString(Qt::ISODate).toStdString();

    EXPECT_EQ(GetMonthCount(99, d(2024, 4, 1), d(2025, 3, 31)), 11);
    EXPECT_EQ(GetMonthCount(25, d(2024, 1, 26), d(2024, 2, 25)), 0);
    EXPECT_EQ(GetMonthCount(25, d(2024, 2, 25), d(2024, 1, 26)), 0);
    EXPECT_EQ(GetMonthCount(99, d(2025, 3, 31), d(2024, 4, 1)), -11);
}

TEST(Periods, IncMonthClampKeepsTheDayWhereTheMonthHasIt) {
    const struct {
        int months;
        QDate date, result;
    } cases[] = {
        {1, d(2024, 1, 31), d(2024, 2, 29)},
        {1, d(2023, 1, 31), d(2023, 2, 28)},
        {-1, d(2024, 3, 31), d(2024, 2, 29)},
        {12, d(2024, 2, 29), d(2025, 2, 28)},
        {13, d(2024, 1, 15), d(2025, 2, 15)},
        {-14, d(2024, 1, 15), d(2022, 11, 15)},
        {0, d(2024, 1, 31), d(2024, 1, 31)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IncMonthClamp(c.months, c.date), c.result) << c.months;
    EXPECT_EQ(AddDays(1, d(2024, 2, 28)), d(2024, 2, 29));
    EXPECT_EQ(AddDays(-1, d(2024, 3, 1)), d(2024, 2, 29));
    EXPECT_EQ(DayOfDate(d(2024, 2, 29)), 29);
}

TEST(SerialDate, CountsDaysFromTheZeroDate) {
    const struct {
        QDate date;
        int serial;
    } cases[] = {
        {d(1899, 12, 30), 0}, {d(1899, 12, 31), 1}, {d(1900, 1, 1), 2},
        {d(2024, 4, 1), 45383}, {d(1899, 12, 29), -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dateToSerial(c.date), c.serial);
        if (c.serial != 0) {
            EXPECT_EQ(serialToDate(c.serial), c.date);
        }
    }
    EXPECT_EQ(dateToSerial(QDate()), 0);
    EXPECT_FALSE(serialToDate(0).isValid());
}
