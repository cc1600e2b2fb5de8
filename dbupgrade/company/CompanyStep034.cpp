#include "dbupgrade/company/CompanyStep034.h"

#include "core/Globals.h"
#include "dbupgrade/company/CompanyScript.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

UpdateScript BuildCompanyStep034Script()
{
    return CompanyScript(0, 3, 4, {QStringLiteral("0.3.4.sql")});
}

int RunCompanyStep034()
{
    return WriteAndRunScript(BuildCompanyStep034Script());
}

UpdateScript BuildCompanyStep040Script()
{
    return CompanyScript(0, 4, 0);
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
    UpdateScript script = CompanyScript(0, 4, 1);
    script.add(sql);
    return script;
}

int RunCompanyStep041()
{
    return WriteAndRunScript(BuildCompanyStep041Script(core::AccInf.DATATYPE == 1));
}

UpdateScript BuildCompanyStep100Script()
{
    return CompanyScript(1, 0, 0, {QStringLiteral("1.0.0.sql")});
}

int RunCompanyStep100()
{
    return WriteAndRunScript(BuildCompanyStep100Script());
}

UpdateScript BuildCompanyStep101Script()
{
    return CompanyScript(1, 0, 1, {QStringLiteral("1.0.1.sql")});
}

int RunCompanyStep101()
{
    return WriteAndRunScript(BuildCompanyStep101Script());
}

} // namespace dbupgrade
