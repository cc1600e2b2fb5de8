// The restore step of the worker.
#include "companydata/BackupRestoreThread.h"
#include "companydata/BackupRestoreTransfer.h"
#include "companydata/MyNumberIO.h"

#include "core/Globals.h"
#include "core/backup/BackupSteps.h"
#include "core/backup/SplitHeader.h"
#include "core/dm/TDM.h"
#include "core/session/Identity.h"

namespace companydata {

namespace {

const QString kCategory = QStringLiteral("RestoreDatabase");
const QString kStopped = QStringLiteral("データベースの復元処理を中止しました。");

} // namespace

void TBackupRestoreThread::RestoreDatabase() {
    const bool systemDatabase = DatabaseName.contains(core::Identity.DataDefFile);
    if (!systemDatabase && !DatabaseName.contains(core::Identity.DataFile)) {
        SetError(kCategory, QStringLiteral("201"), QStringLiteral("指定されたファイルはタレック財務用のデータではありません。"),
                 kStopped);
        return;
    }
    core::TDM& dm = core::RequireDM();
    if (dm.AccDatInConnection(systemDatabase ? core::kSystemDatabase : core::kCompanyDatabase, HostName, 0,
                              core::folderOfFile(DatabaseName))) {
        SetError(kCategory, QStringLiteral("202"),
                 QStringLiteral("このデータは、他のオペレータが使用中のため復元処理を行うことが出来ません。"), kStopped);
        return;
    }

    // The target's audit log is read before the restore overwrites it, and merged afterwards.
    const bool bringsMyNumber = !systemDatabase && MyNumberAnswer == 7;
    TMyNumberIO myNumber;
    if (bringsMyNumber)
        myNumber.GetLogListOfData(HostName, DatabaseName);

    Succeeded = RunRestore();
    if (!Succeeded && !HasErrorRecord())
        SetError(kCategory, QStringLiteral("200"), QStringLiteral("データベースの復元に失敗しました。"), kStopped);

    if (Succeeded && bringsMyNumber) {
        if (ProcessName.isEmpty())
            ProcessName = core::AppInfo.AppTitle;
        if (LogMyNumber) {
            TMyNumberLogRec row;
            TMyNumberIO::InitLogRec(row, kMyNumberRestored, ProcessName);
            myNumber.AddLogToData(row, HostName, DatabaseName);
        }
        myNumber.MergeLog(HostName, DatabaseName);
    }
}

bool TBackupRestoreThread::RunRestore() {
    core::TDM& dm = core::RequireDM();
    const bool remote = IsRemoteHost(HostName);
    if (TransferKind == 0)
        return remote ? dm.RestoreFDB(core::Protocol::TCP, HostName, KeepIndexes, BackupFileName, DatabaseName)
                      : dm.RestoreFDB(core::Protocol::Local, QString(), KeepIndexes, BackupFileName, DatabaseName);

    struct CloseFileMan {
        core::TDM& dm;
        ~CloseFileMan() {
            try {
                dm.IBFileMan.close();
            } catch (...) {
            }
        }
    } closeAtEnd{dm};
    if (!dm.fnFileManConnected(HostName))
        return dm.RestoreFDBGbak(core::Protocol::TCP, HostName, KeepIndexes, BackupFileName, DatabaseName);

    const QString serverFile = ServerTransferFile();
    EnsureServerTempFolder(dm);
    // Only the file of this transfer may be restored: one an earlier transfer left is deleted
    // first, and the restore starts only once SP_BLOBTOFILE reports this one written.
    DeleteServerFile(dm, serverFile);
    bool done = false;
    try {
        // As one part of a split backup: should it end early, the server's restore fails
        // instead of asking for the next volume (core/backup/SplitHeader.h).
        SendFileToServer(dm, BackupFileName, serverFile, core::singlePartSplitHeader(BackupFileName));
        done = true;
    } catch (...) {
        SetError(kCategory, QStringLiteral("203"),
                 QStringLiteral("バックアップファイルの転送処理（qmfileman.fdb）に失敗しました。"),
                 kStopped);
    }
    if (done)
        done = dm.RestoreFDB(core::Protocol::TCP, HostName, KeepIndexes, serverFile, DatabaseName);
    DeleteServerFile(dm, serverFile);
    return done;
}

} // namespace companydata
