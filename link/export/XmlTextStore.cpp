#include "link/export/XmlTextStore.h"

#include <cstring>
#include <stdexcept>

namespace taxreturn {

namespace {

// Each text is stored after its length, seven bits to a byte, the last byte below 0x80.
int lengthBytes(qsizetype length)
{
    int n = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++n;
    }
    return n;
}

} // namespace

quint32 TXmlTextStore::add(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return kNone;
    const qsizetype needed = lengthBytes(bytes.size()) + bytes.size();
    if (used_ + needed > capacity_) {
        // A text longer than a block gets a block of its own; it starts at offset 0.
        if (quint64(blocks_.size() + 1) << kOffsetBits > kLimit)
            throw std::length_error("the document's texts exceed the store");
        capacity_ = std::max(kBlockSize, needed);
        blocks_.push_back(std::make_unique<char[]>(size_t(capacity_)));
        used_ = 0;
    }
    const quint32 ref = quint32((blocks_.size() - 1) << kOffsetBits) | quint32(used_);
    char* p = blocks_.back().get() + used_;
    for (quint64 length = quint64(bytes.size()); ; length >>= 7) {
        if (length < 0x80) {
            *p++ = char(length);
            break;
        }
        *p++ = char(0x80 | (length & 0x7F));
    }
    std::memcpy(p, bytes.data(), size_t(bytes.size()));
    used_ += needed;
    return ref;
}

QByteArrayView TXmlTextStore::at(quint32 ref) const
{
    if (ref == kNone)
        return {};
    const auto* p = reinterpret_cast<const unsigned char*>(blocks_[ref >> kOffsetBits].get() +
                                                           (ref & ((quint32(1) << kOffsetBits) - 1)));
    qsizetype length = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char b = *p++;
        length |= qsizetype(b & 0x7F) << shift;
        if (b < 0x80)
            break;
    }
    return QByteArrayView(reinterpret_cast<const char*>(p), length);
}

} // namespace taxreturn
