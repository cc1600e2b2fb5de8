#include "core/dates/Periods.h"

#include "core/dates/SerialDate.h"

namespace core {

int MonthIndexToPeriodNo(int monthIndex)
{
    if (monthIndex < 0 || monthIndex > 11)
        return -1;
    // One adjustment period follows every three months.
    return monthIndex + monthIndex / 3 + 1;
}

int MonthToPeriodIndex(int month)
{
    if (month < 1 || month > 12)
        return 0;
    return MonthIndexToPeriodNo(month - 1) - 1;
}

int DateToPeriodNo(int closingDay, int adjustFlag, const QDate& yearStart, const QDate& yearEnd, const QDate& date)
{
    const int span = GetMonthCount(closingDay, yearStart, yearEnd);
    int month = GetMonthCount(closingDay, yearStart, date);
    if (span < month)
        month = span;

    bool adjust = adjustFlag == 1;
    if (adjust) {
        if (dateOrZeroDate(date) == dateOrZeroDate(yearEnd))
            return 16;
        adjust = month == 2 || month == 5 || month == 8 || month == 11;
    }
    if (month < 0 || month > 11)
        return -1;
    return MonthIndexToPeriodNo(month) + (adjust ? 1 : 0);
}

int GetMonthCount(int closingDay, const QDate& from, const QDate& to)
{
    const QDate first = GetSimeDate(0, closingDay, from);
    const QDate second = GetSimeDate(0, closingDay, to);
    return (second.year() - first.year()) * 12 + second.month() - first.month();
}

QDate GetSimeDate(int monthOffset, int closingDay, const QDate& date)
{
    const QDate day = dateOrZeroDate(date);
    if ((closingDay < 1 || closingDay > 28) && closingDay != kLastDayClosing)
        return day;
    // A date after the closing day already lies in the next closing month.
    if (closingDay < day.day())
        ++monthOffset;
    const QDate month = IncMonthClamp(monthOffset, day);
    const int closing = closingDay == kLastDayClosing ? month.daysInMonth() : closingDay;
    return QDate(month.year(), month.month(), closing);
}

QDate IncMonthClamp(int months, const QDate& date)
{
    // QDate::addMonths keeps the day where the target month has it and else takes its last day.
    return dateOrZeroDate(date).addMonths(months);
}

QDate AddDays(int days, const QDate& date)
{
    return dateOrZeroDate(date).addDays(days);
}

int DayOfDate(const QDate& date)
{
    return dateOrZeroDate(date).day();
}

} // namespace core
