#pragma once
// Company step 0.2.2: the account master's top-level group GROUPM0 with the account view and
// the sixteen procedures that read it, the defaults it resets (chart settings, fixed-asset
// journal settings, blue-return interest and real-estate tables), the statements of account
// breakdown (内訳書) and the cash-flow template again. All of it only while KAMOKUMST lacks
// GROUPM0; otherwise the step records its version only.

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep022Script(bool hasGroupM0);
int RunCompanyStep022();

} // namespace dbupgrade
