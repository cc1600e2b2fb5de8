#pragma once
// The step routines of the system database: each writes its script, runs it and does the
// work of its own before or after (5.0.0 the industry code systems, 7.0.0 the office row,
// 8.0.2 the menu-launch conversion, 9.0.4 the input settings per operator, 11.0.1 the eras).

#include "core/Globals.h"

#include <functional>

namespace dbupgrade {

// The routine of the system step of the version.
std::function<int()> SystemStepProc(const core::TVersionTriple& version);

// The work of its own of a step, exposed for tests. Each connects the system database and
// closes it again.
void LoadIndustryCodeSystems(); // 5.0.0, partner edition
void ConvertOfficeRow();        // 7.0.0
int ConvertInputSettings();     // 9.0.4: 1, or 19 when anything failed (nothing kept)

} // namespace dbupgrade
