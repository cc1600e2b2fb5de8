// Backup and restore through the gbak program.
#include "core/dm/TDM.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/backup/BackupBusy.h"
#include "core/backup/BackupSteps.h"
#include "core/backup/FileSwap.h"
#include "core/backup/Gbak.h"
#include "core/dm/ConnectionSetup.h"
#include "core/session/Identity.h"

#include <QFile>
#include <QFileInfo>

namespace core {

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

QString onHost(const QString& host, const QString& file) {
    return host.isEmpty() ? file : host + QLatin1Char(':') + file;
}

} // namespace

bool TDM::BackupFDBGbak(Protocol /*protocol*/, const QString& host, quint8 direct, const QString& backupFile,
                        const QString& databaseFile) {
    if (host == kLoopback)
        return BackupFDB(Protocol::Local, host, direct, backupFile, databaseFile);
    BackupBusyGuard guard(BackupActivity::Transfer);
    // gbak writes the backup file where it runs, on this machine: beside the old backup first,
    // which it replaces only once gbak finished without error.
    const QString working = scratchNameBeside(backupFile);
    try {
        runGbak({QStringLiteral("-b"), QStringLiteral("-g"), QStringLiteral("-y"), gbakLogFile(),
                 onHost(host, databaseFile), working},
                SystemDef.USER, SystemDef.PASSWORD,
                {QStringLiteral("バックアップツール(gbak.exe)が起動出来ませんでした。\r処理を終了します。"),
                 QStringLiteral("バックアップ中にエラーが発生しました。\r")});
        if (!replaceLocalFile(working, backupFile))
            throw Exception(QStringLiteral("データベースバックアップファイルのMoveに失敗しました。"));
    } catch (...) {
        QFile::remove(working);
        throw;
    }
    return true;
}

bool TDM::RestoreFDBGbak(Protocol /*protocol*/, const QString& host, quint8 keepIndexes, const QString& backupFile,
                         const QString& databaseFile) {
    if (host == kLoopback)
        return RestoreFDB(Protocol::Local, host, keepIndexes, backupFile, databaseFile);
    const QString folder = folderOfFile(databaseFile);
    const QString scratch = scratchNameBeside(databaseFile);
    bool swapped = false;
    bool done = false;
    try {
        BackupBusyGuard guard(BackupActivity::Transfer);
        if (QFileInfo(backupFile).isFile()) {
            // Into a new file beside the target; "-rep" replaces a file of that name should
            // one exist.
            runGbak({QStringLiteral("-rep"), QStringLiteral("-bu"), QStringLiteral("4096"), QStringLiteral("-p"),
                     QStringLiteral("16384"), QStringLiteral("-y"), gbakLogFile(), backupFile, onHost(host, scratch)},
                    SystemDef.USER, SystemDef.PASSWORD,
                    {QStringLiteral("リストアツール(gbak.exe)が起動出来ませんでした。\r処理を終了します。"),
                     QStringLiteral("リストア中にエラーが発生しました。\r")});
            AccDatDisconnect(folder, 0, 0);
            putRestoredDatabaseInPlace(host, scratch, databaseFile);
            swapped = true;
            done = true;
            if (databaseFile.contains(Identity.DataFile)) {
                done = fnAccDatConnected(host, folder, 0);
                if (done)
                    DeleteOpinf();
            }
        }
    } catch (...) {
        done = false;
        reportCurrentFailure(QStringLiteral("TDM.RestoreFDB"), QStringLiteral("データベースのリストアに失敗しました。"));
    }
    if (!swapped)
        discardScratchDatabase(host, serviceParams(), scratch);
    try {
        AccDatDisconnect(folder, 0, 0);
    } catch (...) {
        reportCurrentFailure(QStringLiteral("TDM.RestoreFDB"), QStringLiteral("データベースのリストアに失敗しました。"));
    }
    return done;
}

} // namespace core
