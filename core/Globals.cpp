#include "core/Globals.h"

namespace core {

quint8 AppKind = 0;
quint8 ConnectMode = 0;
quint8 EditionFlag = 0;
bool FatalDbError = false;
QString DataVersionText;
bool ReadOnlyData = false;
TSystemDef SystemDef;
TACCINF AccInf;
TAppInfoRec AppInfo = DefaultAppInfo();
TDM* DM = nullptr;

THostMenuHook HostMenuHook;
TLaunchModuleHook LaunchModuleHook;
TDataCheckHook DataCheckHook;
THostStatusHook HostStatusHook;
THostRefreshHook HostRefreshHook;
THostCaptionHook HostCaptionHook;

TVersionTriple ExchangeMinVersion;
TVersionTriple WebDumpVersion;

} // namespace core
