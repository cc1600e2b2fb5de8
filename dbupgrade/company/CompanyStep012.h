#pragma once
// Company steps 0.1.2 and 0.1.3: the procedures of the current-account reconciliation
// statement; the audit item table rebuilt with the audit report's default texts, and the
// ACCDEF1 column groups when they are missing.

#include "dbupgrade/company/CompanyStep011.h"
#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep012Script();
int RunCompanyStep012();

// The columns are asked one group at a time (the KESSAN_KIKAN group decides for all three).
UpdateScript BuildCompanyStep013Script(const Step011Columns& columns);
int RunCompanyStep013();

} // namespace dbupgrade
