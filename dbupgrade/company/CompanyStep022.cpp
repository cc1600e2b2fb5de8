#include "dbupgrade/company/CompanyStep022.h"

#include "dbupgrade/company/CompanyColumnTests.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"
#include "dbupgrade/template/CashFlowTemplate.h"

namespace dbupgrade {

namespace {

void addSql(UpdateScript& script, const char* file)
{
    script.add(StepSql(QStringLiteral("company/") + QLatin1String(file)));
}

// Settings reset, GROUPM0, the procedures dropped before the view and the view again, then the
// first six procedures.
void addPart1(UpdateScript& script)
{
    addSql(script, "0.2.2-settings.sql");
    addSql(script, "0.2.2-groupm0.sql");
    addSql(script, "0.2.2-drops.sql");
    addSql(script, "0.2.2-view.sql");
    script.add(QStringLiteral("SET TERM ^ ;"));
    addSql(script, "0.2.2-opening.sql");
    addSql(script, "0.2.2-kanendo1.sql");
    script.add(QStringLiteral("SET TERM ; ^"));
}

void addPart2(UpdateScript& script)
{
    script.add(QStringLiteral("SET TERM ^ ;"));
    addSql(script, "0.2.2-kanendo2.sql");
    addSql(script, "0.2.2-mbkanendo.sql");
    addSql(script, "0.2.2-budgets.sql");
    script.add(QStringLiteral("SET TERM ; ^"));
}

void addPart3(UpdateScript& script)
{
    script.add(QStringLiteral("SET TERM ^ ;"));
    addSql(script, "0.2.2-sisanhyo.sql");
    addSql(script, "0.2.2-yosanread.sql");
    addSql(script, "0.2.2-zenkuri.sql");
    addSql(script, "0.2.2-callsisetu.sql");
    script.add(QStringList({QStringLiteral("SET TERM ; ^"), QStringLiteral("COMMIT;")}));
}

// The breakdown statement tables with their default rows.
void addPart4(UpdateScript& script)
{
    addSql(script, "0.2.2-breakdown.sql");
}

// The cash-flow template as step 0.1.4 writes it.
void addPart5(UpdateScript& script)
{
    addSql(script, "0.2.2-cashflow.sql");
    script.add(CashFlowTemplateInserts());
    script.add(QStringLiteral("COMMIT;"));
}

} // namespace

UpdateScript BuildCompanyStep022Script(bool hasGroupM0)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {0, 2, 2};
    UpdateScript script(frame);
    if (!hasGroupM0) {
        addPart1(script);
        addPart2(script);
        addPart3(script);
        addPart4(script);
        addPart5(script);
    }
    return script;
}

int RunCompanyStep022()
{
    return WriteAndRunScript(BuildCompanyStep022Script(CompanyHasField(QStringLiteral("KAMOKUMST"), QStringLiteral("GROUPM0"))));
}

} // namespace dbupgrade
