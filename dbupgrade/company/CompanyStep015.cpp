#include "dbupgrade/company/CompanyStep015.h"

#include "dbupgrade/company/CompanyColumnTests.h"
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

UpdateScript BuildCompanyStep015Script(bool hasChukiTitlePrint)
{
    UpdateScript script = companyScript(0, 1, 5);
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
    return companyScript(0, 2, 0);
}

int RunCompanyStep020()
{
    return WriteAndRunScript(BuildCompanyStep020Script());
}

UpdateScript BuildCompanyStep021Script()
{
    UpdateScript script = companyScript(0, 2, 1);
    script.add(StepSql(QStringLiteral("company/0.2.1.sql")));
    return script;
}

int RunCompanyStep021()
{
    return WriteAndRunScript(BuildCompanyStep021Script());
}

} // namespace dbupgrade
