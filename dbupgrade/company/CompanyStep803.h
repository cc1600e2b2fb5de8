#pragma once
// Company steps 8.0.3 to 9.0.5. Five of them work on the data after a successful script, in one
// transaction that an error rolls back whole (result 19): the budget seeds of individual data
// (8.0.3) and of medical corporations (9.0.2), the budget amounts rounded (9.0.3), the
// operator's statement print settings carried into KESSAN (9.0.4), the journal numbers DNUM
// reset (9.0.5).

#include "dbupgrade/company/ExternalStepLists.h"

namespace dbupgrade {

// The work of each step after its script on the open company database (errors propagate).
void WorkCompanyStep803(CompanyDbWork& db, const CompanyDataKind& kind);
void WorkCompanyStep902(CompanyDbWork& db, const CompanyDataKind& kind);
void WorkCompanyStep903(CompanyDbWork& db);
void WorkCompanyStep904(CompanyDbWork& db, const CompanyDataKind& kind);
void WorkCompanyStep905(CompanyDbWork& db);

// That work in its own transaction: 1, or 19 with nothing of it kept.
int FinishCompanyStep(const core::TVersionTriple& version);

int RunCompanyStep803();
int RunCompanyStep900();
int RunCompanyStep901();
int RunCompanyStep902();
int RunCompanyStep903();
int RunCompanyStep904();
int RunCompanyStep905();

} // namespace dbupgrade
