#pragma once
// Date and time texts by the format patterns of Delphi's FormatDateTime and StrToDate, which
// the stored texts, logs and settings of the product line are written with. The process-wide
// formats (separators, short and long date and time formats, Japanese month and day names)
// start with the values the program sets at start-up and can be changed, as the base dialog
// does with its short date format.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace core {

struct DelphiFormatSettings {
    QChar dateSeparator = u'/';
    QChar timeSeparator = u':';
    QString shortDateFormat = QStringLiteral("yyyy/MM/dd");
    QString longDateFormat = QStringLiteral("yyyy年MM月dd日");
    QString shortTimeFormat = QStringLiteral("hh:mm");
    QString longTimeFormat = QStringLiteral("hh:mm:ss");
    QString timeAMString = QStringLiteral("午前");
    QString timePMString = QStringLiteral("午後");
    QStringList shortMonthNames; // "1月" .. "12月"
    QStringList longMonthNames;  // "1月" .. "12月"
    QStringList shortDayNames;   // "日" .. "土", Sunday first
    QStringList longDayNames;    // "日曜日" .. "土曜日", Sunday first
    // A two-digit year y is read as the year ending in y that lies within this many years
    // before the current year and fewer after it.
    int twoDigitYearCenturyWindow = 50;

    DelphiFormatSettings();
};

// The settings every call below uses; change them in place.
DelphiFormatSettings& processFormatSettings();
// Back to the values set at start-up (date separator "/", time separator ":", short date
// "yyyy/MM/dd", long date "yyyy年MM月dd日", short time "hh:mm", long time "hh:mm:ss").
void resetProcessFormatSettings();

// Pattern letters are case-insensitive: y/yy two-digit year, yyy/yyyy four digits; m/mm month
// (minutes right after an h/hh token), mmm/mmmm month name; d/dd day, ddd/dddd day name,
// ddddd short date, dddddd long date; h/hh hour (12-hour when an am/pm token follows); n/nn
// minutes; s/ss seconds; z/zzz milliseconds; am/pm and a/p as written in the pattern, ampm the
// locale's 午前/午後; c short date and, when the time is not midnight, the long time; t/tt short
// and long time; "/" and ":" the separators; text in '...' or "..." is copied. Any other
// character is copied. An invalid value formats as the zero date 1899/12/30 00:00.
QString formatDateTime(const QString& pattern, const QDateTime& value);
QString formatDateTime(const QString& pattern, const QDate& value);

// Reads a date by the order of the short date format (year, month, day for "yyyy/MM/dd"):
// numbers of up to four digits separated by the date separator, blanks allowed around them;
// two numbers are month and day of the current year; a year of one or two digits is placed by
// the century window. False when the text is no valid date.
bool tryStrToDate(const QString& text, QDate& out);
QDate strToDateDef(const QString& text, const QDate& def);

} // namespace core
