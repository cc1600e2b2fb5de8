#pragma once
// The switch words of the operator's SYSDEF row. Reserve2 holds two switches in bits 1 and 2;
// Reserve4 holds ten: switches 1-4 in bits 1-4, switch 5 three-valued (1 in bit 5, 2 in bit 6),
// switches 6 and 7 in bits 7 and 8, switches 8-10 in bits 9-11 (bit n is 2 to the power n-1).
//
// Other programs of the product line share the SYSDEF row, so packing starts from the stored
// word and changes only the bits named here; every other bit keeps its stored value.

#include <QtGlobal>

namespace core {

struct TSystemDef;

inline constexpr qint32 kReserve2KnownBits = 0x3;   // bits 1-2
inline constexpr qint32 kReserve4KnownBits = 0x7FF; // bits 1-11

// Reserve2 → SystemDef.Reserve2Switch1/2; Reserve4 → SystemDef.Reserve4Switch1..10. The words
// themselves are not changed.
void UnpackSysDefSwitches(TSystemDef& def);

// The stored words with the known bits replaced by the switches of def (a switch is on when it
// is 1; switch 5 is 1 or 2).
qint32 PackReserve2(qint32 stored, const TSystemDef& def);
qint32 PackReserve4(qint32 stored, const TSystemDef& def);

} // namespace core
