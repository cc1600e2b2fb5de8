// The system colours of the default scheme, by index 1 to 20.
#include "print/SystemColours.h"

#include <array>

namespace print {

QColor SystemColour(quint32 value) {
    // Index order of the platform: scroll bar, background, active caption, inactive caption,
    // menu, window, window frame, menu text, window text, caption text, active border, inactive
    // border, application workspace, highlight, highlight text, button face, button shadow,
    // grey text, button text, inactive caption text.
    static constexpr std::array<QRgb, 21> kScheme{
        0xC8C8C8, 0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
        0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000,
        0x434E54};
    const quint32 index = value & 0xFF;
    return QColor::fromRgb(index < kScheme.size() ? kScheme[index] : 0x000000);
}

} // namespace print
