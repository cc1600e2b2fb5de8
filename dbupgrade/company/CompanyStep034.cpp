#include "dbupgrade/company/CompanyStep034.h"

#include "core/Globals.h"
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

UpdateScript BuildCompanyStep034Script()
{
    UpdateScript script = companyScript(0, 3, 4);
    script.add(StepSql(QStringLiteral("company/0.3.4.sql")));
    return script;
}

int RunCompanyStep034()
{
    return WriteAndRunScript(BuildCompanyStep034Script());
}

UpdateScript BuildCompanyStep040Script()
{
    return companyScript(0, 4, 0);
}

int RunCompanyStep040()
{
    return WriteAndRunScript(BuildCompanyStep040Script());
}

UpdateScript BuildCompanyStep041Script(bool corporation)
{
    // The accounts of the accrual, unknown-account, capital-expenditure and tax-class checks.
    QString sql = StepSql(QStringLiteral("company/0.4.1.sql"));
    sql = FillStepSql(sql, QStringLiteral("KEIKA"), corporation ? QStringLiteral("1306") : QStringLiteral("2104"));
    sql = FillStepSql(sql, QStringLiteral("FUMEI"), QStringLiteral("1101"));
    sql = FillStepSql(sql, QStringLiteral("SHIHON"), corporation ? QStringLiteral("6206") : QStringLiteral("6109"));
    sql = FillStepSql(sql, QStringLiteral("ZEI"), corporation ? QStringLiteral("6212") : QStringLiteral("6107"));
    UpdateScript script = companyScript(0, 4, 1);
    script.add(sql);
    return script;
}

int RunCompanyStep041()
{
    return WriteAndRunScript(BuildCompanyStep041Script(core::AccInf.DATATYPE == 1));
}

UpdateScript BuildCompanyStep100Script()
{
    UpdateScript script = companyScript(1, 0, 0);
    script.add(StepSql(QStringLiteral("company/1.0.0.sql")));
    return script;
}

int RunCompanyStep100()
{
    return WriteAndRunScript(BuildCompanyStep100Script());
}

UpdateScript BuildCompanyStep101Script()
{
    UpdateScript script = companyScript(1, 0, 1);
    script.add(StepSql(QStringLiteral("company/1.0.1.sql")));
    return script;
}

int RunCompanyStep101()
{
    return WriteAndRunScript(BuildCompanyStep101Script());
}

} // namespace dbupgrade
