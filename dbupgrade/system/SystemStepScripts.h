#pragma once
// The scripts of the 18 system-database steps, 0.3.1 to 12.0.0, as the steps write them for
// the current session (edition, connect mode, folders). Building a script changes nothing;
// the step routines (SystemSteps.h) write and run them and add their own work.

#include "dbupgrade/runner/UpdateScript.h"

#include <optional>

namespace dbupgrade {

// The script of the system step of the version; std::nullopt when a step with external files
// that must exist misses one (the step then ends with 18 before writing anything).
std::optional<UpdateScript> BuildSystemStepScript(const core::TVersionTriple& version);

// The industry code-system files of 5.0.0 for the slots 1 to 10 ("" for an unused slot).
QString IndustryFileName(int slot);

} // namespace dbupgrade
