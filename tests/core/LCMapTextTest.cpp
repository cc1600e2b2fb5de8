// The locale text mapping on our own tables: each direction, sound marks joined and split,
// mappings that CP932 cannot hold left undone, and the 255-byte cut counted in CP932 bytes.
#include "core/os/FullWidthUpperCase.h"
#include "core/os/LCMapText.h"

#include "platform/Cp932.h"
#include "tests/core/QtPrinters.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

struct MapCase {
    quint32 flags;
    const char* text;
    const char* expected;
};

void PrintTo(const MapCase& c, std::ostream* os) { *os << std::hex << c.flags << " " << c.text; }

QString u8(const char* s) { return QString::fromUtf8(s); }

} // namespace

class LCMapTextTest : public ::testing::TestWithParam<MapCase> {};

TEST_P(LCMapTextTest, MapsByTheFlags) {
    const MapCase& c = GetParam();
    EXPECT_EQ(LCMapText(c.flags, u8(c.text)), u8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LCMapTextTest,
    ::testing::Values(
        // Full width: ASCII, the blank, half-width kana with their marks joined.
        MapCase{LCMAP_FULLWIDTH, "Ab 1\\~", "Ａｂ　１＼～"}, MapCase{LCMAP_FULLWIDTH, "ｶﾞｷﾞﾊﾟｳﾞｯｰ", "ガギパヴッー"},
        MapCase{LCMAP_FULLWIDTH, "ｱﾞﾟ｡｢｣", "ア゛゜。「」"},
        // ヷ and ヺ have no CP932 code: the letter and the mark stay two characters.
        MapCase{LCMAP_FULLWIDTH, "ﾜﾞｦﾞ", "ワ゛ヲ゛"},
        // Half width: voiced letters split into letter and mark; hiragana and kanji stay.
        MapCase{LCMAP_HALFWIDTH, "ガギパヴッー", "ｶﾞｷﾞﾊﾟｳﾞｯｰ"}, MapCase{LCMAP_HALFWIDTH, "Ａｂ　１＼～", "Ab 1\\~"},
        MapCase{LCMAP_HALFWIDTH, "ひら漢字。「」", "ひら漢字｡｢｣"}, MapCase{LCMAP_HALFWIDTH, "ヵヶヮ", "ヵヶヮ"},
        // Kana: hiragana ⇄ katakana; ヴ, ヵ, ヶ have no hiragana in CP932 and stay.
        MapCase{LCMAP_KATAKANA, "がっこう ｶﾅ", "ガッコウ ｶﾅ"}, MapCase{LCMAP_HIRAGANA, "ガッコウヴヵヶ", "がっこうヴヵヶ"},
        // Combined: width and kana in one call.
        MapCase{LCMAP_KATAKANA | LCMAP_HALFWIDTH, "がっこう", "ｶﾞｯｺｳ"},
        MapCase{LCMAP_HIRAGANA | LCMAP_FULLWIDTH, "ｶﾞｯｺｳ", "がっこう"},
        // Case, also of full-width letters.
        MapCase{LCMAP_UPPERCASE, "abｚ", "ABＺ"}, MapCase{LCMAP_LOWERCASE, "ABＺ", "abｚ"},
        // No flags and contradictory flags map nothing.
        MapCase{0, "ｶﾞが", "ｶﾞが"}, MapCase{LCMAP_HALFWIDTH | LCMAP_FULLWIDTH, "ｶﾞガ", "ｶﾞガ"},
        MapCase{LCMAP_HIRAGANA | LCMAP_KATAKANA, "かカ", "かカ"}));

TEST(LCMapTextLimitTest, KeepsAtMost255Cp932BytesOfWholeCharacters) {
    // Single-byte characters: 255 of them.
    EXPECT_EQ(LCMapText(0, QString(300, u'a')), QString(255, u'a'));

    // 128 full-width letters are 256 bytes: 127 whole ones remain, not 255 characters.
    const QString hiragana = LCMapText(LCMAP_HIRAGANA, QString(128, u'カ'));
    EXPECT_EQ(hiragana, QString(127, u'か'));
    EXPECT_EQ(platform::cp932Length(hiragana), 254);

    // The widening happens before the cut: 1 + 127 half-width characters become 256 bytes.
    const QString widened = LCMapText(LCMAP_FULLWIDTH, u8("a") + QString(127, u'ｱ'));
    EXPECT_EQ(widened, u8("ａ") + QString(126, u'ア'));

    // Splitting 128 voiced letters gives 256 bytes; the 128th letter would lose its mark at the
    // cut, so it goes as a whole.
    const QString split = LCMapText(LCMAP_HALFWIDTH, QString(128, u'ガ'));
    EXPECT_EQ(split, u8("ｶﾞ").repeated(127));
    EXPECT_EQ(platform::cp932Length(split), 254);

    // Mixed widths: 254 bytes of "a" then a double-byte letter that does not fit.
    EXPECT_EQ(LCMapText(0, QString(254, u'a') + u8("漢b")), QString(254, u'a'));
}

TEST(FullWidthUpperCaseTest, ChangesOnlyFullWidthSmallLetters) {
    EXPECT_EQ(FullWidthUpperCase(u8("ａｂｃｚ")), u8("ＡＢＣＺ"));
    // Half-width letters, katakana whose CP932 code follows ｚ's lead byte (メ 83 81), and
    // characters around the range stay.
    EXPECT_EQ(FullWidthUpperCase(u8("abメ＠ＡＺ［｀｛")), u8("abメ＠ＡＺ［｀｛"));
    EXPECT_EQ(FullWidthUpperCase(QString()), QString());
}
