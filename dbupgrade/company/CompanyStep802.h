#pragma once
// Company step 8.0.2, the budget management of corporation data: after its script it seeds the
// budget-structure groups and the budget/actual comparison rules of corporation data, and turns
// the menu rows of JOBCONTROL (level, page, menu) into JOBCONTROL2 rows (level, module, option).

#include "dbupgrade/company/ExternalStepLists.h"

#include <optional>

namespace dbupgrade {

// The module and launch option of a JOBCONTROL menu pair; nothing for a pair without one.
struct MenuModule {
    QString procId;
    QString option;
};
std::optional<MenuModule> MenuModuleOf(int pageNo, int menuNo, int dataType, bool oem);

// The seeding and the menu conversion on the open company database (errors propagate).
void SeedCompanyStep802(CompanyDbWork& db, const CompanyDataKind& kind);
void ConvertMenusCompanyStep802(CompanyDbWork& db, const CompanyDataKind& kind);

// The work after the script in one transaction: 1, or 19 with nothing of it kept.
int FinishCompanyStep802();
int RunCompanyStep802();

} // namespace dbupgrade
