#include "dbupgrade/company/CompanyStep014.h"

#include "dbupgrade/company/CompanyColumnTests.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"
#include "dbupgrade/template/CashFlowTemplate.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep014Script(bool hasKessanKikan)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {0, 1, 4};
    UpdateScript script(frame);
    script.add(StepSql(QStringLiteral("company/0.1.4.sql")));
    script.add(CashFlowTemplateInserts());
    script.add(QStringLiteral("COMMIT;"));
    if (!hasKessanKikan)
        script.add(KessanKikanBlock());
    return script;
}

int RunCompanyStep014()
{
    return WriteAndRunScript(
        BuildCompanyStep014Script(CompanyHasField(QStringLiteral("ACCDEF1"), QStringLiteral("KESSAN_KIKAN"))));
}

} // namespace dbupgrade
