#include "controls/forms/FontScale.h"

#include "controls/dialogs/DialogFont.h"

#include <cmath>

namespace controls {

namespace {
// Windows' MulDiv: a × b / c rounded half away from zero.
qint64 mulDiv(qint64 a, qint64 b, qint64 c) {
    const qint64 product = a * b;
    return (product >= 0 ? product + c / 2 : product - c / 2) / c;
}
} // namespace

int FontScaleBase(int screenFontSize, int screenPpi) {
    return screenFontSize == 10 && screenPpi > 0 ? screenPpi : 96;
}

TFontScale ComputeFontScale(int baseFontSize, int screenFontSize, int screenPpi) {
    TFontScale scale;
    scale.Base = FontScaleBase(screenFontSize, screenPpi);
    const int ppi = screenPpi > 0 ? screenPpi : 96;
    const qint64 standard = mulDiv(screenFontSize, ppi, 96);
    if (baseFontSize > 0 && standard > 0)
        scale.Ratio = int(double(mulDiv(baseFontSize, ppi, 96)) / double(standard) * 100.0);
    const double product = std::round(double(scale.Base) * scale.Ratio / 100.0 * 10000.0) / 10000.0;
    scale.PixelsPerInch = int(std::ceil(product));
    return scale;
}

int ScaleDesignPixels(int value, int pixelsPerInch) {
    return pixelsPerInch == 96 ? value : int(qint64(value) * pixelsPerInch / 96);
}

QFont FontOfRec(const core::TFontRec& rec, int screenPpi) {
    QFont font = DialogFont();
    if (!rec.Name.isEmpty())
        font.setFamilies(QStringList{rec.Name} + font.families());
    const int ppi = screenPpi > 0 ? screenPpi : 96;
    const int pixels = rec.Height != 0 ? qAbs(rec.Height) : int(mulDiv(rec.Size, ppi, 72));
    if (pixels > 0)
        font.setPixelSize(pixels);
    font.setBold(rec.Style == 1 || rec.Style == 3);
    font.setItalic(rec.Style == 2 || rec.Style == 3);
    return font;
}

} // namespace controls
