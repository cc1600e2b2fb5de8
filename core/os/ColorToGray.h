#pragma once
// Grey equivalents of colours for black-and-white output.

#include <QtGlobal>

namespace core {

// Colour as the program keeps it: 0x00BBGGRR. White and black come back unchanged; any other
// colour gives the grey whose three components are the mean of red, green and blue rounded to
// the nearest, halves to even. A value outside 0..0xFFFFFF (a reference to a system colour,
// which has no RGB value without the widget palette) gives 0x808080, the grey of a failed
// conversion.
qint32 ColorToGray(qint32 color);

} // namespace core
