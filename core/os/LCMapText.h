#pragma once
// The Windows locale text mapping (LCMapString under the Japanese user locale) on our own
// tables: hiragana and katakana, half and full width, upper and lower case. Texts are mapped as
// CP932 text, so a mapping whose result CP932 cannot hold (ヷ, ゔ, ゕ) is not made and the
// character stays as it was.

#include <QString>
#include <QtGlobal>

namespace core {

// The Windows flag values, so that callers and stored settings keep their numbers.
inline constexpr quint32 LCMAP_LOWERCASE = 0x00000100;
inline constexpr quint32 LCMAP_UPPERCASE = 0x00000200;
inline constexpr quint32 LCMAP_HIRAGANA = 0x00100000;
inline constexpr quint32 LCMAP_KATAKANA = 0x00200000;
inline constexpr quint32 LCMAP_HALFWIDTH = 0x00400000;
inline constexpr quint32 LCMAP_FULLWIDTH = 0x00800000;

// The text mapped by the flags, in this order: full width (a half-width letter with ﾞ or ﾟ
// becomes one letter), then hiragana or katakana, then half width (a voiced letter becomes a
// letter and its mark), then upper or lower case. Other flag bits are ignored. Contradictory
// flags (hiragana with katakana, half with full width, upper with lower case) map nothing.
// The result keeps at most its first 255 CP932 bytes, never half of a double-byte character
// and never a half-width letter without the sound mark that followed it.
QString LCMapText(quint32 flags, const QString& text);

} // namespace core
