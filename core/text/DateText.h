#pragma once
// Date texts of the settings stores and lists: the zero date (no date) is an empty text.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace core {

// True for the zero date: an invalid value or 1899/12/30 00:00:00.000, serial day 0.
bool IsZeroDate(const QDateTime& value);

// "" for the zero date; kind 2 "yy/mm/dd", kind 4 "yyyy/mm/dd", any other kind "yyyy/mm/dd hh:nn".
QString DateTimeToStrByKind(int kind, const QDateTime& value);
QString DateTimeToStrByKind(int kind, const QDate& value);

// The text as a date under the process-wide date formats; a null QDate (the zero date) when
// it is not one.
QDate StrToDateDefZero(const QString& text);

} // namespace core
