#pragma once
// What every step routine does last: write its script and run it.

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

// Writes the script to "qmvdataup.sql" and runs the SQL tool on it (a script that could not
// be written is reported by the runner as a missing file, 18).
int WriteAndRunScript(const UpdateScript& script);

} // namespace dbupgrade
