#pragma once
// Company step 0.1.4: the per-branch switch table of the cash-flow statement removed, the
// statement's template written anew, and the ACCDEF1 period columns when they are missing.

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep014Script(bool hasKessanKikan);
int RunCompanyStep014();

} // namespace dbupgrade
