#include "dbupgrade/company/CompanyStep012.h"

#include "dbupgrade/company/CompanyColumnTests.h"
#include "dbupgrade/company/CompanyScript.h"
#include "dbupgrade/steps/StepRun.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep012Script()
{
    return CompanyScript(0, 1, 2, {QStringLiteral("0.1.2.sql")});
}

int RunCompanyStep012()
{
    return WriteAndRunScript(BuildCompanyStep012Script());
}

UpdateScript BuildCompanyStep013Script(const Step011Columns& columns)
{
    UpdateScript script = CompanyScript(0, 1, 3, {QStringLiteral("0.1.3.sql")});
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
