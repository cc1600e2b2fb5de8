#pragma once
// The layout of a fiscal year in 16 period columns: its twelve months with an adjustment
// (closing-entry) period after every third month. Period numbers run 1..16 with the adjustment
// periods 4, 8, 12 and 16; 0-based period indexes put them at 3, 7, 11 and 15.
//
// A company's months end on its closing day: 1..28, or 99 for the last day of the month.
// A null date counts as the zero date 1899/12/30.

#include <QDate>

namespace core {

inline constexpr int kLastDayClosing = 99;

// Month index 0..11 of the fiscal year to its period number (1, 2, 3, 5, … 15); -1 otherwise.
int MonthIndexToPeriodNo(int monthIndex);
// Month 1..12 of the fiscal year to its 0-based period index (0, 1, 2, 4, … 14); 0 otherwise.
int MonthToPeriodIndex(int month);

// The period number 1..16 of the date in the fiscal year yearStart..yearEnd, or -1 before the
// year start. Dates after the year end count as its last month. With adjustFlag 1 a date in
// the third month of a quarter belongs to that quarter's adjustment period, and the year end
// itself to period 16.
int DateToPeriodNo(int closingDay, int adjustFlag, const QDate& yearStart, const QDate& yearEnd, const QDate& date);

// Closing months from the closing month of `from` to that of `to`.
int GetMonthCount(int closingDay, const QDate& from, const QDate& to);

// The closing date `monthOffset` closing months after the one the date lies in. A closing
// day outside 1..28 that is not 99 gives the date unchanged.
QDate GetSimeDate(int monthOffset, int closingDay, const QDate& date);

// The date moved by whole months; a day the target month lacks becomes its last day.
QDate IncMonthClamp(int months, const QDate& date);

QDate AddDays(int days, const QDate& date);
int DayOfDate(const QDate& date);

} // namespace core
