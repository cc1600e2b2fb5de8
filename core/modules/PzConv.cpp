#include "core/modules/PzConv.h"

#include "platform/Cp932.h"

namespace core {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';

} // namespace

int TxPzConv::Base64CharToValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u == '+')
        return 62;
    if (u == '/')
        return 63;
    if (u >= '0' && u <= '9')
        return 52 + (u - '0');
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    if (u >= 'a' && u <= 'z')
        return 26 + (u - 'a');
    return 64;
}

QChar TxPzConv::Base64ValueToChar(int value)
{
    if (value < 0 || value > 63)
        return QLatin1Char(kPad);
    return QLatin1Char(kAlphabet[value]);
}

QByteArray TxPzConv::EncodeBase64(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (qsizetype i = 0; i < bytes.size(); i += 3) {
        const qsizetype n = qMin<qsizetype>(3, bytes.size() - i);
        quint32 group = quint32(quint8(bytes[i])) << 16;
        if (n > 1)
            group |= quint32(quint8(bytes[i + 1])) << 8;
        if (n > 2)
            group |= quint32(quint8(bytes[i + 2]));
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += n > 1 ? kAlphabet[(group >> 6) & 63] : kPad;
        out += n > 2 ? kAlphabet[group & 63] : kPad;
    }
    return out;
}

QByteArray TxPzConv::DecodeBase64(const QByteArray& base64)
{
    QByteArray out;
    out.reserve(base64.size() / 4 * 3);
    for (qsizetype i = 0; i + 4 <= base64.size(); i += 4) {
        quint32 group = 0;
        int dataChars = 4; // characters before the first "=" of the group
        for (int k = 0; k < 4; ++k) {
            const char c = base64[i + k];
            if (c == kPad && dataChars == 4)
                dataChars = k;
            group = (group << 6) | quint32(Base64CharToValue(QLatin1Char(c)) & 63);
        }
        // Six bits per character: two characters carry one whole byte, three two, four three.
        const int byteCount = dataChars * 6 / 8;
        for (int b = 0; b < byteCount; ++b)
            out += char((group >> (16 - 8 * b)) & 0xFF);
    }
    return out;
}

QString TxPzConv::EncodeBase64(const QString& text)
{
    return QString::fromLatin1(EncodeBase64(platform::toCp932(text)));
}

QString TxPzConv::DecodeBase64(const QString& text)
{
    // Base64 is ASCII; any other character is outside the alphabet and counts as 64.
    QByteArray ascii;
    ascii.reserve(text.size());
    for (QChar c : text)
        ascii += c.unicode() < 0x80 ? char(c.unicode()) : '\x7F';
    return platform::fromCp932(DecodeBase64(ascii));
}

} // namespace core
