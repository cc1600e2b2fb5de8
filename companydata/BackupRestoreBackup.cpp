// The backup step of the worker.
#include "companydata/BackupRestoreThread.h"
#include "companydata/BackupRestoreTransfer.h"
#include "companydata/MyNumberDataSet.h"
#include "companydata/MyNumberIO.h"

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/session/Identity.h"

namespace companydata {

namespace {

const QString kCategory = QStringLiteral("BackupDatabase");
const QString kStopped = QStringLiteral("データベースの保存処理を中止しました。");
const QString kFailed = QStringLiteral("データベースの保存に失敗しました。");

// Whether the data set was read and no longer holds My Number settings, so that a backup
// taken now carries none. A clearing that failed (and was shown), or one that could not reach
// the data set, leaves them in place. Read with a query of its own: the settings store would
// add the missing key rows back with empty texts.
bool myNumberSettingsCleared(const QString& host, const QString& databaseFile) {
    QString left = QStringLiteral("?");
    const bool read = WorkOnMyNumberDataSet(host, databaseFile, [&] {
        core::TDM& dm = core::RequireDM();
        core::TransactionScope scope(dm.IBTransactionDAT);
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT COUNT(*) FROM ACCREG WHERE AGROUP=:AGROUP AND "
                                  "((ACODE=:USE_CODE AND TRIM(ATEXT)='1') OR "
                                  "(ACODE IN (:KEY_CODE,:VALUE_CODE) AND TRIM(ATEXT)<>''))");
        q.paramByName(QStringLiteral("AGROUP")).setString(QStringLiteral("基本設定"));
        q.paramByName(QStringLiteral("USE_CODE")).setString(QStringLiteral("＃USE"));
        q.paramByName(QStringLiteral("KEY_CODE")).setString(QStringLiteral("＃KEY"));
        q.paramByName(QStringLiteral("VALUE_CODE")).setString(QStringLiteral("＃VALUE"));
        q.execQuery();
        left = q.fields(0).asString();
        q.close();
        scope.commit();
    });
    return read && left == QStringLiteral("0");
}

} // namespace

void TBackupRestoreThread::BackupDatabase() {
    const bool systemDatabase = DatabaseName.contains(core::Identity.DataDefFile);
    if (!systemDatabase && !DatabaseName.contains(core::Identity.DataFile)) {
        SetError(kCategory, QStringLiteral("101"), QStringLiteral("指定されたファイルはタレック財務用のデータではありません。"),
                 kStopped);
        return;
    }

    TMyNumberIO myNumber;
    const bool clearMyNumber = !systemDatabase && ExcludeMyNumber;
    if (!systemDatabase && LogMyNumber && MyNumberAnswer == 6) {
        TMyNumberLogRec row;
        TMyNumberIO::InitLogRec(row, kMyNumberSavedWith, ProcessName);
        myNumber.AddLogToData(row, HostName, DatabaseName);
    }
    if (clearMyNumber) {
        ZoneUseMyNumber = 0;
        myNumber.GetMyNumberSetting(HostName, DatabaseName, QStringLiteral("MyNumber_Clear"),
                                    ProcessName + QStringLiteral("＞データ保存"));
    }

    // The settings are back in the live data after the backup whatever happens in it: the gbak
    // backup, for one, raises its failures.
    try {
        if (clearMyNumber && !myNumberSettingsCleared(HostName, DatabaseName)) {
            SetError(kCategory, QStringLiteral("100"), kFailed, kStopped);
        } else if (RunBackup()) {
            Succeeded = true;
            if (WriteZone && !WriteZoneInfo(BackupFileName))
                SetError(kCategory, QStringLiteral("100"), kFailed,
                         kStopped + QStringLiteral("\r[詳細]\rバックアップファイルに保存データの情報を書き込めませんでした。"));
        }
    } catch (...) {
        SetError(kCategory, QStringLiteral("100"), kFailed, TransferFailureDetail(kStopped));
    }
    if (!Succeeded && !HasErrorRecord())
        SetError(kCategory, QStringLiteral("100"), kFailed, kStopped);

    if (clearMyNumber) {
        try {
            myNumber.PutMyNumberSetting(HostName, DatabaseName);
        } catch (...) {
            SetError(kCategory, QStringLiteral("100"), kFailed, TransferFailureDetail(kStopped));
        }
        ZoneUseMyNumber = myNumber.UseMyNumber;
    }
}

bool TBackupRestoreThread::RunBackup() {
    core::TDM& dm = core::RequireDM();
    const bool remote = IsRemoteHost(HostName);
    if (TransferKind == 0)
        return remote ? dm.BackupFDB(core::Protocol::TCP, HostName, 1, BackupFileName, DatabaseName)
                      : dm.BackupFDB(core::Protocol::Local, QString(), 0, BackupFileName, DatabaseName);

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
        return dm.BackupFDBGbak(core::Protocol::TCP, HostName, 1, BackupFileName, DatabaseName);

    const QString serverFile = ServerTransferFile();
    EnsureServerTempFolder(dm);
    // A file of an earlier transfer must never be taken for this backup.
    DeleteServerFile(dm, serverFile);
    bool done = false;
    if (dm.BackupFDB(core::Protocol::TCP, HostName, 1, serverFile, DatabaseName)) {
        try {
            done = FetchServerFile(dm, serverFile, BackupFileName);
        } catch (...) {
            SetError(kCategory, QStringLiteral("102"),
                     QStringLiteral("バックアップファイルの転送処理（qmfileman.fdb）に失敗しました。"),
                     TransferFailureDetail(kStopped));
        }
    }
    DeleteServerFile(dm, serverFile);
    return done;
}

} // namespace companydata
