#pragma once
// The key-navigation sets shared by the program's input controls. Dialogs are filled in from
// the keyboard: Enter and the arrow keys move the focus from field to field, and each control
// says by its TKeyStyles which of these keys it gives that meaning. TAutoNextCtls are the
// signals with which an edit tells its form that it is full or that Tab or Down was pressed.
// Both sets are kept in one byte with the bit values the form resources store.

#include <QtGlobal>

namespace controls {

enum TKeyStyle : quint8 { ksEnter = 0, ksLeft = 1, ksUp = 2, ksRight = 3, ksDown = 4 };

enum TAutoNextCtl : quint8 { acMaxLength = 0, acTabKey = 1, acDownKey = 2, acSendEnter = 3 };

// A set of small enumeration values in one byte; bits outside `validMask` are dropped.
template <typename E, quint8 validMask>
class TByteSet {
public:
    constexpr TByteSet() = default;
    constexpr TByteSet(std::initializer_list<E> elements) {
        for (E e : elements)
            bits_ |= bit(e);
    }
    static constexpr TByteSet fromByte(quint8 value) {
        TByteSet set;
        set.bits_ = quint8(value & validMask);
        return set;
    }
    constexpr quint8 toByte() const { return bits_; }
    constexpr bool contains(E e) const { return (bits_ & bit(e)) != 0; }
    constexpr bool isEmpty() const { return bits_ == 0; }
    constexpr TByteSet& include(E e) { bits_ |= bit(e); return *this; }
    constexpr TByteSet& exclude(E e) { bits_ &= quint8(~bit(e)); return *this; }
    friend constexpr bool operator==(TByteSet, TByteSet) = default;

private:
    static constexpr quint8 bit(E e) { return quint8(1u << quint8(e)); }
    quint8 bits_ = 0;
};

using TKeyStyles = TByteSet<TKeyStyle, 0x1F>;
using TAutoNextCtls = TByteSet<TAutoNextCtl, 0x0F>;

// [ksEnter, ksUp]: the default of the simple controls (Enter goes on, Up goes back).
inline constexpr TKeyStyles kDefaultKeyStyles{ksEnter, ksUp};

} // namespace controls
