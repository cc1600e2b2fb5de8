#include "dbupgrade/company/CompanyStep030.h"

#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

namespace {

UpdateScript companyScript(int major, int minor1, int minor2)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {major, minor1, minor2};
    return UpdateScript(frame);
}

} // namespace

UpdateScript BuildCompanyStep030Script()
{
    return companyScript(0, 3, 0);
}

int RunCompanyStep030()
{
    return WriteAndRunScript(BuildCompanyStep030Script());
}

UpdateScript BuildCompanyStep031Script()
{
    UpdateScript script = companyScript(0, 3, 1);
    script.add(StepSql(QStringLiteral("company/0.3.1.sql")));
    return script;
}

int RunCompanyStep031()
{
    return WriteAndRunScript(BuildCompanyStep031Script());
}

UpdateScript BuildCompanyStep032Script()
{
    return companyScript(0, 3, 2);
}

int RunCompanyStep032()
{
    return WriteAndRunScript(BuildCompanyStep032Script());
}

} // namespace dbupgrade
