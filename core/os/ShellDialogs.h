#pragma once
// The shell's dialogs (folder browser, computer browser, save-file dialog) behind one
// replaceable service, as the message boxes are: the program installs the Qt dialogs at
// start-up (QtShellDialogs.h), tests install a double that answers from a script, so no test
// waits on a modal window. Until one is installed every dialog answers "cancelled".

#include <QString>

#include <optional>

namespace core {

struct TFolderBrowseRequest {
    QString Title;         // empty: no title
    QString Root;          // folder the browser starts from when nothing is selected; empty: any
    QString InitialFolder; // selected when the browser opens
};

// The settings of a save-file dialog that its owner keeps between runs.
struct TSaveDialog {
    QString Title;
    QString Filter;       // "Description|*.ext|Description|*.ext", as the forms hold it
    int FilterIndex = 1;  // 1-based
    QString DefaultExt;   // without the ".", appended to a name typed without one
    QString InitialDir;
    QString FileName;     // the initial name; after a run the chosen path
};

class ShellDialogs {
public:
    virtual ~ShellDialogs() = default;
    // The chosen folder (native, no trailing "/" except the root itself); nullopt on cancel.
    virtual std::optional<QString> browseFolder(const TFolderBrowseRequest& request) = 0;
    // A computer chosen or typed; nullopt on cancel. Linux has no browsable network
    // neighbourhood, so the Qt dialog asks for the name.
    virtual std::optional<QString> browseComputer(const QString& title) = 0;
    // The chosen file path; nullopt on cancel.
    virtual std::optional<QString> runSaveDialog(const TSaveDialog& dialog) = 0;
    // Whether this user may create files in the existing folder (access(2) with W_OK and X_OK).
    // Doubles override it: root may write everywhere, so a test cannot make a real folder
    // unwritable.
    virtual bool isWritableFolder(const QString& folder);
};

// Installs the service (not owned) and returns the one it replaces; nullptr puts the
// non-interactive default back.
ShellDialogs* setShellDialogs(ShellDialogs* dialogs);
ShellDialogs& shellDialogs();

} // namespace core
