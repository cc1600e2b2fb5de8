#pragma once
// Company step 0.2.2: the account master's top-level group, the defaults it resets and the
// statements of account breakdown (内訳書).

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

// Script part 1, first half: the chart settings table created anew, the fixed-asset journal
// defaults reset to the 70 rows of 0.1.1 with every branch's settings rebuilt (through the
// procedure as it stands before this step), the blue-return switch for hand-entered figures,
// and the interest and real-estate tables created anew.
void AddResetSettings(UpdateScript& script);

// Script part 1: the column GROUPM0 of KAMOKUMST, filled with GROUPM1.
void AddTopLevelGroup(UpdateScript& script);

// Script part 1: KAMOKU_VIEW dropped and created again with GROUPM0 as its third column. Every
// procedure that reads the view must be dropped before.
void AddAccountView(UpdateScript& script);

// Script part 1: the opening-balance lists on the rebuilt view (SP_BUMONKAISIZAN_COUNT,
// _LIST, SP_KAISIZAN_LIST, _COUNT), each ended by " ^" inside the part's "SET TERM ^ ;" block.
void AddOpeningBalanceProcedures(UpdateScript& script);

// Scripts parts 1 and 2: the prior-year balances (month numbers -32 to 15, those before the
// start period) with the budgets of periods 1 to 15, per account and sub-account: for a
// branch and department (SP_KANENDOZAN_YOMIKOMI), a department group, one department with the
// common department optionally allocated, and a branch (SP_KANENDO_*), each ended by " ^".
void AddPriorYearBalanceProcedures(UpdateScript& script);

// Script part 2: SP_MB_SELECT_KANENDOZAN, the prior-year balances per account by GROUPM0, with
// or without tax, ended by " ^".
void AddPriorYearAccountBalances(UpdateScript& script);

// Script part 2: the twelve-month budgets and forecasts of the profit-and-loss accounts by
// GROUPM0 (SP_MB_SELECT_YOSAN, SP_MB_SELECT_YOSOKU), each ended by " ^".
void AddBudgetProcedures(UpdateScript& script);

// Script part 3: the departmental trial balances of one department (SP_SISANHYO_BUMON) and of
// a department group (SP_SISANHYO_BUMON_GROUP), each ended by " ^".
void AddDepartmentTrialBalances(UpdateScript& script);

// Script part 3: SP_YOSAN_READ, the budgets per account and sub-account, ended by " ^".
void AddBudgetReadProcedure(UpdateScript& script);

// Script part 3: SP_ZENKURI, the retained earnings' opening balance of corporate data from the
// other balance-sheet accounts, ended by " ^".
void AddRetainedEarningsProcedure(UpdateScript& script);

// Script part 3: SP_KS_INSSETSWK_CALL_SISETU altered to choose the fixed-asset accounts by
// GROUPM0, ended by " ^" (it stands inside the part's "SET TERM ^ ;" block).
void AddSisetuSettingsCall(UpdateScript& script);

// Script part 4: the breakdown statement tables, each created anew (rows lost), with their
// default rows and a COMMIT.
void AddBreakdownTables(UpdateScript& script);

} // namespace dbupgrade
