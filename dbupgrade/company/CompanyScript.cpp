#include "dbupgrade/company/CompanyScript.h"

#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

UpdateScript CompanyScript(int major, int minor1, int minor2, const QStringList& stepFiles)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {major, minor1, minor2};
    UpdateScript script(frame);
    for (const QString& file : stepFiles)
        script.add(StepSql(QStringLiteral("company/") + file));
    return script;
}

} // namespace dbupgrade
