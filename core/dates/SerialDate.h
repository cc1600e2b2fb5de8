#pragma once
// Serial day numbers as the stored data of the product line counts them: days since
// 1899/12/30 (the zero date). Serial 0 means "no date", which is a null QDate here.

#include <QDate>

namespace core {

inline QDate zeroDate() { return QDate(1899, 12, 30); }

// Days since 1899/12/30; 0 for a null date.
inline int dateToSerial(const QDate& date)
{
    return date.isValid() ? int(zeroDate().daysTo(date)) : 0;
}

// The date of a serial day number; a null date for 0.
inline QDate serialToDate(int serial)
{
    return serial == 0 ? QDate() : zeroDate().addDays(serial);
}

// Routines that compute with a date take "no date" as the zero date itself.
inline QDate dateOrZeroDate(const QDate& date)
{
    return date.isValid() ? date : zeroDate();
}

} // namespace core
