#include "cloudexchange/analysis/WebDumpValues.h"

#include "core/Exception.h"
#include "core/db/IBSQLField.h"
#include "core/text/SjisText.h"

#include <firebird/Interface.h>

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <charconv>

namespace cloudexchange {

namespace {

const QString kQuote = QStringLiteral("'");

// The palette role that stands for a system colour index of the stored settings (the indexes
// of the Windows programs that wrote them); unknown indexes take the window colour.
QPalette::ColorRole systemColourRole(int index) {
    switch (index) {
    case 5: return QPalette::Base;              // window background
    case 8: return QPalette::Text;              // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;           // button face
    case 16: return QPalette::Dark;             // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;            // button highlight
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;
    }
}

qint32 resolveSystemColour(qint32 colour) {
    if ((quint32(colour) & 0xFF000000u) != 0x80000000u)
        return colour & 0xFFFFFF;
    const QPalette palette = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                 ? QGuiApplication::palette()
                                 : QPalette();
    const QColor c = palette.color(systemColourRole(colour & 0xFF));
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

template <typename T>
QString shortest(T value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QDateTime columnDateTime(const core::IBSQLField& field) {
    if (field.sqlType() == SQL_TYPE_DATE)
        return QDateTime(field.asDate(), QTime(0, 0));
    return field.asDateTime();
}

bool clampedLow(const QDateTime& value) { return value <= QDateTime(QDate(1970, 1, 1), QTime(0, 0)); }
bool clampedHigh(const QDateTime& value) { return value >= QDateTime(QDate(2038, 1, 1), QTime(0, 0)); }

const QString kLowDateTime = QStringLiteral("'1970-01-02 00:00:00'");
const QString kHighDateTime = QStringLiteral("'2038-01-01 00:00:00'");

QString quoted(const QString& text) { return kQuote + text + kQuote; }

} // namespace

QString EscapeSqlText(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\'': out += QStringLiteral("\\'"); break;
        case 0x00: out += QStringLiteral("\\0"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case 0x1A: out += QStringLiteral("\\Z"); break;
        default: out += c;
        }
    }
    return out;
}

QString ColorToDumpRGB(qint32 colour) {
    const qint32 bgr = resolveSystemColour(colour);
    const int r = bgr & 0xFF;
    const int g = (bgr >> 8) & 0xFF;
    const int b = (bgr >> 16) & 0xFF;
    return QString::number(r * 65536 + g * 256 + b);
}

QByteArray EncodeDumpLine(const QString& text) { return text.toUtf8(); }

QString FormatDumpDate(DumpValueKind kind, const QDateTime& value) {
    if (kind != DumpValueKind::DateTime && kind != DumpValueKind::Date)
        return QStringLiteral("'0000-00-00'");
    if (!value.isValid() || clampedLow(value))
        return kLowDateTime;
    if (clampedHigh(value))
        return kHighDateTime;
    return quoted(value.toString(kind == DumpValueKind::DateTime ? QStringLiteral("yyyy-MM-dd hh:mm:ss")
                                                                 : QStringLiteral("yyyy-MM-dd")));
}

QString DumpTextForm(const core::IBSQLField& field) {
    if (field.isNull())
        return QString();
    switch (field.sqlType()) {
    case SQL_FLOAT: return shortest(float(field.asDouble()));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return shortest(field.asDouble());
    default: return field.asString();
    }
}

QString FormatDumpValue(const core::IBSQLField& field, DumpValueKind kind, int byteLength) {
    const bool null = field.isNull();
    switch (kind) {
    case DumpValueKind::Plain:
        return null ? QStringLiteral("null") : DumpTextForm(field);
    case DumpValueKind::Quoted:
        return quoted(EscapeSqlText(DumpTextForm(field)));
    case DumpValueKind::Text: {
        if (null)
            return QStringLiteral("null");
        QString text = field.asString();
        if (byteLength > 0)
            text = core::TrimZenkaku(core::LeftStrB(text, byteLength));
        return quoted(EscapeSqlText(text));
    }
    case DumpValueKind::DateTime: {
        if (null)
            return QStringLiteral("'0000-00-00 00:00:00'");
        const QDateTime value = columnDateTime(field);
        if (clampedLow(value))
            return kLowDateTime;
        if (clampedHigh(value))
            return kHighDateTime;
        return quoted(DumpTextForm(field));
    }
    case DumpValueKind::Integer:
    case DumpValueKind::Float:
    case DumpValueKind::Double:
    case DumpValueKind::Currency:
        return null ? QStringLiteral("null") : DumpTextForm(field);
    case DumpValueKind::Colour:
        return ColorToDumpRGB(null ? 0 : qint32(field.asInt64()));
    case DumpValueKind::ChartType: {
        const qint64 type = null ? 0 : field.asInt64();
        return QString::number(type == 2 || type == 5 ? 2 : type == 3 || type == 4 ? 3 : 0);
    }
    case DumpValueKind::IntegerText: {
        bool ok = false;
        const qint64 n = field.asString().trimmed().toLongLong(&ok);
        return QString::number(ok ? n : 0);
    }
    default:
        throw core::Exception(QStringLiteral("値の種類 %1 は列から作れません。").arg(int(kind)));
    }
}

} // namespace cloudexchange
