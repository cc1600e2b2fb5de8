#include "core/modules/PzConv.h"

#include <gtest/gtest.h>

using core::TxPzConv;

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}
} // namespace

TEST(PzConv, EncodesAndDecodesRfc4648IncludingZeroBytes) {
    const struct {
        QByteArray data;
        const char* base64;
    } cases[] = {
        {QByteArray(), ""},
        {bytes({0x00, 0x00, 0x00}), "AAAA"},
        {bytes({0x41, 0x00, 0x42}), "QQBC"},
        {bytes({0x00, 0x41, 0x00}), "AEEA"},
        {bytes({0x41}), "QQ=="},
        {bytes({0x00}), "AA=="},
        {bytes({0x41, 0x00}), "QQA="},
        {bytes({0x00, 0x00}), "AAA="},
        {QByteArray("foobar"), "Zm9vYmFy"},
        {QByteArray("fooba"), "Zm9vYmE="},
        {bytes({0xFB, 0xFF, 0xBF}), "+/+/"},
        {bytes({0x82, 0xA0, 0x00, 0x00, 0x0A}), "gqAAAAo="},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TxPzConv::EncodeBase64(c.data), QByteArray(c.base64)) << c.base64;
        EXPECT_EQ(TxPzConv::DecodeBase64(QByteArray(c.base64)), c.data) << c.base64;
    }
}

TEST(PzConv, DecodesLeniently) {
    const struct {
        const char* base64;
        QByteArray data;
    } cases[] = {
        {"QUJD", QByteArray("ABC")},
        {"QUJDRA", QByteArray("ABC")},     // characters after the last complete group are ignored
        {"QUJDR", QByteArray("ABC")},
        {"QQ", QByteArray()},
        {"Q*JD", bytes({0x40, 0x02, 0x43})}, // outside the alphabet: value 64, low six bits zero
        {"QQ==QUJD", QByteArray("AABC")},  // groups after a padded one still decode
    };
    for (const auto& c : cases)
        EXPECT_EQ(TxPzConv::DecodeBase64(QByteArray(c.base64)), c.data) << c.base64;
}

TEST(PzConv, TextsTravelAsCp932) {
    const QString name = QStringLiteral("テスト会社+1");
    const QString encoded = TxPzConv::EncodeBase64(name);
    EXPECT_EQ(encoded, QString::fromLatin1(TxPzConv::EncodeBase64(QByteArray("\x83\x65\x83\x58\x83\x67\x89\xef\x8e\xd0+1"))));
    EXPECT_EQ(TxPzConv::DecodeBase64(encoded), name);
    // A character outside the alphabet, ASCII or not, adds zero bits.
    EXPECT_EQ(TxPzConv::DecodeBase64(QStringLiteral("QUJ\u3042")), QStringLiteral("AB@"));
}

TEST(PzConv, MapsCharactersAndValues) {
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
    for (int v = 0; v < 64; ++v) {
        EXPECT_EQ(TxPzConv::Base64ValueToChar(v), alphabet[v]);
        EXPECT_EQ(TxPzConv::Base64CharToValue(alphabet[v]), v);
    }
    for (QChar c : {QChar(u'='), QChar(u'-'), QChar(u' '), QChar(u'\u3042')})
        EXPECT_EQ(TxPzConv::Base64CharToValue(c), 64);
    for (int v : {64, 65, -1})
        EXPECT_EQ(TxPzConv::Base64ValueToChar(v), QChar(u'='));

    TxPzConv conv;
    EXPECT_EQ(conv.JisByteCodeType, core::TJisByteCodeType::btAscii);
    EXPECT_EQ(conv.JisKanaConvType, core::TJisKanaConvType::ktZenWithDaku);
}
