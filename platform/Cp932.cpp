#include "platform/Cp932.h"

#include <QList>

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>

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

// Tables of every CP932 code, taken once from the same iconv conversion, so that the text paths
// convert a character by one lookup; any sequence without a code goes to iconv itself, which
// decides what it becomes or names it in the error.
constexpr char16_t kNoCharacter = 0xFFFF; // U+FFFF has no CP932 code
constexpr quint16 kNoCode = 0xFFFF;       // 0xFFFF is no CP932 code

struct Tables {
    std::array<char16_t, 256> single{};               // one-byte codes; kNoCharacter for a lead byte or none
    std::array<std::array<char16_t, 256>, 128> pair{}; // [lead - 0x80][trail]
    std::array<quint16, 65536> code{};                // UTF-16 unit to its bytes (lead << 8 | trail), or kNoCode
};

char16_t decodeOnce(Converter& converter, const char* bytes, size_t size) {
    QByteArray out;
    size_t consumed = 0;
    if (!converter.convert(bytes, size, out, consumed) || out.size() != 2)
        return kNoCharacter;
    return char16_t(quint8(out[0]) | (quint8(out[1]) << 8));
}

std::unique_ptr<Tables> buildTables() {
    auto tables = std::make_unique<Tables>();
    Converter decode("UTF-16LE", "CP932");
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        tables->single[size_t(b)] = decodeOnce(decode, &byte, 1);
    }
    for (int lead = 0x80; lead < 0x100; ++lead) {
        auto& row = tables->pair[size_t(lead - 0x80)];
        row.fill(kNoCharacter);
        if (!isSjisLeadByte(quint8(lead)))
            continue;
        for (int trail = 0x40; trail < 0x100; ++trail) {
            const char bytes[2] = {char(lead), char(trail)};
            row[size_t(trail)] = decodeOnce(decode, bytes, 2);
        }
    }
    tables->code.fill(kNoCode);
    Converter encode("CP932", "UTF-16LE");
    for (uint unit = 0; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF)
            continue; // surrogates: no code on their own
        const char in[2] = {char(unit & 0xFF), char(unit >> 8)};
        QByteArray out;
        size_t consumed = 0;
        if (!encode.convert(in, 2, out, consumed))
            continue;
        if (out.size() == 1)
            tables->code[unit] = quint8(out[0]);
        else if (out.size() == 2)
            tables->code[unit] = quint16(quint8(out[0]) << 8 | quint8(out[1]));
    }
    return tables;
}

const Tables& tables() {
    static const std::unique_ptr<Tables> built = buildTables();
    return *built;
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

bool appendCp932(QStringView text, QByteArray& out) {
    const Tables& t = tables();
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char* dst = out.data() + start;
    for (const QChar c : text) {
        const quint16 code = t.code[c.unicode()];
        if (code == kNoCode) {
            out.resize(start);
            return false;
        }
        if (code > 0xFF)
            *dst++ = char(code >> 8);
        *dst++ = char(code & 0xFF);
    }
    out.resize(qsizetype(dst - out.constData()));
    return true;
}

QByteArray toCp932(const QString& text) {
    QByteArray out;
    if (appendCp932(text, out))
        return out;
    size_t consumed = 0;
    const auto* in = reinterpret_cast<const char*>(text.utf16());
    if (!encoder().convert(in, size_t(text.size()) * 2, out, consumed)) {
        qsizetype index = qsizetype(consumed / 2);
        throw EncodingError(characterAt(text, index), index);
    }
    return out;
}

QString fromCp932(const QByteArray& bytes) {
    return fromCp932(bytes.constData(), bytes.size());
}

QString fromCp932(const char* data, qsizetype size) {
    if (size <= 0)
        return QString();
    const Tables& t = tables();
    QString fast(size, Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(fast.data());
    const auto* in = reinterpret_cast<const quint8*>(data);
    bool decoded = true;
    for (qsizetype i = 0; decoded && i < size; ++i) {
        char16_t c = t.single[in[i]];
        if (c == kNoCharacter && i + 1 < size && isSjisLeadByte(in[i])) {
            c = t.pair[size_t(in[i] - 0x80)][in[i + 1]];
            ++i;
        }
        decoded = c != kNoCharacter;
        *dst++ = c;
    }
    if (decoded) {
        fast.truncate(qsizetype(dst - reinterpret_cast<const char16_t*>(fast.constData())));
        return fast;
    }
    // A byte sequence without a code: iconv decides what each part becomes.
    const QByteArray bytes = QByteArray::fromRawData(data, size);
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
