// Record parsing and the value vocabularies of print-data files.
#include "print/PgwFormat.h"


#include <array>

namespace print {

namespace {

QString asciiUpper(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 0x20);
    return out;
}

struct NamedColour {
    const char16_t* name;
    qint32 value;
};

// Codes 0 to 15 in table order.
constexpr std::array<NamedColour, 16> kColours{{
    {u"黒", 0x000000}, {u"栗", 0x000080}, {u"緑", 0x008000}, {u"黄緑", 0x008080},
    {u"濃紺", 0x800000}, {u"紫", 0x800080}, {u"暗青緑", 0x808000}, {u"灰", 0x808080},
    {u"銀", 0xC0C0C0}, {u"赤", 0x0000FF}, {u"濃緑", 0x00FF00}, {u"青", 0xFF0000},
    {u"赤紫", 0xFF00FF}, {u"空", 0xFFFF00}, {u"白", 0xFFFFFF}, {u"黄", 0x00FFFF},
}};

qint32 colourOfCode(qint64 code, const TPGWDEF& def) {
    if (code >= 0 && code <= 15)
        return kColours[size_t(code)].value;
    if (code >= 16 && code <= 35)
        return qint32(0xFF000000u + quint32(code - 15));
    switch (code) {
    case 40: return def.NetColor1;
    case 41: return def.NetColor2;
    case 42: return def.UserColor1;
    case 43: return def.UserColor2;
    default: return qint32(quint32(code));
    }
}

bool parseInteger(const QString& text, qint64* value) {
    const QString t = text.trimmed();
    bool ok = false;
    if (t.startsWith(u'$'))
        *value = qint64(t.mid(1).toUInt(&ok, 16));
    else
        *value = t.toLongLong(&ok, 10);
    return ok;
}

} // namespace

QString NormalizeRecordLine(const QString& line) {
    QString out = line;
    out.remove(u'"');
    if (!out.endsWith(u';'))
        out += u';';
    return out;
}

QString RecordKind(const QString& line) {
    return asciiUpper(line.section(u';', 0, 0));
}

TPgwRecord::TPgwRecord(const QString& normalizedLine) {
    Fields = normalizedLine.split(u';');
    Kind = asciiUpper(Fields.takeFirst());
    if (!Fields.isEmpty() && Fields.last().isEmpty())
        Fields.removeLast(); // the part after the closing ";"
}

QString TPgwRecord::Text(int i) const {
    return i >= 0 && i < Fields.size() ? Fields.at(i) : QString();
}

int TPgwRecord::Number(int i, int defaultValue) const {
    return ParseNumber(Text(i), defaultValue);
}

int ParseNumber(const QString& text, int defaultValue) {
    qint64 value = 0;
    if (!parseInteger(text, &value) || value < INT32_MIN || value > qint64(UINT32_MAX))
        return defaultValue;
    return int(qint32(quint32(value)));
}

qint32 ResolveColour(const QString& field, const TPGWDEF& def) {
    for (const NamedColour& c : kColours)
        if (field == QStringView(c.name))
            return c.value;
    if (field == u"薄網掛")
        return def.NetColor1;
    if (field == u"濃網掛")
        return def.NetColor2;
    const QString upper = asciiUpper(field);
    if (upper == u"UCOLOR1") return def.UserColor1;
    if (upper == u"UCOLOR2") return def.UserColor2;
    if (upper == u"OCRGREEN") return def.OcrGreen;
    if (upper == u"OCRBLUE") return def.OcrBlue;
    if (upper == u"OCRBROWN") return def.OcrBrown;
    if (upper == u"OCRPINK") return def.OcrPink;
    if (upper == u"OCRORANGE") return def.OcrOrange;
    if (upper == u"OCRVIOLET") return def.OcrViolet;
    if (upper == u"OCRPURPLE") return def.OcrPurple;
    qint64 code = 0;
    if (parseInteger(field, &code))
        return colourOfCode(code, def);
    return 0;
}

qint32 ResolveBackground(const QString& field, const TPGWDEF& def) {
    const QString upper = asciiUpper(field);
    if (upper == u"1" || upper == u"OFF")
        return 1;
    if (upper == u"ON")
        return 0xFFFFFF;
    return ResolveColour(field, def);
}

bool DrawsBackground(qint32 background) {
    return quint32(background) > 15;
}

TTextStyle ParseStyle(const QString& style) {
    TTextStyle s;
    QString rest = style;
    if (rest.contains(u'C')) {
        s.Compressed = true;
        rest.remove(u'C');
    }
    if (rest == u"DU") {
        s.DoubleUnderline = true;
        return s;
    }
    static const QStringList kSets{QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U"),
                                   QStringLiteral("S"), QStringLiteral("BI"), QStringLiteral("BU"),
                                   QStringLiteral("BS"), QStringLiteral("IU"), QStringLiteral("IS"),
                                   QStringLiteral("BIU"), QStringLiteral("BIS")};
    if (!kSets.contains(rest))
        return s;
    s.Bold = rest.contains(u'B');
    s.Italic = rest.contains(u'I');
    s.Underline = rest.contains(u'U');
    s.StrikeOut = rest.contains(u'S');
    return s;
}

int ParseAlignment(const QString& alignment) {
    if (alignment == u"CENTER" || alignment == u"1")
        return 1;
    if (alignment == u"RIGHT" || alignment == u"2" || alignment == u"BOTTOM")
        return 2;
    return 0;
}

bool IsSignatureLine(const QString& firstLine) {
    return firstLine.left(10) == u"*PAGEWERK*";
}

bool IsPageEndLine(const QString& line) {
    return asciiUpper(line.left(2)) == u"E;";
}

} // namespace print
