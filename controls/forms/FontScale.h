#pragma once
// The arithmetic of a form's font scaling: the operator's font (BaseFont) as a percentage of the
// standard font (ScreenFont), and the form density that follows from it.

#include "core/session/SystemDef.h"

#include <QFont>

namespace controls {

struct TFontScale {
    int Base = 96;          // B: the screen density when the standard font has size 10, else 96
    int Ratio = 100;        // R: operator font size in percent of the standard font size
    int PixelsPerInch = 96; // P: ceiling of B × R / 100 (the product first rounded to 1/10000)
};

int FontScaleBase(int screenFontSize, int screenPpi);
// A size of 0 (no font known, as before login) gives the ratio 100.
TFontScale ComputeFontScale(int baseFontSize, int screenFontSize, int screenPpi);
// Trunc(value × ppi / 96); the value unchanged at 96.
int ScaleDesignPixels(int value, int pixelsPerInch);
// The program's dialog font with the record's size and style (the family when installed).
QFont FontOfRec(const core::TFontRec& rec, int screenPpi);

} // namespace controls
