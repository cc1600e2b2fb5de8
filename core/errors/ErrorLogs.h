#pragma once
// The database error logs: Shift-JIS (CP932) text files with CR LF line ends in the log folder
// SystemDef.LogDir. "ErrFbAccess.log" and "FB_ERROR.LOG" grow by every report; "ErrFbAccess.txt"
// and "FB_ERROR.TXT" hold the lines of the last report only.
//
// Logging is best-effort: a log that cannot be written is skipped with a warning, so that a
// full disk or a missing folder never keeps the report itself (message, program end) from
// happening. A character CP932 cannot hold is written as "?".

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

namespace core {

// The clock of the log lines; tests freeze it. An empty clock is the system's local time.
using ErrorLogClock = std::function<QDateTime()>;
ErrorLogClock setErrorLogClock(ErrorLogClock clock); // returns the previous one
QDateTime errorLogNow();

// The log files of the current session.
QString errFbAccessLogFile(); // LogDir/ErrFbAccess.log
QString errFbAccessTxtFile(); // LogDir/ErrFbAccess.txt
QString fbErrorLogFile();     // LogDir/FB_ERROR.LOG
QString fbErrorTxtFile();     // LogDir/FB_ERROR.TXT
// (empty names while SystemDef.LogDir is empty: nothing is written then)

// The lines, each followed by CR LF, appended to the file (created when missing) or written as
// its whole content. False when the file could not be written.
bool appendLogLines(const QString& file, const QStringList& lines);
bool replaceLogLines(const QString& file, const QStringList& lines);

} // namespace core
