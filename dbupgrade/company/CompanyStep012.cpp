#include "dbupgrade/company/CompanyStep012.h"

#include "dbupgrade/company/CompanyColumnTests.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

namespace {

UpdateScriptFrame companyFrame(int major, int minor1, int minor2)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {major, minor1, minor2};
    return frame;
}

} // namespace

UpdateScript BuildCompanyStep012Script()
{
    UpdateScript script(companyFrame(0, 1, 2));
    script.add(StepSql(QStringLiteral("company/0.1.2.sql")));
    return script;
}

int RunCompanyStep012()
{
    return WriteAndRunScript(BuildCompanyStep012Script());
}

UpdateScript BuildCompanyStep013Script(const Step011Columns& columns)
{
    UpdateScript script(companyFrame(0, 1, 3));
    script.add(StepSql(QStringLiteral("company/0.1.3.sql")));
    if (!columns.hasSdaiHasuu3)
        script.add(SdaiHasuu3Block());
    if (!columns.hasKessanKikan)
        script.add(KessanKikanBlock());
    return script;
}

int RunCompanyStep013()
{
    Step011Columns columns;
    columns.hasSdaiHasuu3 = CompanyHasField(QStringLiteral("ACCDEF1"), QStringLiteral("SDAI_HASUU3"));
    columns.hasKessanKikan = CompanyHasField(QStringLiteral("ACCDEF1"), QStringLiteral("KESSAN_KIKAN"));
    return WriteAndRunScript(BuildCompanyStep013Script(columns));
}

} // namespace dbupgrade
