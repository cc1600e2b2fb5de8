#include "core/text/KanaMap.h"

#include <gtest/gtest.h>

using namespace core;

TEST(KanaMap, HiraganaKatakanaAndWidths) {
    const struct {
        const char* name;
        QString (*map)(const QString&);
        const char16_t* from;
        const char16_t* to;
    } cases[] = {
        {"hiragana to katakana", ToKatakana, u"がっこう ゔぁ abc", u"ガッコウ ヴァ abc"},
        {"katakana to hiragana", ToHiragana, u"ガッコウ・ヴ", u"がっこう・ゔ"},
        {"full to half width", ToHankaku, u"ガッコウ　パン１Ａー。", u"ｶﾞｯｺｳ ﾊﾟﾝ1Aｰ｡"},
        {"letters without half form stay", ToHankaku, u"ヮヰ漢", u"ヮヰ漢"},
        {"half to full width", ToZenkaku, u"ｶﾞｯｺｳ ﾊﾟﾝ1Aｰ｡ﾞ", u"ガッコウ　パン１Ａー。゛"},
        {"sound mark that cannot join", ToZenkaku, u"ｱﾞ", u"ア゛"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.map(QString::fromUtf16(c.from)), QString::fromUtf16(c.to)) << c.name;
}

TEST(KanaMap, KanaOnly) {
    EXPECT_TRUE(IsKanaOnly(QStringLiteral("かんじ")));
    EXPECT_TRUE(IsKanaOnly(QStringLiteral("カンジー")));
    EXPECT_TRUE(IsKanaOnly(QStringLiteral("ｶﾝｼﾞ")));
    EXPECT_FALSE(IsKanaOnly(QStringLiteral("かn")));
    EXPECT_FALSE(IsKanaOnly(QStringLiteral("漢字")));
    EXPECT_FALSE(IsKanaOnly(QString()));
}
