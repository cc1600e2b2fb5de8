#pragma once
// The program-wide state, one instance each for the whole run: the session records, the
// application information, the global flags, the host hooks and the data module.

#include "core/session/AccInf.h"
#include "core/session/AppInfo.h"
#include "core/session/Hooks.h"
#include "core/session/SystemDef.h"

#include <QString>
#include <QtGlobal>

namespace core {

class TDM;

// Three numbers of a version (major, minor 1, minor 2).
struct TVersionTriple {
    qint32 Major = 0;
    qint32 Minor1 = 0;
    qint32 Minor2 = 0;
};

extern quint8 AppKind;      // kind of application; this program always runs as 0
extern quint8 ConnectMode;  // 0 stand-alone, 1 client/server, 2 server-based computing
extern quint8 EditionFlag;  // 1 (or 2) in the partner edition, else 0
extern bool FatalDbError;   // set by the database error reporter when the program must end
extern QString DataVersionText; // written into the database error logs; left empty
extern bool ReadOnlyData;
extern TSystemDef SystemDef;
extern TACCINF AccInf;
extern TAppInfoRec AppInfo;
extern TDM* DM;             // the one data module; owned by the application

extern THostMenuHook HostMenuHook;
extern TLaunchModuleHook LaunchModuleHook;
extern TDataCheckHook DataCheckHook;
extern THostStatusHook HostStatusHook;
extern THostRefreshHook HostRefreshHook;
extern THostCaptionHook HostCaptionHook;

// The lowest received data version the cash-book merge accepts; nothing sets it (0.0.0).
extern TVersionTriple ExchangeMinVersion;
// The version row of the analysis-cloud dump; nothing sets it (0.0.0).
extern TVersionTriple WebDumpVersion;

} // namespace core
