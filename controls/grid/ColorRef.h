#pragma once
// Colours as the settings store them: 0x00BBGGRR, or a system colour (high byte 0xFF or 0x80,
// low byte the Windows COLOR_ index), or "none" (0x1FFFFFFF) and "default" (0x20000000).

#include <QColor>
#include <QtGlobal>

namespace controls {

inline constexpr qint32 clNone = 0x1FFFFFFF;
inline constexpr qint32 clDefault = 0x20000000;
inline constexpr qint32 clGrayText = qint32(0xFF000011);

// The colour of a stored value; system colours come from the application's palette, "none"
// and "default" give an invalid colour.
QColor fromColorRef(qint32 value);

} // namespace controls
