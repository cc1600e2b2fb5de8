// Backup and restore through the database services.
#include "core/dm/TDM.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/backup/BackupBusy.h"
#include "core/backup/BackupSteps.h"
#include "core/backup/FileSwap.h"
#include "core/db/ConnectionName.h"
#include "core/dm/ConnectionSetup.h"
#include "core/session/Identity.h"

#include <QFileInfo>

namespace core {

namespace {

const QString kBackupFailed = QStringLiteral("データベースのバックアップに失敗しました。");
const QString kRestoreFailed = QStringLiteral("データベースのリストアに失敗しました。");
const QString kMoveFailed = QStringLiteral("データベースバックアップファイルのMoveに失敗しました。");

// "qmacc.fb_" in the database's folder: where a backup is written before it replaces the
// backup file.
QString workingBackupName(const QString& databaseFile) {
    const QString name = QFileInfo(kTempBackupFile).completeBaseName() + QStringLiteral(".fb_");
    const QString folder = folderOfFile(databaseFile);
    return folder.isEmpty() ? name : (folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/')) + name;
}

} // namespace

bool TDM::BackupFDB(Protocol protocol, const QString& server, quint8 direct, const QString& backupFile,
                    const QString& databaseFile) {
    bool done = false;
    try {
        BackupBusyGuard guard(BackupActivity::Transfer);
        const QString working = direct != 0 ? backupFile : workingBackupName(databaseFile);
        configureService(IBBackupService1, protocol, server);
        IBBackupService1.setDatabaseName(databaseFile);
        IBBackupService1.backupFiles() = QStringList{working};
        IBBackupService1.attach();
        IBBackupService1.setVerbose(true);
        IBBackupService1.setOptions(
            {BackupOption::IgnoreLimbo, BackupOption::NoGarbageCollection, BackupOption::NonTransportable});
        IBBackupService1.serviceStart();
        IBBackupService1.runToEnd({}, processPendingEvents);

        // File names are case-sensitive here: only the very same name is the same file. The
        // finished backup replaces the old one in one rename, so a failed move keeps it.
        if (direct == 0 && working != backupFile) {
            const bool moved = protocol == Protocol::Local
                                   ? replaceLocalFile(working, backupFile)
                                   : replaceServerFile(sessionServerRoutines(server), working, backupFile);
            if (!moved)
                throw Exception(kMoveFailed);
        }
        done = true;
    } catch (...) {
        reportCurrentFailure(QStringLiteral("TDM.BackupFDB"), kBackupFailed);
    }
    IBBackupService1.detach();
    return done;
}

bool TDM::RestoreFDB(Protocol protocol, const QString& server, quint8 keepIndexes, const QString& backupFile,
                     const QString& databaseFile) {
    const QString folder = folderOfFile(databaseFile);
    const QString fileHost = protocol == Protocol::Local ? QString() : server;
    const QString scratch = scratchNameBeside(databaseFile);
    bool swapped = false;
    bool done = false;
    try {
        BackupBusyGuard guard(BackupActivity::Transfer);
        configureService(IBRestoreService1, protocol, server);
        IBRestoreService1.databaseNames() = QStringList{scratch};
        IBRestoreService1.backupFiles() = QStringList{backupFile};
        IBRestoreService1.attach();
        IBRestoreService1.setPageBuffers(4096);
        IBRestoreService1.setPageSize(16384);
        IBRestoreService1.setVerbose(true);
        // Into a new file: the target is replaced only by the rename below.
        RestoreOptions options{RestoreOption::CreateNewDB};
        if (keepIndexes == 0)
            options.insert(RestoreOption::DeactivateIndexes);
        IBRestoreService1.setOptions(options);
        IBRestoreService1.serviceStart();
        IBRestoreService1.runToEnd({}, processPendingEvents);
        IBRestoreService1.detach();

        // Our own connection would keep the target in use; it is closed at the end anyway.
        AccDatDisconnect(folder, 0, 0);
        putRestoredDatabaseInPlace(fileHost, scratch, databaseFile);
        swapped = true;

        bool reconnected = true;
        if (databaseFile.contains(Identity.DataFile)) {
            // Restored by this process's engine, the file is this machine's: it is opened the
            // same way, also in the client/server modes.
            reconnected =
                protocol == Protocol::Local
                    ? connectCompanyDatabase(*this, databaseConnectionName(0, QString(), folder, Identity.DataFile),
                                             QString(), folder, 0)
                    : fnAccDatConnected(server, folder, 0);
            if (reconnected)
                DeleteOpinf();
        }
        done = reconnected;
    } catch (...) {
        reportCurrentFailure(QStringLiteral("TDM.RestoreFDB"), kRestoreFailed);
    }
    IBRestoreService1.detach();
    if (!swapped)
        discardScratchDatabase(fileHost, serviceParams(), scratch);
    try {
        AccDatDisconnect(folder, 0, 0);
    } catch (...) {
        reportCurrentFailure(QStringLiteral("TDM.RestoreFDB"), kRestoreFailed);
    }
    return done;
}

} // namespace core
