#pragma once
// The three theme colours of the shared dialogs (0x00BBGGRR values). The start-up replaces
// them for the OEM edition before the first dialog opens.

#include <QtGlobal>

namespace controls {

struct TDialogThemeColors {
    qint32 Light = 0xFFF0E1;  // $E1F0FF
    qint32 Medium = 0xFFC78E; // $8EC7FF
    qint32 Strong = 0xFF6B24; // $246BFF
};

inline TDialogThemeColors DialogThemeColors;

} // namespace controls
