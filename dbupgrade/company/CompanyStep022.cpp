#include "dbupgrade/company/CompanyStep022.h"

#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

void AddBreakdownTables(UpdateScript& script)
{
    script.add(StepSql(QStringLiteral("company/0.2.2-breakdown.sql")));
}

} // namespace dbupgrade
