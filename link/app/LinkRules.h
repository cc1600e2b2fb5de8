#pragma once
// The rules of the link wizard that need no window: the caller argument, the version check, the
// period rules of the calculation page, the period dates, the summary text and the output-file
// check. The main form calls them with the values of its controls.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace taxlink {

// The one command-line argument of a calling program: "window,message,parameter,path". The
// path is everything after the third comma, commas included.
struct TCallerArgument {
    bool Valid = false;  // the three numbers were numbers
    qint64 Wnd = 0;      // the caller's window; kept when only the later fields are wrong
    bool MsgValid = false; // the message number was a number (the caller may be told)
    quint32 Msg = 0;
    quint32 Param = 0;
    QString Path;
};
TCallerArgument ParseCallerArgument(const QString& argument);

// True when the version a is above 0 and not below b; each is "p1[.p2[.p3]]", any other
// number of parts counts 0.0.0 (so four parts never pass), a part that is not a number 0.
bool CompareVersion(const QString& a, const QString& b);

// The period rules of the calculation page. S: the data set's default first slot; K: its
// start number (KAISINO). The slots move to (S, 7) or (S, 15); MidYearNotice is set when the
// selection of a mid-year data set had to be changed to (S, 15).
struct TPeriodSelection {
    int First = 0;
    int Last = 0;
    bool MidYearNotice = false;
};
TPeriodSelection ApplyPeriodRules(int defaultFirst, int kaisiNo, int first, int last);

// The month number (1-12) of a slot 0-15 of the period panel.
int SlotMonthNo(int slot);

// The closing date of the first ("START") or last ("END") slot's month: the month that lies
// (month number − 1) months after the period start, with the data set's closing day. For
// "END", when lastSelectable is not 15 and last equals it, the slot before it counts. Any
// other word gives a null date.
QDate PeriodDate(const QString& which, const QDate& periodStart, int closingDay, int first, int last,
                 int lastSelectable);

// What the summary page shows.
struct TSummaryInput {
    QString CompanyName;
    int Nendo = 0;
    QString PeriodStartText; // the period start and end as FormatDateTextNen gives them
    QString PeriodEndText;
    QDate FirstMonth;        // PeriodDate("START")
    QDate LastMonth;         // PeriodDate("END")
    bool SameSlot = false;   // the first and last slot are the same
    int TaxMode = 0;         // 0 tax included, 1 excluded
    QString ExportFile;      // resolved path (ResolveExportFile); always named
};
QStringList BuildSummaryLines(const TSummaryInput& input);

// The output-file field: Empty when it is blank or names no file, InRoot when the file would
// lie directly in the root folder "/", else Ok.
enum class TOutputFileCheck { Ok, Empty, InRoot };
TOutputFileCheck CheckOutputFile(const QString& text);

// The path that is written: a bare file name lies in the documents folder, a relative path
// below it; an absolute path stays as it is.
QString ResolveExportFile(const QString& text, const QString& documentsDir);

} // namespace taxlink
