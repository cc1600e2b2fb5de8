#pragma once
// Splits one line of text at a delimiter into items; double quotes protect delimiters inside an
// item. Reads comma-separated files, version texts and key lists. Callers set Delimiter and
// Mode before Split.

#include <QChar>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace core {

using TMojiArray = std::vector<QString>;

class TMojiBunkatu {
public:
    QChar Delimiter = u',';
    // 0: the usual delimited-text rules (a blank or control character also ends an item);
    // 1: blanks belong to the item, only control characters separate, every item is trimmed.
    quint8 Mode = 0;
    TMojiArray Items;
    qint32 Count = 0;

    // Replaces the items by those of the text; afterwards Count >= 1 (an empty text gives one
    // empty item).
    void Split(const QString& text);
    // Item index (from 0); the empty text outside 0 .. Count - 1.
    QString GetItem(int index) const;
    void Clear();
};

} // namespace core
