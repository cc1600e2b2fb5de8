#pragma once
// Company steps 0.1.5 to 0.2.1: the dictionaries keep their entries when a department or
// sub-account is deleted, opening balances carried into the prior-year balances, the notes
// table's print switch and the blue-return tables (0.1.5); the version only (0.2.0); the
// prior-year allocation rates and undepartmented balances repaired once (0.2.1).

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep015Script(bool hasChukiTitlePrint);
int RunCompanyStep015();

UpdateScript BuildCompanyStep020Script();
int RunCompanyStep020();

UpdateScript BuildCompanyStep021Script();
int RunCompanyStep021();

} // namespace dbupgrade
