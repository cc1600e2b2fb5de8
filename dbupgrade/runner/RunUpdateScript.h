#pragma once
// Runs the SQL tool on the step's script and judges the run.
//
// The tool is isql-fb with "-q -b -e -m -i <script> -o <log>": it echoes every statement into
// its log, merges its error messages into it and stops at the first failing statement (exit
// status 1; what the script committed before stays, DDL included, so the backup taken before
// the run is the recovery). The database user and password reach it in its environment.

#include <QString>

namespace dbupgrade {

// Result codes of a step.
enum : int {
    kStepDone = 1,
    kStepScriptError = 16,
    kStepToolNotStarted = 17,
    kStepFileMissing = 18,
    kStepOwnWorkFailed = 19,
};

// 1 the script ran without a failing statement; 16 a statement failed, the tool ended with
// another status than 0 or died, or left no readable log; 17 the tool could not be started
// (the script stays); 18 the script file does not exist. After 16 the log is kept in
// ErrDataup.txt (replaced) and appended to ErrDataup.log. The script is deleted unless the
// result is 17; the tool's log is deleted in every case. Waits for the tool with events running.
int RunUpdateScript(const QString& versionText);

// Appends the lines to ErrDataup.log in the log folder (created when missing), CR LF each.
void AppendErrDataupLog(const QList<QByteArray>& lines);

} // namespace dbupgrade
