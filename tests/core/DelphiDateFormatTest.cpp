// Delphi-compatible date formatting and parsing under the process-wide formats.
#include "core/text/DateText.h"
#include "core/text/DelphiDateFormat.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

// The process-wide formats are shared: every test starts and ends with the start-up values.
class DelphiDateFormatTest : public ::testing::Test {
protected:
    void SetUp() override { resetProcessFormatSettings(); }
    void TearDown() override { resetProcessFormatSettings(); }

    const QDateTime afternoon{QDate(2024, 3, 5), QTime(14, 7, 9, 45)}; // a Tuesday
};

// The year ending in the two digits that lies within 50 years before and 49 after this year.
int windowed(int twoDigits) {
    const int now = QDate::currentDate().year();
    for (int year = (now / 100 - 1) * 100 + twoDigits; year <= now + 100; year += 100)
        if (year >= now - 50 && year < now + 50)
            return year;
    return -1;
}

} // namespace

TEST_F(DelphiDateFormatTest, FormatsPatterns) {
    const struct {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"yyyy/mm/dd hh:nn:ss", "2024/03/05 14:07:09"},
        {"yy/m/d", "24/3/5"},
        {"y", "24"},
        {"hh:mm", "14:07"}, // m after h is minutes
        {"h:m:s", "14:7:9"},
        {"yyyy/mm/dd hh:mm:ss", "2024/03/05 14:07:09"},
        {"hh 'h' mm", "14 h 07"},
        {"mm/dd hh", "03/05 14"},
        {"hhnnmm", "140703"}, // after n, m is the month again
        {"'mm' yyyy", "mm 2024"},
        {"\"at\" hh", "at 14"},
        {"mmm mmmm", "3月 3月"},
        {"ddd dddd", "火 火曜日"},
        {"h:nn am/pm", "2:07 pm"},
        {"h AM/PM", "2 PM"},
        {"h a/p", "2 p"},
        {"hh ampm", "02 午後"},
        {"zzz z", "045 45"},
        {"ddddd", "2024/03/05"},
        {"dddddd", "2024年03月05日"},
        {"c", "2024/03/05 14:07:09"},
        {"t|tt", "14:07|14:07:09"},
        {"YYYY/MM/DD", "2024/03/05"},
        {"yyyymmddhhnnss", "20240305140709"},
        {"yyyy年m月d日", "2024年3月5日"},
        {"x-q", "x-q"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDateTime(u8(c.pattern), afternoon), u8(c.expected)) << c.pattern;
}

TEST_F(DelphiDateFormatTest, MidnightNoonAndTheZeroDate) {
    const QDateTime midnight(QDate(2024, 3, 5), QTime(0, 30));
    EXPECT_EQ(formatDateTime(u8("h:nn am/pm"), midnight), u8("12:30 am"));
    EXPECT_EQ(formatDateTime(u8("h:nn a/p"), QDateTime(QDate(2024, 3, 5), QTime(12, 0))), u8("12:00 p"));
    EXPECT_EQ(formatDateTime(u8("c"), QDate(2024, 3, 5)), u8("2024/03/05"));
    EXPECT_EQ(formatDateTime(u8("yyyy/mm/dd"), QDateTime()), u8("1899/12/30"));
}

TEST_F(DelphiDateFormatTest, SeparatorsComeFromTheProcessFormats) {
    processFormatSettings().dateSeparator = u'-';
    processFormatSettings().timeSeparator = u'.';
    EXPECT_EQ(formatDateTime(u8("yyyy/mm/dd hh:nn"), afternoon), u8("2024-03-05 14.07"));
    EXPECT_EQ(formatDateTime(u8("yyyy'/'mm"), afternoon), u8("2024/03"));
}

TEST_F(DelphiDateFormatTest, ParsesByTheShortDateFormat) {
    const int thisYear = QDate::currentDate().year();
    const struct {
        const char* text;
        QDate expected; // null: not a date
    } cases[] = {
        {"2024/3/5", QDate(2024, 3, 5)},
        {"2024/03/05", QDate(2024, 3, 5)},
        {" 2024 / 3 / 5 ", QDate(2024, 3, 5)},
        {"2024/2/29", QDate(2024, 2, 29)},
        {"3/5", QDate(thisYear, 3, 5)},
        {"24/3/5", QDate(windowed(24), 3, 5)},
        {"90/1/1", QDate(windowed(90), 1, 1)},
        {"0024/3/5", QDate(24, 3, 5)},
        {"2023/2/29", QDate()},
        {"2024/13/1", QDate()},
        {"2024-03-05", QDate()},
        {"2024/3/5x", QDate()},
        {"2024/3/5 10:00", QDate()},
        {"20240/1/1", QDate()},
        {"2024/", QDate()},
        {"", QDate()},
        {"abc", QDate()},
    };
    for (const auto& c : cases) {
        QDate parsed;
        EXPECT_EQ(tryStrToDate(u8(c.text), parsed), c.expected.isValid()) << c.text;
        if (c.expected.isValid()) {
            EXPECT_EQ(parsed, c.expected) << c.text;
        }
        EXPECT_EQ(StrToDateDefZero(u8(c.text)), c.expected) << c.text;
    }
    EXPECT_EQ(strToDateDef(u8("x"), QDate(2000, 1, 2)), QDate(2000, 1, 2));
}

TEST_F(DelphiDateFormatTest, ParsesDayFirstFormats) {
    processFormatSettings().shortDateFormat = u8("dd/mm/yyyy");
    EXPECT_EQ(strToDateDef(u8("5/3/2024"), QDate()), QDate(2024, 3, 5));
    processFormatSettings().shortDateFormat = u8("YYYY/MM/DD"); // as the base dialog sets it
    EXPECT_EQ(strToDateDef(u8("2024/3/5"), QDate()), QDate(2024, 3, 5));
}

TEST_F(DelphiDateFormatTest, DateTimeToStrByKind) {
    EXPECT_EQ(DateTimeToStrByKind(2, afternoon), u8("24/03/05"));
    EXPECT_EQ(DateTimeToStrByKind(4, afternoon), u8("2024/03/05"));
    EXPECT_EQ(DateTimeToStrByKind(0, afternoon), u8("2024/03/05 14:07"));
    EXPECT_EQ(DateTimeToStrByKind(4, QDate(2024, 3, 5)), u8("2024/03/05"));
    EXPECT_EQ(DateTimeToStrByKind(4, QDateTime()), QString());
    EXPECT_EQ(DateTimeToStrByKind(0, QDateTime(QDate(1899, 12, 30), QTime(0, 0))), QString());
    EXPECT_EQ(DateTimeToStrByKind(4, QDate()), QString());
}
