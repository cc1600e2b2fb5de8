#pragma once
// Company steps 0.3.0 to 0.3.2: 0.3.0 and 0.3.2 record their versions only; 0.3.1 adds the
// communication folder WEB_HOLDER to ACCDEF1, limits the department-group past balances to the
// accounts the group's departments use, and keeps KAMOKU_SZ.KAKOZAN up to date from KAMOKU_PZ.

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep030Script();
int RunCompanyStep030();
UpdateScript BuildCompanyStep031Script();
int RunCompanyStep031();
UpdateScript BuildCompanyStep032Script();
int RunCompanyStep032();

} // namespace dbupgrade
