#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Cp932, RoundTripsCharactersTheProgramUses) {
    struct Case {
        const char* utf8;
        QByteArray cp932;
    } cases[] = {
        {"ｷｬﾝｾﾙ", QByteArray("\xB7\xAC\xDD\xBE\xD9")},
        {"～", QByteArray("\x81\x60")},        // full-width tilde, not the wave dash of SHIFT_JIS
        {"ソ", QByteArray("\x83\x5C")},        // trail byte is "\"
        {"表", QByteArray("\x95\x5C")},
        {"①", QByteArray("\x87\x40")},        // CP932 holds it, only SJIS_0208 does not
        {"abc 漢字", QByteArray("abc \x8A\xBF\x8E\x9A")},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.utf8);
        EXPECT_EQ(toCp932(text), c.cp932) << c.utf8;
        EXPECT_EQ(fromCp932(c.cp932), text) << c.utf8;
        EXPECT_EQ(cp932Length(text), c.cp932.size()) << c.utf8;
    }
}

TEST(Cp932, RefusesCharacterOutsideCp932AndNamesIt) {
    const QString text = QString::fromUtf8("ab𠀋c");
    try {
        toCp932(text);
        FAIL() << "no error";
    } catch (const EncodingError& e) {
        EXPECT_EQ(e.character(), QString::fromUtf8("𠀋"));
        EXPECT_EQ(e.position(), 2);
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QString::fromUtf8("𠀋")), -1);
    }
}

TEST(Cp932, UndecodableBytesBecomeReplacementCharacters) {
    EXPECT_EQ(fromCp932(QByteArray("a\x81")), QString::fromUtf8("a\uFFFD"));
    EXPECT_EQ(fromCp932(QByteArray("\xA0z")), QString::fromUtf8("\uFFFDz"));
}

TEST(Cp932, ByteClasses) {
    EXPECT_TRUE(isSjisLeadByte(0x81));
    EXPECT_TRUE(isSjisLeadByte(0xFC));
    EXPECT_FALSE(isSjisLeadByte(0xA0));
    EXPECT_FALSE(isSjisLeadByte(0x80));
    EXPECT_TRUE(isSjisTrailByte(0x5C));
    EXPECT_TRUE(isSjisTrailByte(0x7C));
    EXPECT_FALSE(isSjisTrailByte(0x7F));
    EXPECT_FALSE(isSjisTrailByte(0xFD));
}
