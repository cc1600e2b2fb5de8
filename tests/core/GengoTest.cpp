#include "core/dates/Gengo.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

class Gengo : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = GengoTable;
        InitGengoTable();
    }
    void TearDown() override { GengoTable = saved_; }

private:
    TGengoArray saved_;
};

TWarekiRec wareki(const char* name, const char* shortName, int year, int month, int day)
{
    TWarekiRec w;
    w.name = QString::fromUtf8(name);
    w.shortName = QString::fromLatin1(shortName);
    w.year = qint16(year);
    w.month = qint16(month);
    w.day = qint16(day);
    return w;
}

} // namespace

TEST_F(Gengo, BuiltInTableHoldsTheFiveErasNewestFirst) {
    ASSERT_EQ(GengoTable.size(), 5);
    const struct {
        const char* name;
        const char* shortName;
        QDate start;
    } eras[] = {
        {"令和", "R", QDate(2019, 5, 1)},   {"平成", "H", QDate(1989, 1, 8)},  {"昭和", "S", QDate(1926, 12, 25)},
        {"大正", "T", QDate(1912, 7, 30)}, {"明治", "M", QDate(1868, 9, 8)},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(GengoTable[i].name, QString::fromUtf8(eras[i].name));
        EXPECT_EQ(GengoTable[i].shortName, QString::fromLatin1(eras[i].shortName));
        EXPECT_EQ(GengoTable[i].startDate, eras[i].start);
        EXPECT_EQ(GengoTable[i].startYear, eras[i].start.year());
    }
}

TEST_F(Gengo, ConvertsBothWaysAtEveryEraBoundary) {
    const struct {
        QDate date;
        const char* name;
        const char* shortName;
        int year;
    } cases[] = {
        {QDate(2019, 4, 30), "平成", "H", 31}, {QDate(2019, 5, 1), "令和", "R", 1},
        {QDate(2024, 4, 1), "令和", "R", 6},   {QDate(1989, 1, 7), "昭和", "S", 64},
        {QDate(1989, 1, 8), "平成", "H", 1},   {QDate(1926, 12, 24), "大正", "T", 15},
        {QDate(1926, 12, 25), "昭和", "S", 1}, {QDate(1912, 7, 29), "明治", "M", 45},
        {QDate(1912, 7, 30), "大正", "T", 1},  {QDate(1900, 1, 1), "明治", "M", 33},
        {QDate(1899, 12, 31), "明治", "M", 32},
    };
    for (const auto& c : cases) {
        const std::string label = c.date.toString(Qt::ISODate).toStdString();
        const TWarekiRec w = DateToWareki(c.date);
        EXPECT_EQ(w.name, QString::fromUtf8(c.name)) << label;
        EXPECT_EQ(w.shortName, QString::fromLatin1(c.shortName)) << label;
        EXPECT_EQ(w.year, c.year) << label;
        EXPECT_EQ(w.month, c.date.month()) << label;
        EXPECT_EQ(w.day, c.date.day()) << label;
        EXPECT_EQ(WarekiToDate(w), c.date) << label;
        EXPECT_EQ(WarekiToDate(wareki(c.name, "", c.year, c.date.month(), c.date.day())), c.date) << label;
        EXPECT_EQ(WarekiToDate(wareki("", c.shortName, c.year, c.date.month(), c.date.day())), c.date) << label;
    }
}

TEST_F(Gengo, DatesOutsideTheErasAndTheZeroDate) {
    const struct {
        QDate date;
        const char* name;
        int year, month, day;
    } cases[] = {
        {QDate(), "", 1899, 12, 30},            // no date
        {QDate(1899, 12, 30), "", 1899, 12, 30}, // the zero date itself
        {QDate(1850, 6, 1), "", 1850, 6, 1},
        {QDate(1868, 9, 8), "", 1868, 9, 8},     // 明治 before the zero date: calendar year
    };
    for (const auto& c : cases) {
        const TWarekiRec w = DateToWareki(c.date);
        EXPECT_EQ(w.name, QString::fromUtf8(c.name));
        EXPECT_EQ(w.year, c.year);
        EXPECT_EQ(w.month, c.month);
        EXPECT_EQ(w.day, c.day);
    }

    // A date before the oldest era of the table is kept in that era.
    GengoTable = {GengoTable[1]}; // 平成 only
    const TWarekiRec w = DateToWareki(QDate(1980, 5, 6));
    EXPECT_EQ(w.shortName, QStringLiteral("H"));
    EXPECT_EQ(w.year, -8);
}

TEST_F(Gengo, WarekiToDateRefusesWhatIsNoDate) {
    EXPECT_EQ(WarekiToDate(wareki("", "H", 31, 4, 30)), QDate(2019, 4, 30));
    EXPECT_EQ(WarekiToDate(wareki("", "H", 32, 1, 1)), QDate(2020, 1, 1)); // years run on past the era
    EXPECT_FALSE(WarekiToDate(wareki("", "H", 31, 2, 30)).isValid());
    EXPECT_FALSE(WarekiToDate(wareki("", "", 31, 4, 30)).isValid());
    EXPECT_FALSE(WarekiToDate(wareki("平成", "H", 0, 4, 30)).isValid());
    // An unknown era is no date at all, not a date in 1899.
    EXPECT_FALSE(WarekiToDate(wareki("", "X", 1, 1, 1)).isValid());
    EXPECT_FALSE(WarekiToDate(wareki("慶応", "", 1, 1, 1)).isValid());
    GengoTable.clear();
    EXPECT_FALSE(WarekiToDate(wareki("令和", "R", 6, 4, 1)).isValid());
}

TEST_F(Gengo, EmptyTableGivesCalendarYearsAndRowsReplaceTheTable) {
    GengoTable.clear();
    TWarekiRec w = DateToWareki(QDate(2024, 4, 1));
    EXPECT_TRUE(w.name.isEmpty());
    EXPECT_EQ(w.year, 2024);

    InitGengoTable();
    TGengoArray rows = GengoTable;
    rows.prepend(TGengoRec{QStringLiteral("新元"), QStringLiteral("N"), QDate(2030, 1, 1), 2030});
    GengoTable.clear();
    FillGengoTable(rows);
    ASSERT_EQ(GengoTable.size(), 6);
    w = DateToWareki(QDate(2031, 2, 3));
    EXPECT_EQ(w.shortName, QStringLiteral("N"));
    EXPECT_EQ(w.year, 2);
    EXPECT_EQ(DateToWareki(QDate(2029, 12, 31)).shortName, QStringLiteral("R"));

    FillGengoTable({});
    EXPECT_EQ(GengoTable.size(), 5);
}
