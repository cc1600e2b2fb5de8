#include "dbupgrade/company/CompanyStep015.h"

#include "dbupgrade/company/CompanyColumnTests.h"
#include "dbupgrade/company/CompanyScript.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep015Script(bool hasChukiTitlePrint)
{
    UpdateScript script = CompanyScript(0, 1, 5);
    script.add(StepSql(QStringLiteral("company/0.1.5-triggers.sql")));
    if (!hasChukiTitlePrint)
        script.add(StepSql(QStringLiteral("company/0.1.5-kessan.sql")));
    script.add(StepSql(QStringLiteral("company/0.1.5-aotables.sql")));
    return script;
}

int RunCompanyStep015()
{
    return WriteAndRunScript(
        BuildCompanyStep015Script(CompanyHasField(QStringLiteral("KESSAN"), QStringLiteral("CHUKI_TITLEPRINT"))));
}

UpdateScript BuildCompanyStep020Script()
{
    return CompanyScript(0, 2, 0);
}

int RunCompanyStep020()
{
    return WriteAndRunScript(BuildCompanyStep020Script());
}

UpdateScript BuildCompanyStep021Script()
{
    return CompanyScript(0, 2, 1, {QStringLiteral("0.2.1.sql")});
}

int RunCompanyStep021()
{
    return WriteAndRunScript(BuildCompanyStep021Script());
}

} // namespace dbupgrade
