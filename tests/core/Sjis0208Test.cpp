#include "core/db/Sjis0208.h"

#include "core/db/FbStatus.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

TEST(Sjis0208, AcceptsAsciiHalfWidthKanaAndJisX0208) {
    // ソ (0x835C) and 表 (0x955C) end in the byte of "\"; ～ is CP932 0x8160.
    const QString text = QStringLiteral("ABC\\|ｷｬﾝｾﾙ～ソ表能予十凜");
    EXPECT_EQ(core::toSjis0208(text), platform::toCp932(text));
    EXPECT_NO_THROW(core::checkSjis0208(QString()));
}

TEST(Sjis0208, RefusesCp932ExtensionsAndUnencodableCharactersByName) {
    const char* const refused[] = {"①", "㈱", "Ⅰ", "髙", "﨑", "𠀋", "ⅰ"};
    for (const char* character : refused) {
        const QString c = QString::fromUtf8(character);
        try {
            core::checkSjis0208(QStringLiteral("表示") + c + QStringLiteral("ソ"));
            ADD_FAILURE() << character << " was accepted";
        } catch (const core::EIBError& e) {
            EXPECT_EQ(e.ibErrorCode(), core::isc::transliteration_failed) << character;
            EXPECT_TRUE(e.message().contains(QStringLiteral("「") + c + QStringLiteral("」"))) << e.what();
        }
    }
}

TEST(Sjis0208, ChecksCp932BytesLeadByteAware) {
    const struct {
        QByteArray bytes;
        bool fits;
    } cases[] = {
        {QByteArray("\x83\x5C\x95\x5C", 4), true},  // ソ表: trail bytes 0x5C
        {QByteArray("\x81\x7C\x5C", 3), true},      // − then a real backslash
        {QByteArray("\xB1\xDF", 2), true},          // half-width katakana
        {QByteArray("\x87\x40", 2), false},         // ① (NEC special row)
        {QByteArray("\xED\x40", 2), false},         // NEC-selected IBM extension
        {QByteArray("\xFB\x57", 2), false},         // 髙 (IBM extension)
        {QByteArray("\xEA\xA4", 2), true},          // last row of JIS X 0208
        {QByteArray("\x80", 1), false},
        {QByteArray("\xA0", 1), false},
        {QByteArray("\x88", 1), false},             // lead byte cut off
        {QByteArray("\x88\x20", 2), false},         // lead byte without a trail byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::fitsSjis0208(c.bytes), c.fits) << c.bytes.toHex().constData();
}
