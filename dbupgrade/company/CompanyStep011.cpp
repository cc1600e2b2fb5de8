#include "dbupgrade/company/CompanyStep011.h"

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
        script.add(QStringList{QStringLiteral("ALTER TABLE ACCDEF1"), QStringLiteral("ADD SDAI_HASUU3 INTEGER DEFAULT 0;"),
                               QStringLiteral("UPDATE ACCDEF1 SET SDAI_HASUU3=0 WHERE REC=1;"), QStringLiteral("COMMIT;")});
    if (!columns.hasKessanKikan)
        script.add(QStringList{QStringLiteral("ALTER TABLE ACCDEF1"), QStringLiteral("ADD KESSAN_KIKAN INTEGER DEFAULT -1,"),
                               QStringLiteral("ADD CASHFLOW_KIKAN1 INTEGER DEFAULT -1,"),
                               QStringLiteral("ADD CASHFLOW_KIKAN2 INTEGER DEFAULT -1;"),
                               QStringLiteral("UPDATE ACCDEF1 SET KESSAN_KIKAN=-1,CASHFLOW_KIKAN1=-1,CASHFLOW_KIKAN2=-1 WHERE REC=1;"),
                               QStringLiteral("COMMIT;")});
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
