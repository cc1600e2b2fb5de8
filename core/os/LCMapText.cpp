#include "core/os/LCMapText.h"

#include "core/text/KanaMap.h"
#include "core/text/SjisText.h"
#include "platform/Cp932.h"

namespace core {

namespace {

constexpr qsizetype kMaxBytes = 255;

bool isHalfSoundMark(QChar c) {
    return c == u'ﾞ' || c == u'ﾟ';
}

bool hasCp932Code(const QString& text) {
    try {
        platform::toCp932(text);
        return true;
    } catch (const platform::EncodingError&) {
        return false;
    }
}

using Mapping = QString (*)(const QString&);

QString caseUpper(const QString& unit) {
    return unit.size() == 1 ? QString(unit.at(0).toUpper()) : unit;
}

QString caseLower(const QString& unit) {
    return unit.size() == 1 ? QString(unit.at(0).toLower()) : unit;
}

// Maps the text unit by unit: one character, or, with joinMarks, a letter together with the
// half-width sound mark after it when the two become one CP932 character. A unit whose
// mapping CP932 cannot hold stays unchanged.
QString mapUnits(const QString& text, Mapping map, bool joinMarks) {
    QString out;
    out.reserve(text.size());
    for (qsizetype k = 0; k < text.size();) {
        if (joinMarks && k + 1 < text.size() && isHalfSoundMark(text.at(k + 1))) {
            const QString joined = map(text.mid(k, 2));
            if (joined.size() == 1 && hasCp932Code(joined)) {
                out += joined;
                k += 2;
                continue;
            }
        }
        const QString unit = text.mid(k, 1);
        const QString mapped = map(unit);
        out += (mapped == unit || hasCp932Code(mapped)) ? mapped : unit;
        ++k;
    }
    return out;
}

// The longest head of the text within maxBytes CP932 bytes, whole characters only; a letter
// whose sound mark falls behind the cut goes too.
QString cutToBytes(const QString& text, qsizetype maxBytes) {
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        const char32_t code = pair ? QChar::surrogateToUcs4(text.at(end), text.at(end + 1)) : text.at(end).unicode();
        const int width = SjisCharWidth(code);
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        end += pair ? 2 : 1;
    }
    if (end > 0 && end < text.size() && isHalfSoundMark(text.at(end)))
        --end;
    return text.left(end);
}

bool both(quint32 flags, quint32 a, quint32 b) {
    return (flags & a) && (flags & b);
}

} // namespace

QString LCMapText(quint32 flags, const QString& text) {
    if (both(flags, LCMAP_HIRAGANA, LCMAP_KATAKANA) || both(flags, LCMAP_HALFWIDTH, LCMAP_FULLWIDTH) ||
        both(flags, LCMAP_UPPERCASE, LCMAP_LOWERCASE))
        return cutToBytes(text, kMaxBytes);

    QString out = text;
    if (flags & LCMAP_FULLWIDTH)
        out = mapUnits(out, ToZenkaku, true);
    if (flags & LCMAP_KATAKANA)
        out = mapUnits(out, ToKatakana, false);
    if (flags & LCMAP_HIRAGANA)
        out = mapUnits(out, ToHiragana, false);
    if (flags & LCMAP_HALFWIDTH)
        out = mapUnits(out, ToHankaku, false);
    if (flags & LCMAP_UPPERCASE)
        out = mapUnits(out, caseUpper, false);
    if (flags & LCMAP_LOWERCASE)
        out = mapUnits(out, caseLower, false);
    return cutToBytes(out, kMaxBytes);
}

} // namespace core
