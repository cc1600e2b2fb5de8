// Helpers of the print library.
#include "print/LibraryHelpers.h"

#include "core/files/SystemFolders.h"

namespace print {

int SplitFields(const QString& line, const QString& delimiter, QStringList& fields) {
    fields.clear();
    QString rest = line;
    const qsizetype comment = rest.indexOf(QStringLiteral("//"));
    if (comment >= 0)
        rest.truncate(comment);
    if (rest.isEmpty())
        return 0;
    int count = 0;
    qsizetype at = 0;
    while (!delimiter.isEmpty() && (at = rest.indexOf(delimiter)) >= 0) {
        fields << rest.left(at);
        rest.remove(0, at + delimiter.size());
        ++count;
    }
    fields << rest;
    return count;
}

QString GetFieldText(const QString& line, const QString& delimiter, int index) {
    QStringList fields;
    const int count = SplitFields(line, delimiter, fields);
    if (index < 0 || index > 100 || count < index)
        return QString();
    return fields.at(index).trimmed();
}

double StrToFloatDefZero(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? v : 0;
}

bool GetSpecialFolderPath(int folder, QString& path) {
    if (folder != 5)
        return false;
    path = core::GetMyDocumentsDir();
    return true;
}

QChar FilterNumericKey(const QString& text, QChar key, TNumericKind kind, bool whole) {
    const bool backspace = key == QChar(8);
    const bool digit = key >= u'0' && key <= u'9';
    const bool sign = kind == TNumericKind::SignedInteger || kind == TNumericKind::SignedDecimal;
    const bool decimal = kind == TNumericKind::Decimal || kind == TNumericKind::SignedDecimal;
    if (kind == TNumericKind::Digits && !digit)
        return QChar();
    if (!(digit || backspace || (sign && key == u'-') || (decimal && key == u'.')))
        return QChar();
    if (key == u'-' && !whole && (text.contains(u'-') || !text.isEmpty()))
        return QChar();
    if (key == u'.' && (text.contains(u'.') || text.isEmpty()))
        return QChar();
    if (key == u'0' && !whole) {
        if (kind == TNumericKind::Digits || kind == TNumericKind::DigitsBackspace) {
            if (!text.isEmpty() && text.toLongLong() == 0)
                return QChar();
        } else if (text == u"0" || (sign && text == u"-") || (decimal && text == u".")) {
            return QChar();
        }
    }
    return key;
}

void PaintChart(QPainter&, const QRect&, int) {}

void SaveChartMetafile(const QString&) {}

bool ChartFileExists(const QString&) {
    return true;
}

} // namespace print
