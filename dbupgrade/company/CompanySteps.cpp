#include "dbupgrade/company/CompanySteps.h"

#include "dbupgrade/company/CompanyStep011.h"
#include "dbupgrade/company/CompanyStep012.h"
#include "dbupgrade/company/CompanyStep014.h"
#include "dbupgrade/company/CompanyStep015.h"
#include "dbupgrade/company/CompanyStep022.h"
#include "dbupgrade/company/CompanyStep030.h"
#include "dbupgrade/company/CompanyStep033.h"
#include "dbupgrade/company/CompanyStep034.h"
#include "dbupgrade/company/CompanyStep102.h"
#include "dbupgrade/company/CompanyStep103.h"
#include "dbupgrade/company/CompanyStep200.h"
#include "dbupgrade/company/CompanyStep204.h"

#include <map>
#include <tuple>

namespace dbupgrade {

std::function<int()> CompanyStepProc(const core::TVersionTriple& version)
{
    static const std::map<std::tuple<int, int, int>, std::function<int()>> procs = {
        {{0, 1, 1}, RunCompanyStep011},
        {{0, 1, 2}, RunCompanyStep012},
        {{0, 1, 3}, RunCompanyStep013},
        {{0, 1, 4}, RunCompanyStep014},
        {{0, 1, 5}, RunCompanyStep015},
        {{0, 2, 0}, RunCompanyStep020},
        {{0, 2, 1}, RunCompanyStep021},
        {{0, 2, 2}, RunCompanyStep022},
        {{0, 3, 0}, RunCompanyStep030},
        {{0, 3, 1}, RunCompanyStep031},
        {{0, 3, 2}, RunCompanyStep032},
        {{0, 3, 3}, RunCompanyStep033},
        {{0, 3, 4}, RunCompanyStep034},
        {{0, 4, 0}, RunCompanyStep040},
        {{0, 4, 1}, RunCompanyStep041},
        {{1, 0, 0}, RunCompanyStep100},
        {{1, 0, 1}, RunCompanyStep101},
        {{1, 0, 2}, RunCompanyStep102},
        {{1, 0, 3}, RunCompanyStep103},
        {{1, 0, 5}, RunCompanyStep105},
        {{2, 0, 0}, RunCompanyStep200},
        {{2, 0, 4}, RunCompanyStep204},
    };
    const auto found = procs.find({version.Major, version.Minor1, version.Minor2});
    return found == procs.end() ? std::function<int()>() : found->second;
}

} // namespace dbupgrade
