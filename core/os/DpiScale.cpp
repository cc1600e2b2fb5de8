#include "core/os/DpiScale.h"

#include <QtGlobal>

namespace core {

namespace {

constexpr int kDesignDpi = 96;
TPixelsPerInchSource pixelsPerInchSource = nullptr;

} // namespace

TPixelsPerInchSource SetPixelsPerInchSource(TPixelsPerInchSource source) {
    const TPixelsPerInchSource previous = pixelsPerInchSource;
    pixelsPerInchSource = source;
    return previous;
}

int MainFormPixelsPerInch() {
    const int dpi = pixelsPerInchSource ? pixelsPerInchSource() : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int ScaleByDpi(int value, int targetDpi, int sourceDpi) {
    const int source = sourceDpi == 0 ? MainFormPixelsPerInch() : sourceDpi;
    if (source == targetDpi)
        return value;
    return int(qint64(value) * targetDpi / source);
}

int SystemFrameHeight() {
    return 4;
}

int AdjustFrameHeight(int height, int kind, int frameHeight) {
    const int twice = 2 * frameHeight;
    if (twice == 8 || twice <= 6)
        return height;
    switch (kind) {
    case 0:
        return height - twice + 8;
    case 1:
        return height - 4 * frameHeight + 16;
    default:
        return height;
    }
}

} // namespace core
