#include "dbupgrade/steps/StepRun.h"

#include "dbupgrade/runner/RunUpdateScript.h"

namespace dbupgrade {

int WriteAndRunScript(const UpdateScript& script)
{
    script.write();
    return RunUpdateScript(VersionText(script.frame().version));
}

} // namespace dbupgrade
