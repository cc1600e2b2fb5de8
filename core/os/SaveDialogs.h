#pragma once
// The folder browser, the save-file dialog and the computer browser with the program's rules
// around them (path length, where saving is allowed). The dialogs themselves come from the
// installed ShellDialogs service.

#include "core/os/ShellDialogs.h"

#include <QString>

namespace core {

// Shows the folder browser (title, root, the folder as the initial selection) until the user
// cancels (false) or picks a folder. A path longer than 255 CP932 bytes (the limit of a
// Windows ANSI path) is refused with an error and gives false. Unless skipRule is set, a folder
// where saving is not allowed (SaveLocationRule.h) brings the question: Yes sets the folder to
// the Documents folder and gives true, No shows the browser again. Otherwise the folder
// becomes the chosen path and the result is true.
bool SelectSaveFolder(const QString& title, QString& folder, bool skipRule, const QString& root = {});

// Runs the save dialog, starting from dialog.FileName. Cancel gives false. When saving is not
// allowed in the chosen file's folder, the question: No runs the dialog again, Yes moves the
// file name into the Documents folder. On true, fileName and dialog.FileName hold the path.
bool ExecuteSaveDialog(TSaveDialog& dialog, QString& fileName);

// The computer browser with the title; on true the name holds the chosen computer.
bool SelectComputer(const QString& title, QString& name);

} // namespace core
