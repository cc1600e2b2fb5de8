#pragma once
// Byte-wise text rules of the Shift-JIS world on our QString texts. Screens, print layouts and
// fixed-width columns measure texts in CP932 bytes: a half-width character takes one byte, a
// full-width character two. The helpers walk the text character by character with each
// character's CP932 width, so a trail byte that happens to be "\" (0x5C) or "|" (0x7C) is never
// mistaken for a character of its own, and a cut never leaves half a character: where the byte
// rule would keep one byte of a double-byte character, the result has a blank in its place,
// which is what FixBrokenSjis makes of such a byte.

#include "platform/Cp932.h"

#include <QByteArray>
#include <QString>

namespace core {

inline bool IsSjisLeadByte(unsigned char b) { return platform::isSjisLeadByte(b); }
inline bool IsSjisTrailByte(unsigned char b) { return platform::isSjisTrailByte(b); }

// CP932 width of one character given as a code point: 1 or 2. A character that CP932 cannot
// hold counts as one byte, as platform::cp932Length counts it.
int SjisCharWidth(char32_t codePoint);

// The CP932 bytes of the text; a character that CP932 cannot hold becomes "?". For comparing
// and measuring only; file and database edges use platform::toCp932, which refuses such text.
QByteArray SjisBytes(const QString& text);

// Byte rule on raw Shift-JIS bytes: a lead byte not followed by a trail byte is blanked
// together with the byte after it; a lead byte at the very end is blanked. The length never
// changes. Use it on fixed-width byte fields before decoding them.
QByteArray FixBrokenSjis(const QByteArray& bytes);
// The same rule on decoded text: the decoder marks every byte it could not read with U+FFFD,
// and each mark becomes a blank. Valid text comes back unchanged.
QString FixBrokenSjis(const QString& text);

// Exactly n bytes: the first n bytes of the text, padded with blanks when it is shorter; a
// double-byte character that the cut would split becomes a blank. n <= 0 gives "".
QString LeftStrB(const QString& text, int n);
// Exactly n bytes: the last n bytes, padded with blanks on the left when the text is shorter;
// a double-byte character that the cut would split becomes a blank. n <= 0 gives "".
QString RightStrB(const QString& text, int n);

// n half-width blanks; "" for n <= 0 and for n > 510.
QString SpaceStr(int n);

// "0" characters in front up to n bytes; a longer text keeps its last n bytes.
QString ZeroPadLeft(const QString& text, int n);

// Removes half-width blanks, control characters and full-width spaces "　" at both ends.
QString TrimZenkaku(const QString& text);
// Delphi's Trim: removes every character up to and including the blank (codes 0-32) at both
// ends. Unlike QString::trimmed it keeps the full-width space.
QString TrimBlanks(const QString& text);

// Every half-width blank and every full-width space removed.
QString DeleteAllSpaces(const QString& text);
// Every tab, CR and LF removed.
QString RemoveTabCrLf(const QString& text);

} // namespace core
