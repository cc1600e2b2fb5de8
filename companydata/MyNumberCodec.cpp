// The reversible ASCII form of the stored My Number settings (see MyNumberCodec.h).
#include "companydata/MyNumberCodec.h"

#include "core/Exception.h"
#include "platform/Cp932.h"

#include <QByteArray>

#include <cstring>

namespace companydata {

namespace {

QByteArray scramble(QByteArray bytes) {
    const size_t keyLength = std::strlen(kMyNumberCodecKey);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto keyByte = static_cast<unsigned char>(kMyNumberCodecKey[size_t(i) % keyLength]);
        const auto step = static_cast<unsigned char>((i * 37 + 11) & 0xFF);
        bytes[i] = char(static_cast<unsigned char>(bytes[i]) ^ keyByte ^ step);
    }
    return bytes;
}

} // namespace

QString EncodeMyNumberSetting(const QString& text) {
    return QString::fromLatin1(scramble(platform::toCp932(text)).toHex().toUpper());
}

QString DecodeMyNumberSetting(const QString& stored) {
    static const QString hexDigits = QStringLiteral("0123456789ABCDEFabcdef");
    bool wellFormed = stored.size() % 2 == 0;
    for (const QChar c : stored)
        wellFormed = wellFormed && hexDigits.contains(c);
    if (!wellFormed)
        throw core::Exception(QStringLiteral("マイナンバー設定の保存形式が正しくありません。"));
    return platform::fromCp932(scramble(QByteArray::fromHex(stored.toLatin1())));
}

} // namespace companydata
