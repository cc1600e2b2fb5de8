#pragma once
// Company steps 10.0.0 to 15.0.0, up to the version the program expects: their files by data
// kind, the favourite-menu entry of the key station's save/restore removed (12.0.0), and the
// repair of data that missed 13.0.0's changes (14.0.0).

#include "dbupgrade/company/ExternalStepLists.h"

namespace dbupgrade {

int RunCompanyStep1000();
int RunCompanyStep1001();
int RunCompanyStep1003();
int RunCompanyStep1004();
int RunCompanyStep1005();
int RunCompanyStep1100();
int RunCompanyStep1101();
int RunCompanyStep1110();
QStringList CompanyStep1200Lines();
int RunCompanyStep1200();
int RunCompanyStep1300();
int RunCompanyStep1303();

// 14.0.0's repair, read before its script: 18 when 13.0.0's files are due again and one is
// missing, else 1 with the lines to append (none when no 13.0.3 row asks for the repair). A
// database error in the check leaves no lines and result 1.
struct RepairPlan {
    int result = 1;
    QStringList lines;
};
RepairPlan PrepareCompanyStep1400(const CompanyDataKind& kind);
int RunCompanyStep1400();
int RunCompanyStep1500();

} // namespace dbupgrade
