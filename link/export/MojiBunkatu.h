#pragma once
// The export's own comma splitter, used by the main form to take version texts apart. It is a
// separate class from the company-data splitter core::TMojiBunkatu (which has a second mode);
// both split with the string list's delimited-text rules.

#include <QChar>
#include <QString>
#include <QStringList>

namespace taxreturn {

using TMojiArray = QStringList;

class TMojiBunkatu {
public:
    QChar Delimiter = u',';
    int Count = 0;
    TMojiArray Items;

    // Replaces the items by those of the text (quoted items keep delimiters and blanks; outside
    // quotes a blank also ends an item). A text without items gives one empty item.
    void Split(const QString& text);
    // Item index (from 0); an empty text outside 0 .. Count - 1.
    QString GetItem(int index) const;
    void Clear();
};

} // namespace taxreturn
