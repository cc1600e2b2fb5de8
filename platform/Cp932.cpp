#include "platform/Cp932.h"

#include <QList>

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

// One iconv descriptor per direction and thread; iconv_t is not thread safe.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of [in, in+len); on a character that cannot be converted returns false
    // and leaves `consumed` at its offset.
    bool convert(const char* in, size_t len, QByteArray& out, size_t& consumed) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(qsizetype(len * 2 + 16));
        char* src = const_cast<char*>(in);
        size_t srcLeft = len;
        char* dst = out.data();
        size_t dstLeft = size_t(out.size());
        while (srcLeft > 0) {
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            if (r != size_t(-1))
                continue;
            if (errno == E2BIG) {
                size_t used = size_t(dst - out.data());
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = size_t(out.size()) - used;
                continue;
            }
            out.resize(qsizetype(dst - out.data()));
            consumed = size_t(src - in);
            return false;
        }
        out.resize(qsizetype(dst - out.data()));
        consumed = len;
        return true;
    }

private:
    iconv_t cd_;
};

Converter& encoder() {
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

Converter& decoder() {
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}

QString characterAt(const QString& text, qsizetype index) {
    if (index + 1 < text.size() && text.at(index).isHighSurrogate() && text.at(index + 1).isLowSurrogate())
        return text.mid(index, 2);
    return text.mid(index, 1);
}

QString codePoint(const QString& character) {
    const uint code = character.isEmpty() ? 0u : character.toUcs4().value(0);
    return QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

EncodingError::EncodingError(const QString& character, qsizetype position)
    : std::runtime_error(QStringLiteral("文字「%1」(U+%2)はShift-JISで表せません。")
                             .arg(character, codePoint(character))
                             .toStdString()),
      character_(character), position_(position) {}

QByteArray toCp932(const QString& text) {
    QByteArray out;
    size_t consumed = 0;
    const auto* in = reinterpret_cast<const char*>(text.utf16());
    if (!encoder().convert(in, size_t(text.size()) * 2, out, consumed)) {
        qsizetype index = qsizetype(consumed / 2);
        throw EncodingError(characterAt(text, index), index);
    }
    return out;
}

QString fromCp932(const QByteArray& bytes) {
    QString result;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        QByteArray out;
        size_t consumed = 0;
        bool whole = decoder().convert(bytes.constData() + pos, size_t(bytes.size() - pos), out, consumed);
        result += QString::fromUtf16(reinterpret_cast<const char16_t*>(out.constData()), out.size() / 2);
        pos += qsizetype(consumed);
        if (whole)
            break;
        // Skip the byte (or the lead byte with its bad trail) that has no CP932 meaning.
        result += QChar(0xFFFD);
        pos += 1;
    }
    return result;
}

qsizetype cp932Length(const QString& text) {
    try {
        return toCp932(text).size();
    } catch (const EncodingError&) {
    }
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString c = characterAt(text, i);
        i += c.size() - 1;
        try {
            n += toCp932(c).size();
        } catch (const EncodingError&) {
            n += 1;
        }
    }
    return n;
}

} // namespace platform
