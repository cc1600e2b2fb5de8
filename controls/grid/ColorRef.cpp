#include "controls/grid/ColorRef.h"

#include <QGuiApplication>
#include <QPalette>

namespace controls {

namespace {

// The palette colour that stands for a Windows system colour index.
QColor systemColor(int index) {
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5: return palette.color(QPalette::Base);             // COLOR_WINDOW
    case 6: return palette.color(QPalette::Shadow);           // COLOR_WINDOWFRAME
    case 7: return palette.color(QPalette::WindowText);       // COLOR_MENUTEXT
    case 8: return palette.color(QPalette::Text);             // COLOR_WINDOWTEXT
    case 13: return palette.color(QPalette::Highlight);       // COLOR_HIGHLIGHT
    case 14: return palette.color(QPalette::HighlightedText); // COLOR_HIGHLIGHTTEXT
    case 15: return palette.color(QPalette::Button);          // COLOR_BTNFACE
    case 16: return palette.color(QPalette::Dark);            // COLOR_BTNSHADOW
    case 17: return palette.color(QPalette::Disabled, QPalette::Text); // COLOR_GRAYTEXT
    case 18: return palette.color(QPalette::ButtonText);      // COLOR_BTNTEXT
    case 20: return palette.color(QPalette::Light);           // COLOR_BTNHIGHLIGHT
    case 21: return palette.color(QPalette::Shadow);          // COLOR_3DDKSHADOW
    case 22: return palette.color(QPalette::Midlight);        // COLOR_3DLIGHT
    case 23: return palette.color(QPalette::ToolTipText);     // COLOR_INFOTEXT
    case 24: return palette.color(QPalette::ToolTipBase);     // COLOR_INFOBK
    default: return palette.color(QPalette::Window);          // COLOR_BTNFACE-like surfaces
    }
}

} // namespace

QColor fromColorRef(qint32 value) {
    if (value == clNone || value == clDefault)
        return {};
    const quint32 bits = quint32(value);
    const quint32 high = bits >> 24;
    if (high == 0xFF || high == 0x80)
        return systemColor(int(bits & 0xFF));
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

} // namespace controls
