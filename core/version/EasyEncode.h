#pragma once
// The reversible text scrambler of the product line. It keeps the data password of a company
// data set out of plain sight in the company settings store; it is no protection against a
// reader who knows the program. Passwords written by earlier releases must still decode, so
// the alphabet, the key walk and the padding are fixed.

#include <QString>
#include <QtGlobal>

namespace core {

struct TEasyEncodeInfo {
    qint32 targetLength = 0; // EasyEncode pads the plain text up to this many characters
    qint32 textLength = 0;   // EasyDecode keeps at most this many characters
    QString key;             // walked by its CP932 bytes
    QString plainText;
    QString codedText;
};

// The 62 characters that the scrambler maps onto each other.
inline constexpr char kEasyEncodeAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";

// Settings of the data password ("データパスワードV2" of group "基本設定").
inline constexpr char kDataPasswordKey[] = "tormand";
inline constexpr int kDataPasswordLength = 8;

// Clears lengths and texts; the key is kept.
void InitEasyEncodeInfo(TEasyEncodeInfo& info);

// Fills codedText from plainText (padded with "A", "B", … up to targetLength). A character
// outside the alphabet ends the coded text. Always true.
bool EasyEncode(TEasyEncodeInfo& info);

// Fills plainText from codedText, at most textLength characters. A character outside the
// alphabet ends the plain text. Always true.
bool EasyDecode(TEasyEncodeInfo& info);

} // namespace core
