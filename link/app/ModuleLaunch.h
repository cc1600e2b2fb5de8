#pragma once
// The host side of the framework's hooks: how many other processing windows are open (none),
// the launch of a framework form by its module name, and the marking of a data set that failed
// its verification. The main form installs them at creation and clears them when it goes.

#include <QString>
#include <QVariant>

namespace taxlink {

// Always 0: no module refuses to run for open windows in this program.
int CountOtherProcesses(int code, const QString& text);

// Creates the module's form, hands it the parameter lines with "FormStyle=2" (modal) or
// "FormStyle=0" appended and runs it; -1 for an empty name, while a launch is in progress
// (hourglass cursor), or when the module is unknown (with the missing-interface message).
int LaunchModule(const QString& moduleName, int modal, const QString& params);

// Validates the data set's company database; on a damaged file sets SystemDef's damaged flag,
// shows the damage message unless quiet, marks the registry row (DATALIST or only the
// CHILD_DATALIST row of a child) with DATA_STATUS=1 and the folder's status 10. result: 1
// sound, 0 damaged.
void DataCheckFailed(const QString& host, const QString& dataFolder, int quiet, QVariant& result);

// Sets the three hooks of core::Globals to the procedures above / back to empty.
void InstallHostHooks();
void ClearHostHooks();

} // namespace taxlink
