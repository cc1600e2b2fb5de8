#pragma once
// The step routines of the company databases ("qmacc.fdb" of the current data folder).

#include "core/Globals.h"

#include <functional>

namespace dbupgrade {

// The routine of the company step of the version; empty for a step not built in.
std::function<int()> CompanyStepProc(const core::TVersionTriple& version);

} // namespace dbupgrade
