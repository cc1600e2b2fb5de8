#include "core/text/SplitText.h"

namespace core {

QStringList TextToLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') {
            ++i;
            continue;
        }
        lines << text.mid(start, i - start);
        i += (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QString GetSplitItem(const QString& text, const QString& separator, int n) {
    if (n < 1)
        return {};
    QString lines = text;
    if (!separator.isEmpty())
        lines.replace(separator, QStringLiteral("\r\n"));
    return TextToLines(lines).value(n - 1);
}

int SplitText(const QString& text, const QString& delimiter, std::span<QString> items) {
    QString rest = text;
    const qsizetype comment = rest.indexOf(QStringLiteral("//"));
    if (comment >= 0)
        rest.truncate(comment);
    if (rest.isEmpty())
        return 0;
    const int slotCount = int(items.size());
    if (slotCount == 0)
        return -1;
    int index = 0;
    qsizetype at = delimiter.isEmpty() ? -1 : rest.indexOf(delimiter);
    while (at >= 0) {
        if (index == slotCount - 1) // no slot for the rest: the last slot keeps its own item only
            break;
        items[size_t(index)] = rest.left(at);
        ++index;
        rest = rest.mid(at + 1); // cut after the delimiter's first character
        at = rest.indexOf(delimiter);
    }
    items[size_t(index)] = at >= 0 ? rest.left(at) : rest;
    return index;
}

QString GetNameValueLine(const QString& text, const QString& name) {
    if (text.isEmpty() || name.isEmpty())
        return {};
    for (const QString& line : TextToLines(text)) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return line;
    }
    return {};
}

} // namespace core
