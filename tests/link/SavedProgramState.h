#pragma once
// The program-wide state that the link tests change (session records, application
// information, connection mode, edition, data module, data-set marks); put back when the
// object goes, or on restore().

#include "core/Globals.h"
#include "core/dm/DataSetMarks.h"
#include "core/session/Identity.h"

namespace linktest {

struct SavedProgramState {
    core::TSystemDef systemDef = core::SystemDef;
    core::TACCINF accInf = core::AccInf;
    core::TAppInfoRec appInfo = core::AppInfo;
    core::TIdentity identity = core::Identity;
    quint8 connectMode = core::ConnectMode;
    quint8 editionFlag = core::EditionFlag;
    core::TDM* dm = core::DM;
    core::DataSetMarks* marks = core::dataSetMarks();

    void restore() const
    {
        core::SystemDef = systemDef;
        core::AccInf = accInf;
        core::AppInfo = appInfo;
        core::Identity = identity;
        core::ConnectMode = connectMode;
        core::EditionFlag = editionFlag;
        core::DM = dm;
        core::setDataSetMarks(marks);
    }
    ~SavedProgramState() { restore(); }
};

} // namespace linktest
