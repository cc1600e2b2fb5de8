#pragma once
// The value forms of the analysis-cloud SQL dump: how one column of a company row becomes a
// MySQL literal, and the helpers those forms share. The dump is UTF-8 throughout; MySQL reads
// the literals through its own escapes, so a value can never leave its quotes or its line.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace core {
class IBSQLField;
}

namespace cloudexchange {

enum class DumpValueKind {
    Plain,             // the text form, unquoted; null is written null
    Quoted,            // the text form in quotes, escaped; null is ''
    Text,              // escaped text in quotes, optionally cut to a byte length; null is null
    DateTime,          // quoted date and time, clamped to 1970-01-02 .. 2038-01-01
    Date,              // quoted date only (used by FormatDumpDate)
    Integer,           // the text form unquoted; null is null (also float, double, currency)
    Float,
    Double,
    Currency,
    Colour,            // a stored 0x00BBGGRR colour written as R×65536 + G×256 + B
    Counter,           // a running number of the section, from 1
    Constant,          // a literal written as it stands
    PrevPrevYearStart, // start of the fiscal year before the previous one, from AccInf
    PrevYearStart,     // start of the previous fiscal year, from AccInf
    ChartType,         // CTYPE1 mapped to the cloud's chart types (2 and 5 → 2, 3 and 4 → 3, else 0)
    IntegerText,       // a text column written as an integer (0 when it is not one)
};

// Backslashes doubled, then quotes escaped; NUL, CR, LF and Ctrl-Z written as \0, \r, \n and \Z.
// Works on characters: the second byte of a Shift-JIS character is never taken for a backslash.
QString EscapeSqlText(const QString& text);

// Decimal of R×65536 + G×256 + B for a colour kept as 0x00BBGGRR. A system colour reference
// (0x80000000 + index) is resolved through the application's palette first.
QString ColorToDumpRGB(qint32 colour);

// The line as the dump file holds it: UTF-8.
QByteArray EncodeDumpLine(const QString& text);

// A date-time as a quoted literal: 'yyyy-mm-dd hh:nn:ss' for DateTime, 'yyyy-mm-dd' for Date,
// '0000-00-00' for any other kind; values up to 1970-01-01 00:00 (the zero date included)
// become 1970-01-02 00:00:00 and values from 2038-01-01 on 2038-01-01 00:00:00.
QString FormatDumpDate(DumpValueKind kind, const QDateTime& value);

// The column of the current row as a literal of the kind; byteLength > 0 cuts a Text value to
// that many Shift-JIS bytes and trims it. Counter, Constant and the AccInf kinds are not
// column values and are refused.
QString FormatDumpValue(const core::IBSQLField& field, DumpValueKind kind, int byteLength);

// The database layer's text form of a column, with floating values in their shortest form.
QString DumpTextForm(const core::IBSQLField& field);

} // namespace cloudexchange
