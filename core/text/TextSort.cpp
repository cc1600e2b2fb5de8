#include "core/text/TextSort.h"

#include "core/text/SjisText.h"

#include <cstring>
#include <utility>
#include <vector>

namespace core {

namespace {

int compareBytes(const QByteArray& a, const QByteArray& b) {
    const qsizetype n = qMin(a.size(), b.size());
    const int c = n > 0 ? std::memcmp(a.constData(), b.constData(), size_t(n)) : 0;
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Sorts items[lo..hi] and keys[lo - base..hi - base] together.
void quickSort(std::span<TQSORT> items, std::vector<QByteArray>& keys, int base, int lo, int hi) {
    while (lo < hi) {
        const QByteArray pivot = keys[size_t((lo + hi) / 2 - base)];
        int i = lo;
        int j = hi;
        while (i <= j) {
            while (compareBytes(keys[size_t(i - base)], pivot) < 0)
                ++i;
            while (compareBytes(keys[size_t(j - base)], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(items[size_t(i)], items[size_t(j)]);
                std::swap(keys[size_t(i - base)], keys[size_t(j - base)]);
                ++i;
                --j;
            }
        }
        // Recurse into the smaller part and loop over the larger, so the depth stays small.
        if (j - lo < hi - i) {
            quickSort(items, keys, base, lo, j);
            lo = i;
        } else {
            quickSort(items, keys, base, i, hi);
            hi = j;
        }
    }
}

} // namespace

int CompareSjis(const QString& a, const QString& b) {
    return compareBytes(SjisBytes(a), SjisBytes(b));
}

void SortTextIntArray(std::span<TQSORT> items, int first, int last) {
    first = qMax(first, 0);
    last = int(qMin<qint64>(last, qint64(items.size()) - 1));
    if (first >= last)
        return;
    std::vector<QByteArray> keys;
    keys.reserve(size_t(last - first + 1));
    for (int i = first; i <= last; ++i)
        keys.push_back(SjisBytes(items[size_t(i)].SORTKEY));
    quickSort(items, keys, first, first, last);
}

} // namespace core
