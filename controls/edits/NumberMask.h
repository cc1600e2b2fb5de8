#pragma once
// Number formats of the "#,##0" kind, applied to the decimal text of a number exactly: no
// floating point in between, so every digit typed is the digit shown, and rounding to the
// format's decimals goes half away from zero.
//
// A format has up to three sections separated by ";": positive, negative (shown without a
// sign) and zero. In a section, "0" is a digit that is always shown, "#" a digit shown when
// needed, "." the decimal point, "," anywhere in the integer part turns on thousands
// separators; text in quotes and any other character are written as they stand before or
// after the number. A negative number with a one-section format gets a leading "-".

#include <QString>

namespace controls {

// The decimal value of a text: an optional sign, digits and an optional fraction, with blanks
// around it, or the exponent form "1.5E3". False when the text is no number.
struct DecimalText {
    bool negative = false;
    QString integerDigits;  // without leading zeros; empty for 0
    QString fractionDigits; // without trailing zeros
};
bool ParseDecimal(const QString& text, DecimalText& value);

// True when the value lies within the range of the program's money type (±922,337,203,685,477).
bool WithinFixedPointRange(const DecimalText& value);

// The value written with the format.
QString FormatDecimal(const QString& format, const DecimalText& value);

} // namespace controls
