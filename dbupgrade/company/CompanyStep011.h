#pragma once
// Company step 0.1.1: the fixed-asset depreciation tables with their procedures and triggers,
// the journal, facility and account triggers, the initial depreciation settings, a
// depreciation method, the employee-count procedure, the first version row, and two groups of
// ACCDEF1 columns when they are missing.

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

// Which of the ACCDEF1 column groups the database already has.
struct Step011Columns {
    bool hasSdaiHasuu3 = false;
    bool hasKessanKikan = false;
};

// The script for a database with those columns.
UpdateScript BuildCompanyStep011Script(const Step011Columns& columns);

// Asks the company database of the current data folder for the columns (connecting and
// closing it), then writes and runs the script.
int RunCompanyStep011();

} // namespace dbupgrade
