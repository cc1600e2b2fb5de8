#include "dbupgrade/company/CompanyStep022.h"

#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

void AddResetSettings(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-settings.sql")));
}

void AddTopLevelGroup(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-groupm0.sql")));
}

void AddAccountView(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-view.sql")));
}

void AddOpeningBalanceProcedures(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-opening.sql")));
}

void AddPriorYearBalanceProcedures(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-kanendo.sql")));
}

void AddPriorYearAccountBalances(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-mbkanendo.sql")));
}

void AddBudgetProcedures(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-budgets.sql")));
}

void AddDepartmentTrialBalances(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-sisanhyo.sql")));
}

void AddBudgetReadProcedure(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-yosanread.sql")));
}

void AddRetainedEarningsProcedure(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-zenkuri.sql")));
}

void AddSisetuSettingsCall(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-callsisetu.sql")));
}

void AddBreakdownTables(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-breakdown.sql")));
}

} // namespace dbupgrade
