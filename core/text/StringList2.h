#pragma once
// A string list with a stricter delimited-text parser than the usual one: a blank does not end
// an item (only the delimiter and control characters do), so "a b,c" gives "a b" and "c", and
// items can be trimmed on the way in.

#include <QChar>
#include <QString>
#include <QStringList>

namespace core {

class TStringList2 : public QStringList {
public:
    bool TrimItems = false; // trim blanks and control characters around every item
    QChar Delimiter = u',';
    QChar QuoteChar = u'"';

    // Delimiter ",", quote character '"', then SetDelimitedText.
    void SetCommaText(const QString& text);

    // Replaces the list's contents with the items of the text. Control characters (codes 1-31)
    // before an item and after it are skipped; an item in quote characters may hold delimiters
    // and a doubled quote character stands for one; a delimiter as the last character adds an
    // empty item.
    void SetDelimitedText(const QString& text);
};

} // namespace core
