#include "dbupgrade/company/CompanySteps.h"

#include "dbupgrade/company/CompanyStep011.h"

namespace dbupgrade {

std::function<int()> CompanyStepProc(const core::TVersionTriple& version)
{
    if (version.Major == 0 && version.Minor1 == 1 && version.Minor2 == 1)
        return [] { return RunCompanyStep011(); };
    return {};
}

} // namespace dbupgrade
