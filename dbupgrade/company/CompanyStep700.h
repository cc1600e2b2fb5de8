#pragma once
// Company steps 7.0.0 to 8.0.0: the conversion to generation 15 with the data password moved
// to its scrambled form (7.0.0), the simplified-tax rates (7.0.2), the medical statement layout
// (7.0.3), the tax code 116 files only where the code is missing (7.0.4), the conversion to
// generation 16 (8.0.0).

#include "dbupgrade/company/ExternalStepLists.h"

namespace dbupgrade {

// The data password moved from "データパスワード" to "データパスワードV2" (group "基本設定"),
// committed. The scrambled text is stored, and the plain setting removed, only when it decodes
// to the password as the data set will ask for it (its first eight characters); otherwise both
// settings stay as they were and the result is false. A blank password leaves neither form.
// Database errors propagate after the database has been closed.
bool PrepareCompanyStep700();
int RunCompanyStep700();
int RunCompanyStep702();
int RunCompanyStep703();
StepFacts PrepareCompanyStep704();
int RunCompanyStep704();
int RunCompanyStep800();

} // namespace dbupgrade
