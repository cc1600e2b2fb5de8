#pragma once
// The bytes of a document's texts, in blocks that never move: a text is added once and read back
// by its reference, a 32-bit number, for the document's life. Growing adds a block and copies
// nothing, so the store's peak is its size.

#include <QByteArrayView>

#include <memory>
#include <vector>

namespace taxreturn {

class TXmlTextStore {
public:
    static constexpr quint32 kNone = 0xFFFFFFFF;
    // References stay below this value; the document uses the ones above for its own marks.
    static constexpr quint32 kLimit = 0x80000000;

    // The reference of the bytes; kNone for none. Throws std::length_error when the store is full.
    quint32 add(QByteArrayView bytes);
    // The bytes of a reference from add(); empty for kNone.
    QByteArrayView at(quint32 ref) const;

private:
    static constexpr int kOffsetBits = 22; // 4 MiB blocks
    static constexpr qsizetype kBlockSize = qsizetype(1) << kOffsetBits;

    std::vector<std::unique_ptr<char[]>> blocks_;
    qsizetype used_ = 0;     // bytes used in the last block
    qsizetype capacity_ = 0; // its size
};

} // namespace taxreturn
