// The text splitter in its two modes: the delimited-text rules with blanks as separators, and
// the stricter rules with blanks inside items and trimmed items.
#include "core/text/MojiBunkatu.h"

#include "tests/core/QtPrinters.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

QStringList itemsOf(const core::TMojiBunkatu& m) {
    QStringList out;
    for (int i = 0; i < m.Count; ++i)
        out << m.GetItem(i);
    return out;
}

TEST(MojiBunkatuTest, SplitsByMode) {
    struct Case {
        quint8 mode;
        QChar delimiter;
        QString text;
        QStringList items;
    };
    const QString e; // an empty item
    const Case cases[] = {
        {0, u',', QString(), {e}},
        {1, u',', QString(), {e}},
        {0, u',', QStringLiteral("a,b,"), {QStringLiteral("a"), QStringLiteral("b"), e}},
        {1, u',', QStringLiteral("a,b,"), {QStringLiteral("a"), QStringLiteral("b"), e}},
        {0, u',', QStringLiteral(",a"), {e, QStringLiteral("a")}},
        {0, u',', QStringLiteral("a,,b"), {QStringLiteral("a"), e, QStringLiteral("b")}},
        {0, u',', QStringLiteral("a b,c"), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        {1, u',', QStringLiteral("a b,c"), {QStringLiteral("a b"), QStringLiteral("c")}},
        {1, u',', QStringLiteral(" a , b "), {QStringLiteral("a"), QStringLiteral("b")}},
        {0, u',', QStringLiteral("  a , b  "), {QStringLiteral("a"), QStringLiteral("b")}},
        {0, u',', QStringLiteral("\"x,y\",z"), {QStringLiteral("x,y"), QStringLiteral("z")}},
        {1, u',', QStringLiteral("\"x,y\",z"), {QStringLiteral("x,y"), QStringLiteral("z")}},
        {0, u',', QStringLiteral("\"say \"\"hi\"\"\",b"), {QStringLiteral("say \"hi\""), QStringLiteral("b")}},
        {0, u',', QStringLiteral("\"open,end"), {QStringLiteral("open,end")}},
        {0, u',', QStringLiteral("a\tb"), {QStringLiteral("a"), QStringLiteral("b")}},
        {1, u',', QStringLiteral("a\tb"), {QStringLiteral("a"), QStringLiteral("b")}},
        // A full-width space is an item character in both modes, as its bytes are above a blank.
        {0, u',', QStringLiteral("科目　名,補助"), {QStringLiteral("科目　名"), QStringLiteral("補助")}},
        // "ソ" and "表" end in the byte 0x5C, "ポ" in 0x7C: the split is character-wise.
        {0, u'\\', QStringLiteral("ソ表\\ポ"), {QStringLiteral("ソ表"), QStringLiteral("ポ")}},
        {0, u'|', QStringLiteral("ポ|表"), {QStringLiteral("ポ"), QStringLiteral("表")}},
        {0, u'.', QStringLiteral("15.0.2"), {QStringLiteral("15"), QStringLiteral("0"), QStringLiteral("2")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("mode %1 [%2]").arg(c.mode).arg(c.text).toStdString());
        core::TMojiBunkatu m;
        m.Mode = c.mode;
        m.Delimiter = c.delimiter;
        m.Split(c.text);
        EXPECT_EQ(itemsOf(m), c.items);
        EXPECT_EQ(m.Count, c.items.size());
    }
}

TEST(MojiBunkatuTest, DefaultsGettersAndClear) {
    core::TMojiBunkatu m;
    EXPECT_EQ(m.Delimiter, QChar(u','));
    EXPECT_EQ(m.Mode, 0);
    EXPECT_EQ(m.Count, 0);
    EXPECT_EQ(m.GetItem(0), QString());

    m.Split(QStringLiteral("a,b"));
    m.Split(QStringLiteral("c")); // replaces, not appends
    EXPECT_EQ(itemsOf(m), QStringList{QStringLiteral("c")});
    EXPECT_EQ(m.GetItem(-1), QString());
    EXPECT_EQ(m.GetItem(m.Count), QString());

    m.Clear();
    EXPECT_EQ(m.Count, 0);
    EXPECT_TRUE(m.Items.empty());
    EXPECT_EQ(m.GetItem(0), QString());
}

} // namespace
