#pragma once
// Upper-casing that touches only the full-width Latin letters, for comparing names that were
// mapped to full width first.

#include <QString>

namespace core {

// ａ to ｚ become Ａ to Ｚ; every other character, also the half-width letters, stays. The
// length never changes.
QString FullWidthUpperCase(const QString& text);

} // namespace core
