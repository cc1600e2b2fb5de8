// Splitting of delimited texts, the strict delimited-text list and the byte-order sort.
#include "core/text/SplitText.h"
#include "core/text/StringList2.h"
#include "core/text/TextSort.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace core;

namespace {
QString u8(const char* s) { return QString::fromUtf8(s); }
QStringList list(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items)
        out << u8(s);
    return out;
}
} // namespace

TEST(SplitTextTest, SplitsAtTheDelimiterAndDropsComments) {
    const struct {
        const char* text;
        const char* delimiter;
        int result;
        QStringList items;
    } cases[] = {
        {"a,,b // note", ",", 2, list({"a", "", "b "})},
        {"abc", ",", 0, list({"abc"})},
        {",a", ",", 1, list({"", "a"})},
        {"a,", ",", 1, list({"a", ""})},
        {"ソ|表|ポ", "|", 2, list({"ソ", "表", "ポ"})}, // trail bytes 0x5C and 0x7C are no delimiters
        {"http://x,y", ",", 0, list({"http:"})},
    };
    for (const auto& c : cases) {
        std::array<QString, 51> items;
        EXPECT_EQ(SplitText(u8(c.text), u8(c.delimiter), items), c.result) << c.text;
        for (int i = 0; i < c.items.size(); ++i)
            EXPECT_EQ(items[size_t(i)], c.items[i]) << c.text << " item " << i;
        EXPECT_EQ(items[size_t(c.items.size())], QString()) << c.text;
    }
}

TEST(SplitTextTest, EmptyTextLeavesTheItemsAlone) {
    std::array<QString, 3> items{u8("x"), u8("y"), u8("z")};
    EXPECT_EQ(SplitText(QString(), u8(","), items), 0);
    EXPECT_EQ(SplitText(u8("// only a comment"), u8(","), items), 0);
    EXPECT_EQ(items[0], u8("x"));
}

TEST(SplitTextTest, NeverWritesPastTheSlots) {
    std::vector<QString> storage(4, u8("guard"));
    const int result = SplitText(u8("a,b,c,d,e"), u8(","), std::span<QString>(storage.data(), 2));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(storage[0], u8("a"));
    EXPECT_EQ(storage[1], u8("b"));
    EXPECT_EQ(storage[2], u8("guard"));
    EXPECT_EQ(SplitText(u8("a,b"), u8(","), std::span<QString>()), -1);
}

TEST(GetSplitItemTest, ReturnsTheNthItemFromOne) {
    const struct {
        const char* text;
        const char* separator;
        int n;
        const char* expected;
    } cases[] = {
        {"ソ,表,ポ", ",", 2, "表"},     {"ソ,表,ポ", ",", 3, "ポ"}, {"ソ,表,ポ", ",", 4, ""},
        {"ソ,表,ポ", ",", 0, ""},       {"a|b|", "|", 3, ""},      {"a||c", "|", 2, ""},
        {"a\r\nb,c", ",", 2, "b"}, // line breaks in the text separate items too
        {"表|ポ", "|", 1, "表"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetSplitItem(u8(c.text), u8(c.separator), c.n), u8(c.expected)) << c.text << " " << c.n;
}

TEST(GetNameValueLineTest, FindsTheLineByNameIgnoringCase) {
    const QString text = u8("A=1\r\nName=ソ表\nx=3\r=y");
    EXPECT_EQ(GetNameValueLine(text, u8("name")), u8("Name=ソ表"));
    EXPECT_EQ(GetNameValueLine(text, u8("X")), u8("x=3"));
    EXPECT_EQ(GetNameValueLine(text, u8("Nam")), QString());
    EXPECT_EQ(GetNameValueLine(text, QString()), QString());
    EXPECT_EQ(GetNameValueLine(QString(), u8("A")), QString());
}

TEST(StringList2Test, SetDelimitedTextItems) {
    const struct {
        const char* text;
        bool trim;
        QStringList items;
    } cases[] = {
        {"a, b ,c,", false, list({"a", " b ", "c", ""})},
        {"a, b ,c,", true, list({"a", "b", "c", ""})},
        {"\"x,y\",z", false, list({"x,y", "z"})},
        {"\"a\"\"b\",c", false, list({"a\"b", "c"})},
        {"\"ab\"cd,e", false, list({"ab", "cd", "e"})},
        {"\x01\x02" "a b\r\n,c", false, list({"a b", "c"})},
        {"ソ,ポ|,表", false, list({"ソ", "ポ|", "表"})},
        {",a", false, list({"", "a"})},
        {"\"open", false, list({"open"})},
        {"", false, QStringList()},
    };
    for (const auto& c : cases) {
        TStringList2 items;
        items.TrimItems = c.trim;
        items << u8("old");
        items.SetCommaText(u8(c.text));
        EXPECT_EQ(QStringList(items), c.items) << c.text << " trim " << c.trim;
    }
}

TEST(StringList2Test, OtherDelimiter) {
    TStringList2 items;
    items.Delimiter = u'|';
    items.SetDelimitedText(u8("表|ポ|ソ,x"));
    EXPECT_EQ(QStringList(items), list({"表", "ポ", "ソ,x"}));
}

TEST(SortTextIntArrayTest, SortsByCp932BytesAndMovesTheIndexAlong) {
    // CP932 order: "10" < "2" < "B" < "a" < ア (83 41) < ｱ (B1) < ﾟ (DF) < 漾 (E0 40);
    // in UTF-16 漾 (U+6F3E) would come before ｱ and ﾟ.
    std::vector<TQSORT> items = {{u8("ﾟ"), 0}, {u8("漾"), 1}, {u8("B"), 2}, {u8("a"), 3},
                                 {u8("ｱ"), 4}, {u8("10"), 5}, {u8("ア"), 6}, {u8("2"), 7}};
    SortTextIntArray(items, 0, int(items.size()) - 1);
    QStringList keys;
    QList<int> rows;
    for (const TQSORT& e : items) {
        keys << e.SORTKEY;
        rows << e.ROWIDX;
    }
    EXPECT_EQ(keys, list({"10", "2", "B", "a", "ア", "ｱ", "ﾟ", "漾"}));
    EXPECT_EQ(rows, QList<int>({5, 7, 2, 3, 6, 4, 0, 1}));
}

TEST(SortTextIntArrayTest, SortsOnlyTheRangeAndNarrowsItToTheArray) {
    std::vector<TQSORT> items = {{u8("z"), 0}, {u8("c"), 1}, {u8("b"), 2}, {u8("a"), 3}};
    SortTextIntArray(items, 1, 3);
    EXPECT_EQ(items[0].SORTKEY, u8("z"));
    EXPECT_EQ(items[1].SORTKEY, u8("a"));
    EXPECT_EQ(items[3].SORTKEY, u8("c"));
    SortTextIntArray(items, -5, 100);
    EXPECT_EQ(items[0].SORTKEY, u8("a"));
    EXPECT_EQ(items[3].SORTKEY, u8("z"));

    std::vector<TQSORT> many;
    for (int i = 0; i < 500; ++i)
        many.push_back({QString::number((i * 7919) % 500).rightJustified(3, u'0'), i});
    SortTextIntArray(many, 0, 499);
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(many[size_t(i)].SORTKEY.toInt(), i);
}
