#include "core/text/SjisText.h"

namespace core {

namespace {

// One character of a text: its position and length in UTF-16 units and its CP932 width.
struct Glyph {
    qsizetype pos;
    qsizetype len;
    int width;
};

qsizetype glyphLength(const QString& text, qsizetype i) {
    return (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
}

char32_t codePointAt(const QString& text, qsizetype i, qsizetype len) {
    return len == 2 ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : char32_t(text.at(i).unicode());
}

template <typename Visit>
void forEachGlyph(const QString& text, Visit visit) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = glyphLength(text, i);
        if (!visit(Glyph{i, len, SjisCharWidth(codePointAt(text, i, len))}))
            return;
        i += len;
    }
}

QString blanks(qsizetype n) { return n > 0 ? QString(n, u' ') : QString(); }

bool isBlankOrControl(QChar c) { return c.unicode() <= 0x20; }

} // namespace

int SjisCharWidth(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xFF61 && codePoint <= 0xFF9F))
        return 1;
    try {
        return platform::toCp932(QString::fromUcs4(&codePoint, 1)).size() >= 2 ? 2 : 1;
    } catch (const platform::EncodingError&) {
        return 1;
    }
}

QByteArray SjisBytes(const QString& text) {
    try {
        return platform::toCp932(text);
    } catch (const platform::EncodingError&) {
    }
    QByteArray out;
    forEachGlyph(text, [&](const Glyph& g) {
        try {
            out += platform::toCp932(text.mid(g.pos, g.len));
        } catch (const platform::EncodingError&) {
            out += '?';
        }
        return true;
    });
    return out;
}

QByteArray FixBrokenSjis(const QByteArray& bytes) {
    QByteArray out = bytes;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (!IsSjisLeadByte(uchar(out[i])))
            continue;
        if (i + 1 >= out.size()) {
            out[i] = ' ';
        } else if (!IsSjisTrailByte(uchar(out[i + 1]))) {
            out[i] = ' ';
            out[i + 1] = ' ';
        }
        ++i; // the byte after a lead byte is never taken as a new lead byte
    }
    return out;
}

QString FixBrokenSjis(const QString& text) {
    QString out = text;
    out.replace(QChar(QChar::ReplacementCharacter), u' ');
    return out;
}

QString LeftStrB(const QString& text, int n) {
    if (n <= 0)
        return {};
    QString out;
    int used = 0;
    forEachGlyph(text, [&](const Glyph& g) {
        if (used + g.width > n) {
            if (used < n) { // the cut falls inside this character: its first byte becomes a blank
                out += u' ';
                ++used;
            }
            return false;
        }
        out += QStringView(text).mid(g.pos, g.len);
        used += g.width;
        return true;
    });
    return out + blanks(n - used);
}

QString RightStrB(const QString& text, int n) {
    if (n <= 0)
        return {};
    qsizetype total = 0;
    forEachGlyph(text, [&](const Glyph& g) {
        total += g.width;
        return true;
    });
    if (total <= n)
        return blanks(n - total) + text;
    const qsizetype skip = total - n;
    qsizetype seen = 0;
    QString out;
    forEachGlyph(text, [&](const Glyph& g) {
        if (seen >= skip)
            out += QStringView(text).mid(g.pos, g.len);
        else if (seen + g.width > skip) // the cut falls inside this character: its last byte stays, as a blank
            out += u' ';
        seen += g.width;
        return true;
    });
    return out;
}

QString SpaceStr(int n) {
    if (n <= 0 || n > 510)
        return {};
    return QString(n, u' ');
}

QString ZeroPadLeft(const QString& text, int n) {
    return RightStrB(QString(256, u'0') + text, n);
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString TrimZenkaku(const QString& text) {
    constexpr QChar zenkakuSpace(0x3000);
    QString s = TrimBlanks(text);
    while (s.startsWith(zenkakuSpace))
        s = TrimBlanks(s.mid(1));
    while (s.endsWith(zenkakuSpace)) {
        s.chop(1);
        s = TrimBlanks(s);
    }
    return s;
}

QString DeleteAllSpaces(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != QChar(0x3000))
            out += c;
    return out;
}

QString RemoveTabCrLf(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c != u'\t' && c != u'\r' && c != u'\n')
            out += c;
    return out;
}

} // namespace core
