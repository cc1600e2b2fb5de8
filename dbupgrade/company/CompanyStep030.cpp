#include "dbupgrade/company/CompanyStep030.h"

#include "dbupgrade/company/CompanyScript.h"
#include "dbupgrade/steps/StepRun.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep030Script()
{
    return CompanyScript(0, 3, 0);
}

int RunCompanyStep030()
{
    return WriteAndRunScript(BuildCompanyStep030Script());
}

UpdateScript BuildCompanyStep031Script()
{
    return CompanyScript(0, 3, 1, {QStringLiteral("0.3.1.sql")});
}

int RunCompanyStep031()
{
    return WriteAndRunScript(BuildCompanyStep031Script());
}

UpdateScript BuildCompanyStep032Script()
{
    return CompanyScript(0, 3, 2);
}

int RunCompanyStep032()
{
    return WriteAndRunScript(BuildCompanyStep032Script());
}

} // namespace dbupgrade
