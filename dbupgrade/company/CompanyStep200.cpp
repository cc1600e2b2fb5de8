#include "dbupgrade/company/CompanyStep200.h"

#include "core/Globals.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"
#include "dbupgrade/steps/TrialBalanceSql.h"

namespace dbupgrade {

namespace {

void addSql(UpdateScript& script, const char* file)
{
    script.add(StepSql(QStringLiteral("company/") + QLatin1String(file)));
}

// One block of trial balances as the schema's ordinary set writes them, altered in place.
void addTrialBalances(UpdateScript& script, std::initializer_list<const char*> names)
{
    script.add(QStringLiteral("SET TERM ^ ;"));
    for (const char* name : names)
        script.add(TrialBalanceProcedure(QStringLiteral("ordinary"), QLatin1String(name), QStringLiteral("ALTER")));
    script.add(QStringList{QStringLiteral("SET TERM ; ^"), QStringLiteral("COMMIT;")});
}

} // namespace

UpdateScript BuildCompanyStep200Script(bool individual)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {2, 0, 0};
    UpdateScript script(frame);
    addSql(script, "2.0.0-monitor.sql");
    addSql(script, "2.0.0-journal.sql");
    addSql(script, "2.0.0-ledger.sql");
    addSql(script, "2.0.0-yojitu.sql");
    addSql(script, "2.0.0-yojitubumon.sql");
    addSql(script, "2.0.0-gaikyosyo.sql");
    if (individual)
        script.add(QStringList{QStringLiteral("UPDATE KS_SETSWK_INIT SET GSKEIJYO=0"), QStringLiteral("WHERE (ACCGROUP=2);"),
                               QStringLiteral("UPDATE KS_SETSWK_INIT SET SYOKYAKU1_KCODE='6202'"),
                               QStringLiteral("WHERE (ACCGROUP=2) AND (SYOKYAKU1_KCODE='6204');"), QStringLiteral("Commit;")});
    addTrialBalances(script, {"SP_SISANHYO_A4", "SP_SISANHYO_A3"});
    addTrialBalances(script, {"SP_SISANHYO_BUMON_A4"});
    addTrialBalances(script, {"SP_SISANHYO_BUMON_A3"});
    addSql(script, "2.0.0-kessan.sql");
    addSql(script, "2.0.0-budgets.sql");
    addSql(script, "2.0.0-carryforward.sql");
    script.add(QStringLiteral("Commit;"));
    return script;
}

int RunCompanyStep200()
{
    return WriteAndRunScript(BuildCompanyStep200Script(core::AccInf.DATATYPE == 2));
}

} // namespace dbupgrade
