#pragma once
// Company step 0.2.2: the account master's top-level group and the statements of account
// breakdown (内訳書).

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

// Script part 4: the breakdown statement tables, each created anew (rows lost), with their
// default rows and a COMMIT.
void AddBreakdownTables(UpdateScript& script);

} // namespace dbupgrade
