// Byte-counted cuts, padding and trimming on CP932. Fixtures use characters whose trail byte is
// "\" or "|" (ソ 83 5C, 表 95 5C, ポ 83 7C) and 堰 (89 81), whose trail byte followed by "@"
// looks like a full-width space to a byte search.
#include "core/text/SjisText.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

struct CutCase {
    const char* text;
    int n;
    const char* expected;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.text << " / " << c.n; }

QString u8(const char* s) { return QString::fromUtf8(s); }

} // namespace

class LeftStrBTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(LeftStrBTest, KeepsExactlyNBytesAndBlanksACutCharacter) {
    const CutCase& c = GetParam();
    const QString result = LeftStrB(u8(c.text), c.n);
    EXPECT_EQ(result, u8(c.expected));
    EXPECT_EQ(platform::cp932Length(result), qMax(c.n, 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, LeftStrBTest,
                         ::testing::Values(CutCase{"ab漢字", 3, "ab "}, CutCase{"ab漢字", 8, "ab漢字  "},
                                           CutCase{"ab漢字", 6, "ab漢字"}, CutCase{"ソ表", 3, "ソ "},
                                           CutCase{"ソ表", 4, "ソ表"}, CutCase{"aポ|", 2, "a "},
                                           CutCase{"aポ|", 4, "aポ|"}, CutCase{"ｱｲｳ", 2, "ｱｲ"},
                                           CutCase{"", 3, "   "}, CutCase{"abc", 0, ""},
                                           CutCase{"abc", -1, ""}));

class RightStrBTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(RightStrBTest, KeepsTheLastNBytesAndBlanksACutCharacter) {
    const CutCase& c = GetParam();
    const QString result = RightStrB(u8(c.text), c.n);
    EXPECT_EQ(result, u8(c.expected));
    EXPECT_EQ(platform::cp932Length(result), qMax(c.n, 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, RightStrBTest,
                         ::testing::Values(CutCase{"ab", 4, "  ab"}, CutCase{"漢字ab", 3, " ab"},
                                           CutCase{"ソ表", 2, "表"}, CutCase{"ソ表", 3, " 表"},
                                           CutCase{"ポ|", 1, "|"}, CutCase{"ポ|", 2, " |"},
                                           CutCase{"abc", 0, ""}));

TEST(ZeroPadLeftTest, PadsWithZerosOrKeepsTheLastBytes) {
    EXPECT_EQ(ZeroPadLeft(u8("123"), 6), u8("000123"));
    EXPECT_EQ(ZeroPadLeft(u8("1234567"), 4), u8("4567"));
    EXPECT_EQ(ZeroPadLeft(u8(""), 2), u8("00"));
    // Beyond the 256 zeros the left side is filled with blanks.
    EXPECT_EQ(ZeroPadLeft(u8("1"), 258), QString(1, u' ') + QString(256, u'0') + u8("1"));
}

TEST(FixBrokenSjisTest, BlanksBrokenPairsInBytesKeepingTheLength) {
    const struct {
        QByteArray in;
        QByteArray out;
    } cases[] = {
        {QByteArray("ab\x82"), QByteArray("ab ")},              // lead byte at the end
        {QByteArray("\x82\x20x"), QByteArray("  x")},           // lead byte before a blank
        {QByteArray("\x82\x7F"), QByteArray("  ")},             // 0x7F is no trail byte
        {QByteArray("\x83\x5C\x95\x5C"), QByteArray("\x83\x5C\x95\x5C")}, // ソ表 untouched
        {QByteArray("\x83\x7C\x82"), QByteArray("\x83\x7C ")},   // ポ then a cut lead byte
        {QByteArray("\x82\x82\x41"), QByteArray("\x82\x82\x41")}, // a lead byte as trail is not re-examined
    };
    for (const auto& c : cases)
        EXPECT_EQ(FixBrokenSjis(c.in), c.out) << c.in.toHex().constData();
}

TEST(FixBrokenSjisTest, DecodedTextShowsUnreadableBytesAsBlanks) {
    EXPECT_EQ(FixBrokenSjis(platform::fromCp932(QByteArray("ab\x82"))), u8("ab "));
    EXPECT_EQ(FixBrokenSjis(platform::fromCp932(QByteArray("\x82\x20x"))), u8("  x"));
    EXPECT_EQ(FixBrokenSjis(u8("ソ表ポ")), u8("ソ表ポ"));
}

TEST(TrimZenkakuTest, RemovesBlanksAndFullWidthSpacesAtBothEnds) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"　 abc　 　 ", "abc"},
        {"\t　表　\r\n", "表"},
        {"　a　b　", "a　b"},
        {"　　", ""},
        {"堰@", "堰@"}, // 堰 ends in 0x81 and "@" is 0x40: not a full-width space
        {"ソ", "ソ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimZenkaku(u8(c.in)), u8(c.out)) << c.in;
}

TEST(SpaceTextTest, SpacesAndRemovals) {
    EXPECT_EQ(SpaceStr(3), u8("   "));
    EXPECT_EQ(SpaceStr(510).size(), 510);
    EXPECT_EQ(SpaceStr(511), QString());
    EXPECT_EQ(SpaceStr(0), QString());
    EXPECT_EQ(SpaceStr(-2), QString());
    EXPECT_EQ(DeleteAllSpaces(u8(" a b　ソ 表　")), u8("abソ表"));
    EXPECT_EQ(RemoveTabCrLf(u8("a\tb\r\nc\rポ\n")), u8("abcポ"));
    EXPECT_EQ(TrimBlanks(u8("\x01 a　 \x1f")), u8("a　"));
}
