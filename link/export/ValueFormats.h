#pragma once
// The text forms of values in the intermediate file. Every builder formats through these, so a
// value looks the same wherever it appears.

#include "core/Currency.h"

#include <QDate>
#include <QString>

namespace taxreturn {

// Whole currency units, rounded half away from zero, "-" before a negative value, no
// separators; zero (also after rounding) gives an empty text (the format "#").
QString FormatAmount(core::Currency value);
// As FormatAmount, but zero gives "0" (the format "#0").
QString FormatAmount0(core::Currency value);
// "yyyymmdd"; empty for a null date.
QString FormatDate8(const QDate& date);
// "yyyy-mm-dd"; empty when no valid date is set (the zero date 1899-12-30 is a valid date).
QString FormatIsoDate(const QDate& date);
// Japanese-era date: era name, era year, month and day as "%s%.2d年%.2d月%.2d日"; empty for a
// null date.
QString FormatEraDate(const QDate& date);

} // namespace taxreturn
