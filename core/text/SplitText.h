#pragma once
// Splitting of delimited and multi-line texts: the comma and bar separated lines of the
// program's files and settings, and name=value lines.

#include <QString>
#include <QStringList>

#include <span>

namespace core {

// Lines of a text the way a string list takes its text: CR, LF and CR LF each end a line and
// a final empty line is not an item.
QStringList TextToLines(const QString& text);

// The n-th item (from 1) of the text split at the separator; "" when there is none. The text
// is split into lines after every separator has become a line break, so line breaks already in
// the text also separate items.
QString GetSplitItem(const QString& text, const QString& separator, int n);

// Splits the text at the delimiter into items[0], items[1], … and returns the index of the
// last item written (the number of delimiters found). A "//" starts a comment that runs to the
// end of the text. An empty text gives 0 and leaves the items untouched. At most items.size()
// slots are written: when the text holds more items, the last slot gets the item that belongs
// there, the rest is dropped and the result is items.size() - 1. With no slots at all nothing
// is written and the result is -1 (0 for an empty text).
int SplitText(const QString& text, const QString& delimiter, std::span<QString> items);

// The whole "name=value" line of the first line whose name (the text before its first "=")
// equals the name, ignoring case; "" when there is none or when either argument is empty.
QString GetNameValueLine(const QString& text, const QString& name);

} // namespace core
