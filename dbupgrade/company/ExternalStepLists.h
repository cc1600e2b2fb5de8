#pragma once
// The script lists of the company steps from 3.0.0 on, each name with the rule that takes it
// for a data set: the data kind, the edition and the few facts some steps first read from the
// database.

#include "dbupgrade/company/ExternalStepRules.h"

namespace dbupgrade {

// What steps 3.0.4, 3.0.6 and 7.0.4 learn from the database before they choose their files.
struct StepFacts {
    bool hasKamokumstTrigger = false; // 3.0.4: KAMOKUMST_AFTER_UPDATE2 exists
    int accountVariant = 0;           // 3.0.6: 1 for 377 accounts, 2 for 567 (medical data), else 0
    bool hasTaxCode116 = false;       // 7.0.4: TAXMST has tax code 116
};

// The list of the step in order; empty for a version without external files.
QList<ListedFile> CompanyStepFiles(const core::TVersionTriple& version, const CompanyDataKind& kind,
                                   const StepFacts& facts = {});

// The plan of a step that does nothing besides its files (and the facts given).
ExternalStepPlan ListedStepPlan(const core::TVersionTriple& version, const StepFacts& facts = {});
// Builds, writes and runs that plan for the data set being upgraded.
int RunListedStep(const core::TVersionTriple& version);

} // namespace dbupgrade
