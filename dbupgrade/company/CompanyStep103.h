#pragma once
// Company steps 1.0.3 and 1.0.5: budgets and past balances of the company as a whole cleared for
// head-office-and-branch data, the capital carry-forward over all sub-accounts, the tax
// addition and department trial balances that share out the common department's tax, and the
// journal monitor's paging (1.0.3); the dictionary headings numbered, the menu-control table
// recreated and the total-item names of the trial balance rebuilt with the data kind's defaults
// (1.0.5).

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

// siten: head-office and branch data (AccInf.SITEN 1).
UpdateScript BuildCompanyStep103Script(bool siten);
int RunCompanyStep103();

// The default total-item names by kind: A corporation, B individual general, C individual
// real estate; None for every other kind.
enum class TotalNameSet { None, A, B, C };
TotalNameSet TotalNameSetOf(int dataType, int codeType);
UpdateScript BuildCompanyStep105Script(TotalNameSet set);
int RunCompanyStep105();

} // namespace dbupgrade
