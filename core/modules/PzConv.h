#pragma once
// TxPzConv: the Base64 converter that the data communication uses for names and other key
// values in its requests (RFC 4648 alphabet, "=" padding, no line breaks).
//
// Decoding is lenient, as the peers' texts have always been taken: it never fails, characters
// after the last complete group of four are ignored and a character outside the alphabet
// counts as the value 64, of which only the low six bits (all zero) enter the bytes. Unlike
// the converter this one replaces, the "=" padding alone decides how many bytes a group
// gives, so zero bytes inside the data survive.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace core {

enum class TJisByteCodeType { btAscii, btRoman };
enum class TJisKanaConvType { ktNone, ktZenWithDaku, ktZenSepaDaku };

class TxPzConv {
public:
    // Stored with the forms that hold the converter; no conversion reads them.
    TJisByteCodeType JisByteCodeType = TJisByteCodeType::btAscii;
    TJisKanaConvType JisKanaConvType = TJisKanaConvType::ktZenWithDaku;

    // Text versions: the text's CP932 bytes are encoded (platform::EncodingError for a
    // character CP932 cannot hold), decoded bytes are read as CP932.
    static QString EncodeBase64(const QString& text);
    static QString DecodeBase64(const QString& text);

    static QByteArray EncodeBase64(const QByteArray& bytes);
    static QByteArray DecodeBase64(const QByteArray& base64);

    // "+" 62, "/" 63, digits 52-61, capitals 0-25, small letters 26-51, anything else 64.
    static int Base64CharToValue(QChar c);
    // 0-63 as the alphabet; any other value "=".
    static QChar Base64ValueToChar(int value);
};

} // namespace core
