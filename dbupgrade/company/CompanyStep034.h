#pragma once
// Company steps 0.3.4 to 1.0.1: the special-account lookup that always answers one row, the
// receivables regrouped into the quick assets of the trial balances (0.3.4); the version only
// (0.4.0); the twelve default audit items with the account codes of the data kind (0.4.1); the
// analysis item 31 renamed and opening-balance edits carried to the past-year balance of the
// start period by the data kind's rules (1.0.0); the past-year balance writer and the past
// balances of a facility, a department and a facility group over every period, new group codes of
// thirteen analysis items, and the open-job list emptied (1.0.1).

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep034Script();
int RunCompanyStep034();
UpdateScript BuildCompanyStep040Script();
int RunCompanyStep040();
// corporation: the data kind is 法人 (DATATYPE 1); other kinds take the second code column.
UpdateScript BuildCompanyStep041Script(bool corporation);
int RunCompanyStep041();
UpdateScript BuildCompanyStep100Script();
int RunCompanyStep100();
UpdateScript BuildCompanyStep101Script();
int RunCompanyStep101();

} // namespace dbupgrade
