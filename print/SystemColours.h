#pragma once
// The platform's system colours ($FF0000nn) as fixed colours of the default scheme.

#include <QColor>

namespace print {

QColor SystemColour(quint32 value);

} // namespace print
