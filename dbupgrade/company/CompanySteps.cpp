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
#include "dbupgrade/company/CompanyStep300.h"
#include "dbupgrade/company/CompanyStep400.h"
#include "dbupgrade/company/CompanyStep700.h"
#include "dbupgrade/company/CompanyStep802.h"
#include "dbupgrade/company/CompanyStep803.h"
#include "dbupgrade/company/CompanyStep1000.h"
#include "dbupgrade/company/ExternalStepLists.h"

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
        {{3, 0, 0}, RunCompanyStep300},
        {{3, 0, 1}, RunCompanyStep301},
        {{3, 0, 3}, RunCompanyStep303},
        {{3, 0, 4}, RunCompanyStep304},
        {{3, 0, 6}, RunCompanyStep306},
        {{3, 0, 7}, RunCompanyStep307},
        {{4, 0, 0}, RunCompanyStep400},
        {{4, 0, 2}, [] { return RunListedStep({4, 0, 2}); }},
        {{5, 0, 0}, [] { return RunListedStep({5, 0, 0}); }},
        {{5, 0, 2}, [] { return RunListedStep({5, 0, 2}); }},
        {{5, 0, 5}, [] { return RunListedStep({5, 0, 5}); }},
        {{6, 0, 0}, [] { return RunListedStep({6, 0, 0}); }},
        {{6, 1, 0}, [] { return RunListedStep({6, 1, 0}); }},
        {{6, 1, 3}, [] { return RunListedStep({6, 1, 3}); }},
        {{7, 0, 0}, RunCompanyStep700},
        {{7, 0, 2}, RunCompanyStep702},
        {{7, 0, 3}, RunCompanyStep703},
        {{7, 0, 4}, RunCompanyStep704},
        {{8, 0, 0}, RunCompanyStep800},
        {{8, 0, 2}, RunCompanyStep802},
        {{8, 0, 3}, RunCompanyStep803},
        {{9, 0, 0}, RunCompanyStep900},
        {{9, 0, 1}, RunCompanyStep901},
        {{9, 0, 2}, RunCompanyStep902},
        {{9, 0, 3}, RunCompanyStep903},
        {{9, 0, 4}, RunCompanyStep904},
        {{9, 0, 5}, RunCompanyStep905},
        {{10, 0, 0}, RunCompanyStep1000},
        {{10, 0, 1}, RunCompanyStep1001},
        {{10, 0, 3}, RunCompanyStep1003},
        {{10, 0, 4}, RunCompanyStep1004},
        {{10, 0, 5}, RunCompanyStep1005},
        {{11, 0, 0}, RunCompanyStep1100},
        {{11, 0, 1}, RunCompanyStep1101},
        {{11, 1, 0}, RunCompanyStep1110},
        {{12, 0, 0}, RunCompanyStep1200},
        {{13, 0, 0}, RunCompanyStep1300},
        {{13, 0, 3}, RunCompanyStep1303},
        {{14, 0, 0}, RunCompanyStep1400},
        {{15, 0, 0}, RunCompanyStep1500},
    };
    const auto found = procs.find({version.Major, version.Minor1, version.Minor2});
    return found == procs.end() ? std::function<int()>() : found->second;
}

} // namespace dbupgrade
