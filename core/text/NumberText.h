#pragma once
// Small conversions between numbers, flags and their texts.

#include "core/Currency.h"

#include <QString>
#include <QtGlobal>

namespace core {

// The number with thousands separators, format "#,##0": -1234567 gives "-1,234,567".
QString IntToCommaStr(qint64 value);

// low + high × factor kept to 16 bits (the job-control level number uses factor 1000).
quint16 ComposeWord(int high, int low, int factor);

inline int BoolToInt(bool value) { return value ? 1 : 0; }
inline bool IntToBool(int value) { return value != 0; }
inline QString BoolToTrueFalseStr(bool value) { return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

// Delphi's text-to-currency conversion: blanks around, an optional sign, digits with an
// optional "." and fraction, an optional exponent "E±n"; no thousands separators. More than
// four decimals are rounded half to even. False for anything else or a value out of range.
bool TryStrToCurr(const QString& text, Currency& value);
// The text as a currency value; 0 when it is not one.
Currency StrToCurrDefZero(const QString& text);

// Sets bit n-1 for n = 1..24 (flag 1 is 0x1, flag 24 is 0x800000); any other n changes nothing.
void SetFlagBit(int& value, int n);
// Bit n-1 of the value as 0 or 1; 0 for n outside 1..32.
int IsFlagBitSet(int value, int n);

} // namespace core
