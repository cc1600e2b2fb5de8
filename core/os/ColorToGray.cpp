#include "core/os/ColorToGray.h"

namespace core {

namespace {

constexpr qint32 kWhite = 0xFFFFFF;
constexpr qint32 kFallbackGrey = 0x808080;

// numerator / denominator (both non-negative) rounded to the nearest, halves to even.
int roundHalfEven(int numerator, int denominator) {
    const int quotient = numerator / denominator;
    const int twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 == 1))
        return quotient + 1;
    return quotient;
}

} // namespace

qint32 ColorToGray(qint32 color) {
    if (color == kWhite || color == 0)
        return color;
    if (color < 0 || color > kWhite)
        return kFallbackGrey;
    const int red = color & 0xFF;
    const int green = (color >> 8) & 0xFF;
    const int blue = (color >> 16) & 0xFF;
    const int grey = roundHalfEven(red + green + blue, 3);
    return grey | (grey << 8) | (grey << 16);
}

} // namespace core
