#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dates/Gengo.h"
#include "core/text/DelphiDateFormat.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

class DateTexts : public ::testing::Test {
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

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

const QDate kApril1(2024, 4, 1);    // 令和 6年 4月 1日
const QDate kNovember15(2024, 11, 15);
const QDate kYear2005(2005, 11, 3); // two-digit year 05

} // namespace

TEST_F(DateTexts, FormatWarekiTextByEveryKey) {
    const struct {
        const char* format;
        const char* eraName; // kind 1 (and 3, 4: any other kind gives the era name)
        const char* shortName; // kind 2
        const char* none; // kind 0, trimmed
    } cases[] = {
        {"gg ee年", "令和 06年", "R 06年", "06年"},
        {"", "令和 06年", "R 06年", "06年"},
        {"ggee年", "令和06年", "R06年", "06年"},
        {"gg 2e年", "令和  6年", "R  6年", "6年"},
        {"gg2e年", "令和6年", "R6年", "6年"},
        {"gg e年", "令和 6年", "R 6年", "6年"},
        {"gge年", "令和6年", "R6年", "6年"},
        {"gg ee年mm月dd日", "令和 06年04月01日", "R 06年04月01日", "06年04月01日"},
        {"ggee年mm月dd日", "令和06年04月01日", "R06年04月01日", "06年04月01日"},
        {"gg e年 m月 d日", "令和 6年 4月 1日", "R 6年 4月 1日", "6年 4月 1日"},
        {"gge年m月d日", "令和6年4月1日", "R6年4月1日", "6年4月1日"},
        {"e", "6", "6", "6"},
        {"ee", "06", "06", "06"},
        {"ggee･mm･dd", "令和06･04･01", "R06･04･01", "06･04･01"},
        {"ggee.mm.dd", "令和06.04.01", "R06.04.01", "06.04.01"},
        {"ggeemmdd", "令和060401", "R060401", "060401"},
        {"ee.mm.dd", "06.04.01", "06.04.01", "06.04.01"},
        {"gg", "令和", "R", ""},
        {"ee mm", "06 04", "06 04", "06 04"},
        {"yyyy/mm/dd", "", "", ""},
    };
    for (const auto& c : cases) {
        const QString format = u(c.format);
        EXPECT_EQ(FormatWarekiText(format, 1, kApril1), u(c.eraName)) << c.format;
        EXPECT_EQ(FormatWarekiText(format, 3, kApril1), u(c.eraName)) << c.format;
        EXPECT_EQ(FormatWarekiText(format, 2, kApril1), u(c.shortName)) << c.format;
        EXPECT_EQ(FormatWarekiText(format, 0, kApril1), u(c.none)) << c.format;
    }
}

TEST_F(DateTexts, FormatWarekiTextOfTheZeroDate) {
    const struct {
        const char* format;
        const char* kind2;
        const char* kind0;
    } cases[] = {
        {"e", "", ""},
        {"ee", "", ""},
        {"ee mm", "", ""},
        {"ggee･mm･dd", "   ･  ･  ", "･  ･"},
        {"ggee.mm.dd", "   .  .  ", ".  ."},
        {"ggeemmdd", "       ", ""},
        {"ee.mm.dd", "  .  .  ", ".  ."},
        {"gg ee年", " 1899年", "1899年"}, // no era: the calendar year of the zero date
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatWarekiText(u(c.format), 2, QDate()), u(c.kind2)) << c.format;
        EXPECT_EQ(FormatWarekiText(u(c.format), 0, QDate(1899, 12, 30)), u(c.kind0)) << c.format;
    }
}

TEST_F(DateTexts, FormatDateTextInEraForm) {
    const struct {
        const char* format;
        const char* kind1;
        const char* kind2;
        const char* kind0;
        const char* kind3;
    } cases[] = {
        {"yyyy/mm/dd", "令和 06/04/01", "R 06/04/01", "06/04/01", "R06/04/01"},
        {"yy/mm/dd", "令和 06/04/01", "R 06/04/01", "06/04/01", "R06/04/01"},
        {"yyyy/mm", "令和 06/04", "R 06/04", "06/04", "R06/04"},
        {"yy/mm", "令和 06/04", "R 06/04", "06/04", "R06/04"},
        {"yyyy", "令和 06", "R 06", "06", "R06"},
        {"yy", "令和 06", "R 06", "06", "R06"},
        {"yyyy/m/d", "令和  6/ 4/ 1", "R  6/ 4/ 1", "6/ 4/ 1", "R6/4/1"},
        {"yy/m/d", "令和  6/ 4/ 1", "R  6/ 4/ 1", "6/ 4/ 1", "R6/4/1"},
        {"y/m/d", "令和  6/ 4/ 1", "R  6/ 4/ 1", "6/ 4/ 1", "R6/4/1"},
        {"yyyy/m", "令和  6/ 4", "R  6/ 4", "6/ 4", "R6/4"},
        {"yy/m", "令和  6/ 4", "R  6/ 4", "6/ 4", "R6/4"},
        {"y/m", "令和  6/ 4", "R  6/ 4", "6/ 4", "R6/4"},
        {"y", "令和  6", "R  6", "6", "R6"},
        {"yy2/mm/dd", "令和06/04/01", "R06/04/01", "06/04/01", "R06/04/01"},
        {"dd/mm/yyyy", "", "", "", ""},
    };
    for (const auto& c : cases) {
        const QString format = u(c.format);
        EXPECT_EQ(FormatDateText(format, 1, kApril1, true), u(c.kind1)) << c.format;
        EXPECT_EQ(FormatDateText(format, 7, kApril1, true), u(c.kind1)) << c.format;
        EXPECT_EQ(FormatDateText(format, 2, kApril1, true), u(c.kind2)) << c.format;
        EXPECT_EQ(FormatDateText(format, 0, kApril1, true), u(c.kind0)) << c.format;
        EXPECT_EQ(FormatDateText(format, 3, kApril1, true), u(c.kind3)) << c.format;
    }
}

TEST_F(DateTexts, FormatDateTextInCalendarForm) {
    const struct {
        const char* format;
        QDate date;
        const char* text;
    } cases[] = {
        {"yyyy/m/d", kApril1, "2024/ 4/ 1"},
        {"yy/m/d", kApril1, "24/ 4/ 1"},
        {"y/m/d", kYear2005, " 5/11/ 3"},
        {"yyyy/m", kApril1, "2024/ 4"},
        {"yy/m", kApril1, "24/ 4"},
        {"y/m", kYear2005, " 5/11"},
        {"yy2/mm/dd", kApril1, "24/04/01"},
        {"yyyy/mm/dd", kApril1, "2024/04/01"}, // any other key is a date format
        {"yyyy/mm", kYear2005, "2005/11"},
        {"yyyy", kApril1, "2024"},
    };
    for (const auto& c : cases)
        for (int kind : {0, 1, 2, 3})
            EXPECT_EQ(FormatDateText(u(c.format), kind, c.date, false), u(c.text)) << c.format << " kind " << kind;
}

TEST_F(DateTexts, FormatDateTextNenInEraForm) {
    const struct {
        const char* format;
        QDate date;
        const char* kind1;
        const char* kind2;
        const char* kind0;
    } cases[] = {
        {"yyyy年mm月dd日", kApril1, "令和 06年04月01日", "R 06年04月01日", "06年04月01日"},
        {"yy年mm月dd日", kApril1, "令和 06年04月01日", "R 06年04月01日", "06年04月01日"},
        {"yyyy年mm月", kApril1, "令和 06年04月", "R 06年04月", "06年04月"},
        {"yy年mm月", kApril1, "令和 06年04月", "R 06年04月", "06年04月"},
        {"yyyy年", kApril1, "令和 06年", "R 06年", "06年"},
        {"yy年", kApril1, "令和 06年", "R 06年", "06年"},
        {"yyyy年m月d日", kNovember15, "令和  6年11月15日", "R  6年11月15日", "6年11月15日"},
        {"yy年m月d日", kApril1, "令和  6年 4月 1日", "R  6年 4月 1日", "6年 4月 1日"},
        {"y年m月d日", kApril1, "令和  6年 4月 1日", "R  6年 4月 1日", "6年 4月 1日"},
        {"yyyy年m月", kApril1, "令和  6年 4月", "R  6年 4月", "6年 4月"},
        {"yy年m月", kApril1, "令和  6年 4月", "R  6年 4月", "6年 4月"},
        {"y年m月", kApril1, "令和  6年 4月", "R  6年 4月", "6年 4月"},
        {"y年", kApril1, "令和 6年", "R 6年", "6年"},
        {"y", kApril1, "令和 6年", "R 6年", "6年"},
        {"yyyy年 m月 d日", kNovember15, "令和  6年 11月 15日", "R  6年 11月 15日", "6年 11月 15日"},
        {"yy年 m月 d日", kApril1, "令和  6年 4月 1日", "R  6年 4月 1日", "6年 4月 1日"},
        {"y年 m月 d日", kApril1, "令和  6年 4月 1日", "R  6年 4月 1日", "6年 4月 1日"},
        {"yyyy年 m月", kNovember15, "令和  6年 11月", "R  6年 11月", "6年 11月"},
        {"yy年 m月", kApril1, "令和  6年 4月", "R  6年 4月", "6年 4月"},
        {"y年 m月", kApril1, "令和  6年 4月", "R  6年 4月", "6年 4月"},
        {"yyyy年 mm月 dd日", kApril1, "令和 06年 04月 01日", "R 06年 04月 01日", "06年 04月 01日"},
        {"yy年 mm月 dd日", kApril1, "令和 06年 04月 01日", "R 06年 04月 01日", "06年 04月 01日"},
        {"yyyy年 mm月", kApril1, "令和 06年 04月", "R 06年 04月", "06年 04月"},
        {"yy年 mm月", kApril1, "令和 06年 04月", "R 06年 04月", "06年 04月"},
        {"yyyy/mm/dd", kApril1, "", "", ""},
    };
    for (const auto& c : cases) {
        const QString format = u(c.format);
        EXPECT_EQ(FormatDateTextNen(format, 1, c.date, true), u(c.kind1)) << c.format;
        EXPECT_EQ(FormatDateTextNen(format, 3, c.date, true), u(c.kind1)) << c.format;
        EXPECT_EQ(FormatDateTextNen(format, 2, c.date, true), u(c.kind2)) << c.format;
        EXPECT_EQ(FormatDateTextNen(format, 0, c.date, true), u(c.kind0)) << c.format;
    }
}

TEST_F(DateTexts, FormatDateTextNenInCalendarForm) {
    const struct {
        const char* format;
        QDate date;
        const char* text;
    } cases[] = {
        {"yyyy年m月d日", kApril1, "2024年 4月 1日"},
        {"yy年m月d日", kApril1, "24年 4月 1日"},
        {"y年m月d日", kYear2005, " 5年11月 3日"},
        {"yyyy年m月", kApril1, "2024年 4月"},
        {"yy年m月", kYear2005, "05年11月"},
        {"y年m月", kApril1, "24年 4月"},
        {"y年", kApril1, "2024年"},
        {"y", kYear2005, "2005年"},
        {"yyyy年 m月 d日", kApril1, "2024年 4月 1日"},
        {"yyyy年 m月", kNovember15, "2024年 11月"},
        {"yy年 m月 d日", kYear2005, "05年 11月 3日"},
        {"y年 m月 d日", kApril1, "24年 4月 1日"},
        {"yy年 m月", kYear2005, "05年 11月"},
        {"y年 m月", kApril1, "24年 4月"},
        {"yyyy年mm月dd日", kApril1, "2024年04月01日"}, // any other key is a date format
        {"yyyy年mm月", kYear2005, "2005年11月"},
    };
    for (const auto& c : cases)
        for (int kind : {0, 1, 2})
            EXPECT_EQ(FormatDateTextNen(u(c.format), kind, c.date, false), u(c.text)) << c.format;
}

TEST_F(DateTexts, GetKikanTextJoinsBothDates) {
    EXPECT_EQ(GetKikanText(kApril1, QDate(2025, 3, 31), true), u("R 06/04/01 ～ R 07/03/31"));
    EXPECT_EQ(GetKikanText(QDate(2019, 4, 1), QDate(2020, 3, 31), true), u("H 31/04/01 ～ R 02/03/31"));
    EXPECT_EQ(GetKikanText(kApril1, QDate(2025, 3, 31), false), u("2024/04/01 ～ 2025/03/31"));
}

TEST_F(DateTexts, StrToDateFixedReadsYearMonthDayWhateverTheProcessFormats) {
    const struct {
        const char* text;
        QDate date;
    } cases[] = {
        {"2024/04/01", kApril1},
        {"2024/4/1", kApril1},
        {"2024/02/29", QDate(2024, 2, 29)},
        {"2023/02/29", QDate()},
        {"2024-04-01", QDate()},
        {"abc", QDate()},
        {"", QDate()},
    };
    DelphiFormatSettings& process = processFormatSettings();
    const DelphiFormatSettings saved = process;
    process.dateSeparator = u'-';
    process.shortDateFormat = QStringLiteral("dd-MM-yyyy");
    for (const auto& c : cases)
        EXPECT_EQ(StrToDateFixed(u(c.text)), c.date) << c.text;
    EXPECT_EQ(process.dateSeparator, QChar(u'-'));
    EXPECT_EQ(process.shortDateFormat, QStringLiteral("dd-MM-yyyy"));
    process = saved;
}

TEST_F(DateTexts, OperatorsEraSwitchChoosesTheFormButNotForFormatWarekiText) {
    const qint32 saved = SystemDef.Reserve4Switch9;
    SystemDef.Reserve4Switch9 = 1;
    EXPECT_EQ(GetKikanText(kApril1, kNovember15), u("R 06/04/01 ～ R 06/11/15"));
    EXPECT_EQ(FormatDateText(u("yyyy/mm/dd"), 2, kApril1), u("R 06/04/01"));
    EXPECT_EQ(FormatDateTextNen(u("yyyy年mm月dd日"), 1, kApril1), u("令和 06年04月01日"));
    EXPECT_EQ(FormatWarekiText(u("ggeemmdd"), 2, kApril1), u("R060401"));
    SystemDef.Reserve4Switch9 = 0;
    EXPECT_EQ(GetKikanText(kApril1, kNovember15), u("2024/04/01 ～ 2024/11/15"));
    EXPECT_EQ(FormatDateText(u("yyyy/mm/dd"), 2, kApril1), u("2024/04/01"));
    EXPECT_EQ(FormatDateTextNen(u("yyyy年mm月dd日"), 1, kApril1), u("2024年04月01日"));
    EXPECT_EQ(FormatWarekiText(u("ggeemmdd"), 2, kApril1), u("R060401"));
    SystemDef.Reserve4Switch9 = saved;
}
