// Taking a data set out of its shared area into a local folder and sending it back.
#include "companydata/DataInfomation.h"

#include "core/Exception.h"
#include "core/files/FolderTree.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "platform/DriveMap.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace companydata {

namespace {

const QString kSharedAreaGone =
    QStringLiteral("共有サーバー上のデータ領域が削除された可能性があります。\r現在の領域設定情報でデータ領域を作成します。");
const QString kSharedBroken = QStringLiteral("共有サーバー上のデータが破損しているため、共有データの取得を中止します。\r"
                                             "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。");
const QString kSharedUnreachable =
    QStringLiteral("共有サーバーが起動していない、接続が切断されている \rまたは "
                   "共有サーバー上のデータ領域が削除された可能性があります。\r処理を中止します。");
const QString kCreateFailed = QStringLiteral("\"%1\"の作成に失敗しました。");

bool folderExists(const QString& folder) { return QFileInfo(platform::toNativePath(folder)).isDir(); }

} // namespace

bool CopyDataFiles(const QString& sourceFolder, const QString& targetFolder) {
    if (!core::ForceFolder(targetFolder))
        return false;
    const QString mask = QFileInfo(core::Identity.DataFile).completeBaseName() + QStringLiteral(".*");
    const QDir target(platform::toNativePath(targetFolder));
    bool ok = true;
    const QFileInfoList files =
        QDir(platform::toNativePath(sourceFolder)).entryInfoList({mask}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files)
        ok = core::CopyFileTo(file.filePath(), target.filePath(file.fileName())) && ok;
    return ok;
}

int TDataInfomation::KyoyuDataUp(const QString& sharedFolder, const QString& localFolder, int quiet) {
    if (sharedFolder.isEmpty() || localFolder.isEmpty())
        return 0;
    SetShareStatusIfChanged(sharedFolder, kShareInPlace);
    SetShareStatus(localFolder, kShareInPlace);
    try {
        SetDataStatus(sharedFolder, kDataPaste);
    } catch (const std::exception&) {
        // The shared folder is gone; the copy below creates it again.
        if (quiet != 1)
            core::showMessage(core::MessageKind::Information, kSharedAreaGone, core::mbOK);
    }
    const bool copied = CopyDataFiles(localFolder, sharedFolder);
    SetDataStatus(localFolder, kDataNormal);
    SetDataStatus(sharedFolder, kDataNormal);
    if (copied)
        return 1;
    SetShareStatus(localFolder, kShareTakenOut);
    SetShareStatusIfChanged(sharedFolder, kShareTakenOut);
    return 0;
}

int TDataInfomation::KyoyuDataDown(const QString& sharedFolder, const QString& localFolder, int quiet) {
    if (sharedFolder.isEmpty() || localFolder.isEmpty())
        return 0;
    if (!core::ForceFolder(localFolder)) {
        if (quiet != 1)
            core::showMessage(core::MessageKind::Warning, kCreateFailed.arg(localFolder), core::mbYes);
        return 0;
    }
    ReadIni(sharedFolder, DataInfoRec);
    if (DataInfoRec.Status == kDataBroken) {
        if (quiet == 1)
            return -1;
        throw core::Exception(kSharedBroken);
    }
    const bool sharedExists = folderExists(sharedFolder);
    if (DataInfoRec.ShareStatus == kShareTakenOut) {
        // Already taken out: only the local copy is refreshed.
        if (sharedExists)
            CopyDataFiles(sharedFolder, localFolder);
        else if (quiet != 1)
            throw core::Exception(kSharedUnreachable);
        return -1;
    }
    if (!sharedExists) {
        if (quiet != 1)
            throw core::Exception(kSharedUnreachable);
        return 0;
    }
    SetDataStatus(sharedFolder, kDataPaste);
    const bool copied = CopyDataFiles(sharedFolder, localFolder);
    QThread::msleep(300);
    SetDataStatus(localFolder, kDataNormal);
    SetDataStatus(sharedFolder, kDataNormal);
    // Only a data set that was really copied counts as taken out: marking a failed copy would
    // lock the shared data set for everybody while nobody holds it.
    if (!copied)
        return 0;
    SetShareStatus(localFolder, kShareTakenOut);
    SetShareStatusIfChanged(sharedFolder, kShareTakenOut);
    return 1;
}

} // namespace companydata
