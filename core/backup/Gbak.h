#pragma once
// The Firebird backup tool gbak, run as a separate process for backups and restores that do
// not go through the services. The user name and password reach it in its environment
// (ISC_USER, ISC_PASSWORD), never on its command line, where every user of the machine could
// read them. It writes its messages into a log file (-y), which stays for inspection until
// the next run deletes it.

#include <QString>
#include <QStringList>

namespace core {

// The program: the environment variable TAXLINK_GBAK when it is set; else "gbak" in the
// program's folder (SystemDef.ExeDir) when that file exists; else "/usr/bin/gbak", where
// Debian's firebird3.0-utils installs it.
QString gbakProgram();

// "gbak.log" in the work folder (SystemDef.WorkDir; the system's temporary folder while that
// is empty).
QString gbakLogFile();

struct GbakMessages {
    QString startFailed;  // the tool could not be started
    QString failedPrefix; // followed by the log text
};

// Runs gbak with the arguments (which name gbakLogFile() after -y); an existing log is deleted
// first. Waits for its end, letting events run meanwhile. Raises core::Exception:
// startFailed when it cannot be started; failedPrefix followed by the log text when it ended
// with a status other than 0 or by a signal, or its log contains "ERROR" (exact case). What
// the tool printed is added when the log does not hold it (gbak writes some failures, such
// as an unusable log file or a backup that ends early, only there).
void runGbak(const QStringList& arguments, const QString& user, const QString& password,
             const GbakMessages& messages);

} // namespace core
