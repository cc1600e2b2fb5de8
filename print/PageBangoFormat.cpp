// Page-number formats.
#include "print/PageBangoFormat.h"

#include <QList>

namespace print {

int CountPagePlaceholders(const QString& format) {
    return int(format.toUpper().count(QStringLiteral("%D")));
}

std::optional<QString> FormatPageNumber(const QString& format, const QList<int>& values) {
    QString out;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != u'%') {
            out += c;
            continue;
        }
        ++i;
        if (i < format.size() && format.at(i) == u'%') {
            out += u'%';
            continue;
        }
        bool leftAlign = false;
        if (i < format.size() && format.at(i) == u'-') {
            leftAlign = true;
            ++i;
        }
        int width = 0;
        while (i < format.size() && format.at(i).isDigit())
            width = width * 10 + format.at(i++).digitValue();
        if (i >= format.size() || next >= values.size())
            return std::nullopt;
        const QChar type = format.at(i).toLower();
        QString number;
        if (type == u'd')
            number = QString::number(values.at(next));
        else if (type == u'u')
            number = QString::number(quint32(values.at(next)));
        else if (type == u'x')
            number = QString::number(quint32(values.at(next)), 16).toUpper();
        else
            return std::nullopt;
        ++next;
        out += leftAlign ? number.leftJustified(width, u' ') : number.rightJustified(width, u' ');
    }
    return out;
}

} // namespace print
