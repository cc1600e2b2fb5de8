// The data-folder information file: reading it by location mode and writing its state.
#include "companydata/DataInfomation.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/IniHelpers.h"
#include "core/files/NetworkPaths.h"
#include "core/session/Identity.h"
#include "platform/DriveMap.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFileInfo>

namespace companydata {

TDataInfomation::TDataInfomation() {
    if (SeihinVersionSource)
        SeihinVersions = SeihinVersionSource();
    ClearDataInfoRec(DataInfoRec);
}

namespace {

// A folder on a network file system or on a mapped share: its database is not opened just to
// write the information file.
bool onNetworkDrive(const QString& folder) {
    return core::GetUncPath(folder) != folder ||
           platform::toWindowsPath(folder).startsWith(QStringLiteral("\\\\"));
}

} // namespace

// A folder given in its Windows form (a mapped drive or share) is read at its mapped place.
QString TDataInfomation::DataFileName(const QString& folder) {
    return QDir(platform::toNativePath(folder)).filePath(core::Identity.DataFile);
}

QString TDataInfomation::IniFileName(const QString& folder) {
    return QDir(platform::toNativePath(folder))
        .filePath(QFileInfo(core::Identity.DataFile).completeBaseName() + QStringLiteral(".ini"));
}

int TDataInfomation::ReadIni(const QString& folder, TDataInfomationRec& rec) {
    return ReadIniFile(core::SystemDef.HOSTNAME, folder, rec);
}

int TDataInfomation::ReadIniFile(const QString& host, const QString& folder, TDataInfomationRec& rec) {
    ClearDataInfoRec(rec);
    if (folder.isEmpty())
        return 1;
    if (DataPlace == 0)
        return readFolder(host, folder, rec);
    if (DataPlace == 1 || DataPlace == 2)
        return readServer(host, folder, rec);
    return 1;
}

int TDataInfomation::readFolder(const QString& host, const QString& folder, TDataInfomationRec& rec) {
    const bool hasData = QFileInfo::exists(DataFileName(folder));
    const bool hasIni = QFileInfo::exists(IniFileName(folder));
    if (!hasData && !hasIni)
        return 0;
    // A data set without its information file gets one from the data module's connect and
    // disconnect; on a network drive the database is left alone.
    if (hasData && !hasIni && !onNetworkDrive(folder)) {
        core::TDM& dm = core::RequireDM();
        if (!dm.fnAccDatConnected(host, folder, 1)) {
            rec.Status = kDataNotOpened;
            return 1;
        }
        dm.AccDatDisconnect(folder, 1, 0);
    }
    ReadDataInfoSections(platform::TIniFile(IniFileName(folder)), rec);
    return 1;
}

void TDataInfomation::setStatusKeys(const QString& folder, const QString& statusKey, const QString& codeKey,
                                    const QString& nameKey, quint8 status) {
    if (!writesIni() || folder.isEmpty())
        return;
    const QString file = IniFileName(folder);
    core::WriteIniFileValue(file, kSectionDataSts, statusKey, false, static_cast<int>(status));
    if (status == kDataNormal) {
        core::WriteIniFileValue(file, kSectionDataSts, codeKey, true, QVariant());
        core::WriteIniFileValue(file, kSectionDataSts, nameKey, true, QVariant());
    } else {
        core::WriteIniFileValue(file, kSectionDataSts, codeKey, false, core::SystemDef.OPCODE);
        core::WriteIniFileValue(file, kSectionDataSts, nameKey, false, core::SystemDef.OPNAME);
    }
}

void TDataInfomation::SetDataStatus(const QString& folder, quint8 status) {
    setStatusKeys(folder, QStringLiteral("STATUS"), QStringLiteral("OPCODE"), QStringLiteral("OPERATOR"), status);
}

void TDataInfomation::SetShareStatus(const QString& folder, quint8 status) {
    setStatusKeys(folder, QStringLiteral("SHARE_STATUS"), QStringLiteral("SHARE_OPCODE"),
                  QStringLiteral("SHARE_OPERATOR"), status);
}

bool TDataInfomation::SetShareStatusIfChanged(const QString& folder, quint8 status) {
    ReadIni(folder, DataInfoRec);
    if (status == kShareTakenOut && DataInfoRec.ShareStatus != kShareTakenOut) {
        SetShareStatus(folder, kShareTakenOut);
        return true;
    }
    if (status == kShareInPlace && DataInfoRec.ShareStatus != kShareInPlace) {
        SetShareStatus(folder, kShareInPlace);
        return true;
    }
    return false;
}

void TDataInfomation::WriteIniFile(const QString& folder, const QString& section, const TDataInfomationRec& rec) {
    if (!writesIni() || folder.isEmpty())
        return;
    DataInfoRec = rec;
    platform::TIniFile ini(IniFileName(folder));
    if (section.isEmpty() || section == kSectionDataSts)
        WriteDataStsSection(ini, DataInfoRec);
    if (section.isEmpty() || section == kSectionDataInfo)
        WriteDataInfoSection(ini, DataInfoRec);
}

void TDataInfomation::WriteIniValue(const QString& folder, const QString& section, bool deleteKey,
                                    const QVariant& value, const QString& key) {
    if (!writesIni() || folder.isEmpty())
        return;
    core::WriteIniFileValue(IniFileName(folder), section, key, deleteKey, value);
}

void TDataInfomation::RefreshIniFile(const QString& folder, const QString& section) {
    if (!writesIni() || folder.isEmpty())
        return;
    core::TDM& dm = core::RequireDM();
    const QString host = core::SystemDef.HOSTNAME;
    if (section.isEmpty()) {
        if (!onNetworkDrive(folder)) {
            dm.fnAccDatConnected(host, folder, 1);
            dm.AccDatDisconnect(folder, 1, 0);
        }
        return;
    }
    ClearDataInfoRec(DataInfoRec);
    if (section == kSectionDataInfo) {
        // A data set whose database cannot be read keeps the identity its file already holds,
        // rather than having it overwritten with an empty one.
        if (!dm.fnAccDatConnected(host, folder, 0))
            return;
        int read = 0;
        try {
            read = GetDataInfoRec(DataInfoRec);
        } catch (...) {
            dm.AccDatDisconnect(folder, 0, 0);
            throw;
        }
        dm.AccDatDisconnect(folder, 0, 0);
        if (read != 1)
            return;
    }
    WriteIniFile(folder, section, DataInfoRec);
}

QString TDataInfomation::GetDataVersionName(qint32 major, qint32 minor) const {
    const QString text = QStringLiteral("%1.%2").arg(major).arg(minor);
    // A product installed without a name (no "Type" value) names its version by the number
    // too: an empty name would blank the version of every data set written with it.
    for (const TSeihinVersionName& v : SeihinVersions)
        if (v.VersionText == text)
            return v.Name.isEmpty() ? text : v.Name;
    return text;
}

} // namespace companydata
