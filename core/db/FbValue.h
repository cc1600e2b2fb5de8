#pragma once
// Conversions between Firebird's wire values and the program's types: dates and times, and
// scaled integers (NUMERIC/DECIMAL) as exact decimals and Currency.

#include "core/Currency.h"

#include <firebird/Interface.h>

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

namespace core::fbvalue {

ISC_DATE encodeDate(const QDate& date);
QDate decodeDate(ISC_DATE date);
ISC_TIME encodeTime(const QTime& time); // ten-thousandths of a second since midnight
QTime decodeTime(ISC_TIME time);

// value × 10^scale as the shortest exact decimal: (123450, -4) → "12.345".
QString scaledToString(qint64 value, int scale);
// value × 10^scale as Currency, rounding half to even below 1/10000; nullopt on overflow.
std::optional<Currency> scaledToCurrency(qint64 value, int scale);
// A decimal text ("-12.3456", " 7 ") as Currency, rounding half to even below 1/10000;
// nullopt when it is not a number or does not fit.
std::optional<Currency> parseCurrency(const QString& text);

} // namespace core::fbvalue
