// The wizard's rules without a window: the calling program's argument, the version check, the
// period rules, the period dates, the summary text and the output file.
#include "link/app/LinkRules.h"

#include <gtest/gtest.h>

#include <functional>

using namespace taxlink;

namespace {

TEST(LinkRules, CallerArgumentKeepsCommasOfThePathAndConvertsNumbersStrictly) {
    const struct {
        const char* argument;
        bool valid;
        qint64 wnd;
        quint32 msg;
        quint32 param;
        const char* path;
    } cases[] = {
        {"1234,32768,0,/home/u/out.xml", true, 1234, 32768, 0, "/home/u/out.xml"},
        // Everything after the third comma is the path.
        {"1234,32768,7,/home/u/決算,2024,v2.xml", true, 1234, 32768, 7, "/home/u/決算,2024,v2.xml"},
        {"1234,32768,0", true, 1234, 32768, 0, ""},
        {"1234,32768,0,", true, 1234, 32768, 0, ""},
        {"4294967296,4294967295,1,/x", true, 4294967296LL, 4294967295U, 1, "/x"},
        // Bad numbers: the window stays known when only a later field is wrong.
        {"abc,32768,0,/x", false, 0, 32768, 0, "/x"},
        {"1234,msg,0,/x", false, 1234, 0, 0, "/x"},
        {"1234,32768,2x,/x", false, 1234, 32768, 0, "/x"},
        {"1234,32768,-1,/x", false, 1234, 32768, 0, "/x"},
        {"1234,32768,4294967296,/x", false, 1234, 32768, 0, "/x"},
        {"1234,32768,,/x", false, 1234, 32768, 0, "/x"},
        {"1234", false, 1234, 0, 0, ""},
        {"", false, 0, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        const TCallerArgument a = ParseCallerArgument(QString::fromUtf8(c.argument));
        EXPECT_EQ(a.Valid, c.valid);
        EXPECT_EQ(a.Wnd, c.wnd);
        if (c.valid) {
            EXPECT_EQ(a.Msg, c.msg);
            EXPECT_EQ(a.Param, c.param);
        }
        EXPECT_EQ(a.Path, QString::fromUtf8(c.path));
    }
}

TEST(LinkRules, VersionCheckByTheTwoDigitKey) {
    const struct {
        const char* installed;
        const char* required;
        bool passes;
    } cases[] = {
        {"15.0.0", "15.0.0", true},
        {"16", "15.0.0", true},
        {"15.1", "15.0.0", true},
        {"15.0.1", "15.0.0", true},
        {"14.99.99", "15.0.0", false},
        {"15.0.0.1", "15.0.0", false}, // four parts count 0.0.0
        {"", "15.0.0", false},
        {"15.x.0", "15.0.0", true},    // a part that is no number counts 0
        {"0.0.0", "0", false},         // never passes at 0
        {"15.0.0", "15.0.0.1", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareVersion(QString::fromLatin1(c.installed), QString::fromLatin1(c.required)), c.passes)
            << c.installed << " against " << c.required;
}

TEST(LinkRules, PeriodRulesMoveTheSelectionToTheHalfOrWholeYear) {
    const struct {
        const char* what;
        int defaultFirst, kaisiNo, first, last;
        TPeriodSelection expected;
    } cases[] = {
        {"K=1, last 5", 0, 1, 0, 5, {0, 7, false}},
        {"K=1, last 7", 0, 1, 0, 7, {0, 7, false}},
        {"K=1, last 8", 0, 1, 0, 8, {0, 15, false}},
        {"K=1, last 12", 0, 1, 0, 12, {0, 15, false}},
        {"K=1, moved start", 0, 1, 2, 5, {0, 7, false}},
        {"K=2, part of the year", 4, 2, 4, 9, {4, 15, true}},
        {"K=4, moved start", 4, 4, 5, 15, {4, 15, true}},
        {"K=4, already the whole year", 4, 4, 4, 15, {4, 15, false}},
        {"K=0 keeps the last slot", 0, 0, 3, 5, {0, 5, false}},
        {"K<0 keeps the last slot", 0, -1, 0, 9, {0, 9, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TPeriodSelection s = ApplyPeriodRules(c.defaultFirst, c.kaisiNo, c.first, c.last);
        EXPECT_EQ(s.First, c.expected.First);
        EXPECT_EQ(s.Last, c.expected.Last);
        EXPECT_EQ(s.MidYearNotice, c.expected.MidYearNotice);
    }
    // Next clicked again after the move: nothing to tell any more.
    const TPeriodSelection moved = ApplyPeriodRules(4, 2, 4, 9);
    EXPECT_FALSE(ApplyPeriodRules(4, 2, moved.First, moved.Last).MidYearNotice);
}

TEST(LinkRules, PeriodDatesAreTheClosingDatesOfTheSlotsMonths) {
    const QDate april(2024, 4, 1);
    const QDate june(2023, 6, 1);
    const QDate after20th(2024, 3, 21); // a year of months closing on the 20th
    const struct {
        const char* what;
        const char* which;
        QDate start;
        int closingDay, first, last, lastSelectable;
        QDate expected;
    } cases[] = {
        {"first month", "START", april, 99, 0, 15, 15, QDate(2024, 4, 30)},
        {"after an adjustment slot", "START", april, 99, 4, 15, 15, QDate(2024, 7, 31)},
        {"leap February", "START", june, 99, 10, 15, 15, QDate(2024, 2, 29)},
        {"year end", "END", april, 99, 0, 15, 15, QDate(2025, 3, 31)},
        {"half-year", "END", april, 99, 0, 7, 15, QDate(2024, 9, 30)},
        {"short year: its last slot counts as the one before", "END", april, 99, 0, 9, 9, QDate(2024, 10, 31)},
        {"the same slot in a whole year", "END", april, 99, 0, 9, 15, QDate(2024, 11, 30)},
        {"short year, an earlier slot", "END", april, 99, 0, 8, 9, QDate(2024, 10, 31)},
        {"20th: first month", "START", after20th, 20, 0, 15, 15, QDate(2024, 4, 20)},
        {"20th: year end", "END", after20th, 20, 0, 15, 15, QDate(2025, 3, 20)},
        {"unknown word", "MIDDLE", april, 99, 0, 15, 15, QDate()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PeriodDate(QString::fromLatin1(c.which), c.start, c.closingDay, c.first, c.last, c.lastSelectable),
                  c.expected)
            << c.what;
}

TEST(LinkRules, SummaryLines) {
    const QString documents = QStringLiteral("/home/keiri/Documents/Diru");
    TSummaryInput base;
    base.CompanyName = QStringLiteral("株式会社みなと商事");
    base.Nendo = 15;
    base.PeriodStartText = QStringLiteral("2024年 4月 1日");
    base.PeriodEndText = QStringLiteral("2025年 3月31日");
    base.FirstMonth = QDate(2024, 4, 30);
    base.LastMonth = QDate(2025, 3, 31);
    base.TaxMode = 1;
    base.ExportFile = ResolveExportFile(QStringLiteral("chukan.xml"), documents);
    const QStringList baseLines = {
        QStringLiteral("【連動元情報】"),
        QStringLiteral(" 会社名        : 株式会社みなと商事"),
        QStringLiteral(" 会計年度      : 15 期"),
        QStringLiteral(" 会計期間      : 2024年 4月 1日 ～ 2025年 3月31日"),
        QString(),
        QStringLiteral("【計算条件】"),
        QStringLiteral(" 計算対象期間  : 2024年4月 ～ 25年3月"),
        QStringLiteral(" 消費税計算区分: 税抜き"),
        QString(),
        QStringLiteral("【中間ファイル】"),
        QStringLiteral(" /home/keiri/Documents/Diru/chukan.xml"), // a bare name lies in Documents
        QString(),
        QStringLiteral("【制約事項】"),
        QStringLiteral(" １）法人決算書＞個別注記表タブ＞テンプレートで「ヂル連動」選択時に限り、"),
        QStringLiteral(" 　　個別注記表の連動を行います。"),
    };
    EXPECT_EQ(BuildSummaryLines(base), baseLines);

    const struct {
        const char* what;
        std::function<void(TSummaryInput&)> change;
        std::function<void(QStringList&)> expect;
    } variants[] = {
        {"one slot", [](TSummaryInput& in) { in.SameSlot = true; },
         [](QStringList& l) { l[6] = QStringLiteral(" 計算対象期間  : 2024年4月"); }},
        {"tax included", [](TSummaryInput& in) { in.TaxMode = 0; },
         [](QStringList& l) { l[7] = QStringLiteral(" 消費税計算区分: 税込み"); }},
        {"no year number", [](TSummaryInput& in) { in.Nendo = 0; },
         [](QStringList& l) { l[2] = QStringLiteral(" 会計年度      : - 期"); }},
        {"a percent sign in the name", [](TSummaryInput& in) { in.CompanyName = QStringLiteral("%1 商事"); },
         [](QStringList& l) { l[1] = QStringLiteral(" 会社名        : %1 商事"); }},
    };
    for (const auto& v : variants) {
        TSummaryInput input = base;
        v.change(input);
        QStringList expected = baseLines;
        v.expect(expected);
        EXPECT_EQ(BuildSummaryLines(input), expected) << v.what;
    }
}

TEST(LinkRules, OutputFileCheckAndResolvedPath) {
    const QString documents = QStringLiteral("/home/keiri/Documents/Diru");
    const struct {
        const char* text;
        TOutputFileCheck check;
        const char* resolved; // for Ok
    } cases[] = {
        {"", TOutputFileCheck::Empty, ""},
        {"   ", TOutputFileCheck::Empty, ""},
        {"/home/keiri/", TOutputFileCheck::Empty, ""},
        {"/home/keiri/..", TOutputFileCheck::Empty, ""},
        {"/chukan.xml", TOutputFileCheck::InRoot, ""},
        {"//chukan.xml", TOutputFileCheck::InRoot, ""},
        {"/tmp/../chukan.xml", TOutputFileCheck::InRoot, ""},
        {"/srv/chukan.xml", TOutputFileCheck::Ok, "/srv/chukan.xml"},
        {"chukan.xml", TOutputFileCheck::Ok, "/home/keiri/Documents/Diru/chukan.xml"},
        {"2024/chukan.xml", TOutputFileCheck::Ok, "/home/keiri/Documents/Diru/2024/chukan.xml"},
        {":chukan.xml", TOutputFileCheck::Ok, "/home/keiri/Documents/Diru/:chukan.xml"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(CheckOutputFile(text), c.check);
        if (c.check == TOutputFileCheck::Ok) {
            EXPECT_EQ(ResolveExportFile(text, documents), QString::fromLatin1(c.resolved));
            EXPECT_EQ(ResolveExportFile(text, documents + u'/'), QString::fromLatin1(c.resolved));
        }
    }
}

} // namespace
