#include "core/settings/SysDefBits.h"

#include "core/session/SystemDef.h"
#include "core/text/NumberText.h"

namespace core {

namespace {

// Bit n of the word when the switch is 1.
qint32 bitIf(qint32 switchValue, int n, qint32 onValue = 1) {
    int word = 0;
    if (switchValue == onValue)
        SetFlagBit(word, n);
    return word;
}

} // namespace

void UnpackSysDefSwitches(TSystemDef& def) {
    def.Reserve2Switch1 = IsFlagBitSet(def.Reserve2, 1);
    def.Reserve2Switch2 = IsFlagBitSet(def.Reserve2, 2);

    const qint32 r4 = def.Reserve4;
    def.Reserve4Switch1 = IsFlagBitSet(r4, 1);
    def.Reserve4Switch2 = IsFlagBitSet(r4, 2);
    def.Reserve4Switch3 = IsFlagBitSet(r4, 3);
    def.Reserve4Switch4 = IsFlagBitSet(r4, 4);
    def.Reserve4Switch5 = IsFlagBitSet(r4, 5) ? 1 : IsFlagBitSet(r4, 6) ? 2 : 0;
    def.Reserve4Switch6 = IsFlagBitSet(r4, 7);
    def.Reserve4Switch7 = IsFlagBitSet(r4, 8);
    def.Reserve4Switch8 = IsFlagBitSet(r4, 9);
    def.Reserve4Switch9 = IsFlagBitSet(r4, 10);
    def.Reserve4Switch10 = IsFlagBitSet(r4, 11);
}

qint32 PackReserve2(qint32 stored, const TSystemDef& def) {
    const qint32 bits = bitIf(def.Reserve2Switch1, 1) | bitIf(def.Reserve2Switch2, 2);
    return (stored & ~kReserve2KnownBits) | bits;
}

qint32 PackReserve4(qint32 stored, const TSystemDef& def) {
    const qint32 bits = bitIf(def.Reserve4Switch1, 1) | bitIf(def.Reserve4Switch2, 2) |
                        bitIf(def.Reserve4Switch3, 3) | bitIf(def.Reserve4Switch4, 4) |
                        bitIf(def.Reserve4Switch5, 5, 1) | bitIf(def.Reserve4Switch5, 6, 2) |
                        bitIf(def.Reserve4Switch6, 7) | bitIf(def.Reserve4Switch7, 8) |
                        bitIf(def.Reserve4Switch8, 9) | bitIf(def.Reserve4Switch9, 10) |
                        bitIf(def.Reserve4Switch10, 11);
    return (stored & ~kReserve4KnownBits) | bits;
}

} // namespace core
