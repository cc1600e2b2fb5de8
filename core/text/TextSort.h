#pragma once
// Sorting of text-integer pairs by their text, as the statements sort their rows: the texts
// are compared as CP932 bytes, so half-width katakana (0xA1-0xDF) sort after ASCII and before
// kanji, the order the stored sort keys were designed for.

#include <QString>
#include <QtGlobal>

#include <span>

namespace core {

// A sort entry: the key text and the index of the row it stands for. A key "ﾟ" (the single
// byte 0xDF) marks a row that is not shown and sorts after every key of digits and letters.
struct TQSORT {
    QString SORTKEY;
    qint32 ROWIDX = 0;
};

// Quicksort in place of items[first..last], ascending by SORTKEY compared byte by byte
// (case-sensitive), with the middle element's key ((first + last) / 2) as pivot; equal keys
// may change places. A range outside the array is narrowed to the array.
void SortTextIntArray(std::span<TQSORT> items, int first, int last);

// CP932 byte order of two texts: < 0, 0 or > 0.
int CompareSjis(const QString& a, const QString& b);

} // namespace core
