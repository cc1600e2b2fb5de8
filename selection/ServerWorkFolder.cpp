#include "selection/ServerWorkFolder.h"

#include "core/Globals.h"
#include "core/Globals.h"
#include "selection/LogonBox.h"

namespace selection {

QString ServerWorkFolder()
{
    core::TSystemDef& def = core::SystemDef;
    if (def.ServerWorkDir.isEmpty()) {
        QString temp = ServerTempFolder(def.SYSDIR);
        if (temp.endsWith(u'/') || temp.endsWith(u'\\'))
            temp.chop(1);
        def.ServerWorkDir = temp + u'/' + QString::number(def.OPCODE);
    }
    return def.ServerWorkDir;
}

} // namespace selection
