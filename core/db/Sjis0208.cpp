#include "core/db/Sjis0208.h"

#include "core/db/FbStatus.h"
#include "platform/Cp932.h"

namespace core {

namespace {

bool isJisX0208Lead(unsigned char b) {
    return (b >= 0x81 && b <= 0x84) || (b >= 0x88 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA);
}

bool isHalfWidthKatakana(unsigned char b) {
    return b >= 0xA1 && b <= 0xDF;
}

// Byte length of the first character that does not fit, -1 when all fit; `at` gets its offset.
qsizetype firstMisfit(const QByteArray& bytes, qsizetype& at) {
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80 || isHalfWidthKatakana(b)) {
            ++i;
            continue;
        }
        const bool pair = platform::isSjisLeadByte(b) && i + 1 < bytes.size() &&
                          platform::isSjisTrailByte(static_cast<unsigned char>(bytes[i + 1]));
        if (pair && isJisX0208Lead(b)) {
            i += 2;
            continue;
        }
        at = i;
        return pair ? 2 : 1;
    }
    return -1;
}

EIBError refused(const QString& character) {
    return layerError(isc::transliteration_failed,
                      QStringLiteral("文字「%1」はデータベースに保存できません。").arg(character));
}

} // namespace

bool fitsSjis0208(const QByteArray& cp932) {
    qsizetype at = 0;
    return firstMisfit(cp932, at) < 0;
}

QByteArray toSjis0208(const QString& text) {
    QByteArray bytes;
    try {
        bytes = platform::toCp932(text);
    } catch (const platform::EncodingError& e) {
        throw refused(e.character());
    }
    qsizetype at = 0;
    const qsizetype length = firstMisfit(bytes, at);
    if (length >= 0)
        throw refused(platform::fromCp932(bytes.mid(at, length)));
    return bytes;
}

void checkSjis0208(const QString& text) {
    toSjis0208(text);
}

} // namespace core
