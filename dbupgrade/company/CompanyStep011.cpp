#include "dbupgrade/company/CompanyStep011.h"

#include "dbupgrade/company/CompanyColumnTests.h"

#include "core/dm/TDM.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep011Script(const Step011Columns& columns)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {0, 1, 1};
    UpdateScript script(frame);
    script.add(StepSql(QStringLiteral("company/0.1.1.sql")));
    if (!columns.hasSdaiHasuu3)
        script.add(SdaiHasuu3Block());
    if (!columns.hasKessanKikan)
        script.add(KessanKikanBlock());
    return script;
}

int RunCompanyStep011()
{
    core::TDM& dm = core::RequireDM();
    Step011Columns columns;
    if (dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0)) {
        columns.hasSdaiHasuu3 = dm.fnExistence_Field(QStringLiteral("ACCDEF1"), QStringLiteral("SDAI_HASUU3"));
        columns.hasKessanKikan = dm.fnExistence_Field(QStringLiteral("ACCDEF1"), QStringLiteral("KESSAN_KIKAN"));
    }
    dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
    return WriteAndRunScript(BuildCompanyStep011Script(columns));
}

} // namespace dbupgrade
