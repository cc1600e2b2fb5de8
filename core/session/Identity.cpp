#include "core/session/Identity.h"

namespace core {

TIdentity IdentityFrom(const TAppInfoRec& info) {
    TIdentity id;
    id.MakerName = info.CompanyName;
    id.MakerUrl = info.URL;
    id.Since = info.Since;
    id.AppName = info.AppName;
    id.HomeDir = info.HomeDir;
    id.ViewDataDir = info.EChoboDataDir;
    id.ZebrikHomeDir = info.ZebrikHomeDir;
    id.ShareDir = info.ShareDir;
    id.ServerDir = info.ServerDir;
    id.ServerTempDir = info.ServerTempDir;
    id.DataDefFile = info.DataDefFile;
    id.DataFile = info.DataFile;
    id.DataBackupFile = info.DataBackupFile;
    id.DataIniFile = info.DataIniFile;
    id.DataListCnt = info.DataListCnt;
    return id;
}

TIdentity Identity = IdentityFrom(DefaultAppInfo());

void CopyAppInfoToIdentity(const TAppInfoRec& info) {
    Identity = IdentityFrom(info);
}

} // namespace core
