#pragma once
// The program body: from the running application object to the exit code. It refuses to run
// beside the accounting program, its tools or a second copy of itself, holds the mutex
// "DIRU_RENDO" while it runs, creates the main form, runs its start-up step and then the event
// loop until the form has gone. main() and the end-to-end tests call it the same way.

#include <QString>
#include <QStringList>

namespace taxlink {

struct TProgramOptions {
    QString ProgramFile;    // the executable's path; "AppInfo.ini" lies beside it
    QStringList Arguments;  // the command line without the program name
    // Leaves the message service that is installed in place (a test's recording service)
    // instead of installing the program's dialogs.
    bool KeepMessageService = false;
};

// The services the program installs before its main form exists: the Qt shell dialogs and
// screen density, the program's message boxes (unless installMessageService is false), the
// data-set marks of the company-data layer, the computer name and Windows generation of the
// session, the product-version list of the data information and the data-selection module.
// Safe to call more than once.
void InstallProgramServices(bool installMessageService = true);

// Runs the program on the QApplication that exists. Returns the exit code: the main form's
// ResultCode (0 done, 1 cancelled, 2 failed); 2 when the program ended before the wizard
// (another program running, a start-up failure).
int RunProgram(const TProgramOptions& options);

// The names of the named mutexes and the messages shown when one of them is held.
inline constexpr char kZaimuMutex[] = "TESSARO000";
inline constexpr char kZaimuToolsMutex[] = "TESSARO_TOOLS";
inline constexpr char kLinkMutex[] = "DIRU_RENDO";
inline constexpr char kApplicationTitle[] = "連動ﾃﾞｰﾀの作成";

} // namespace taxlink
