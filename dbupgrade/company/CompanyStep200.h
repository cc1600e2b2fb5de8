#pragma once
// Company step 2.0.0: the data format of the next product generation. The journal-monitor,
// journal-book and ledger paging procedures; the budget-versus-actual ratios and statements;
// the overview-form items and the dictionaries' department keys; the depreciation settings of
// individual data; the fixed-form and settlement trial balances; the budgets by field; the
// customer-index captions of a new facility; the cash-flow suspense row of a general
// corporation; the year-end carry-forward procedures.

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

// individual: the data kind is 個人 (DATATYPE 2).
UpdateScript BuildCompanyStep200Script(bool individual);
int RunCompanyStep200();

} // namespace dbupgrade
