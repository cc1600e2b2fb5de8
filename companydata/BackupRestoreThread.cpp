// The backup and restore worker: its life cycle, the hand-over of the steps to the GUI thread,
// the My Number step and the copy and rebuild steps.
#include "companydata/BackupRestoreThread.h"

#include "companydata/BackupRestoreTransfer.h"
#include "companydata/MyNumberIO.h"

#include "core/Globals.h"
#include "core/backup/BackupSteps.h"
#include "core/dm/TDM.h"
#include "core/ui/MessageService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>

namespace companydata {

namespace {

// Events processed for one turn of the starter's wait; the turn ends early once the worker has
// ended, so that a finished backup or restore is not held up for the rest of the turn.
void waitOneTurn(const TBackupRestoreThread& thread, int pollMs) {
    QElapsedTimer turn;
    turn.start();
    while (!thread.IsTerminated() && turn.elapsed() < pollMs) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
}

} // namespace

TBackupRestoreThread::TBackupRestoreThread(bool createSuspended, QObject* parent) : QThread(parent) {
    ProcessName = core::AppInfo.AppTitle;
    ClearZoneInfo();
    if (!createSuspended)
        start();
}

TBackupRestoreThread::~TBackupRestoreThread() {
    // A step still waiting for the GUI thread gets its turn, rather than both waiting forever.
    while (!wait(10))
        QCoreApplication::processEvents();
}

void TBackupRestoreThread::Execute() {
    Succeeded = false;
    Failed = false;
    ErrorCategory.clear();
    ErrorCode.clear();
    ErrorMessage.clear();
    ErrorDetail.clear();
    switch (Mode) {
    case 0:
        if (MyNumberStep) {
            if (ZoneUseMyNumber == 0)
                LogMyNumber = false;
            if (ZoneUseMyNumber == 1) {
                Synchronize(&TBackupRestoreThread::AskMyNumber);
                if (!Succeeded)
                    break;
                Succeeded = false;
            }
        }
        Synchronize(&TBackupRestoreThread::BackupDatabase);
        break;
    case 1:
        if (MyNumberStep) {
            Synchronize(&TBackupRestoreThread::AskMyNumber);
            if (!Succeeded)
                break;
            Succeeded = false;
        }
        Synchronize(&TBackupRestoreThread::RestoreDatabase);
        break;
    case 2:
        Synchronize(&TBackupRestoreThread::CopyDatabase);
        break;
    case 3:
        Synchronize(&TBackupRestoreThread::RebuildDatabase);
        break;
    default:
        break;
    }
    Failed = !Succeeded;
    terminated_ = true;
}

void TBackupRestoreThread::Synchronize(void (TBackupRestoreThread::*step)()) {
    const auto guarded = [this, step] {
        try {
            (this->*step)();
        } catch (...) {
            // No exception may cross the hand-over; the operation fails with what it says.
            Succeeded = false;
            core::reportCurrentFailure(QStringLiteral("TBackupRestoreThread.Execute"),
                                       Mode == 1 ? QStringLiteral("データベースの復元に失敗しました。")
                                                 : QStringLiteral("データベースの保存に失敗しました。"));
        }
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread())
        guarded();
    else
        QMetaObject::invokeMethod(app, guarded, Qt::BlockingQueuedConnection);
}

void TBackupRestoreThread::SetError(const QString& category, const QString& code, const QString& message,
                                    const QString& detail) {
    ErrorCategory = category;
    ErrorCode = code;
    ErrorMessage = message;
    ErrorDetail = detail;
    Failed = true;
    Succeeded = false;
}

void TBackupRestoreThread::AskMyNumber() {
    Succeeded = true;
    TMyNumberIO myNumber;
    if (Mode == 1) {
        myNumber.GetMyNumberSetting(HostName, DatabaseName, QString(), ProcessName);
        if (myNumber.UseMyNumber == 1 && ZoneUseMyNumber == 0) {
            SetError(QStringLiteral("RestoreDatabase"), QStringLiteral("200"),
                     QStringLiteral("マイナンバー情報を管理しているデータへの復元はおこなえません。"),
                     QStringLiteral("データベースの復元処理を中止しました。"));
            return;
        }
        if (ZoneUseMyNumber == 1)
            MyNumberAnswer = 7;
        return;
    }
    if (!AskIncludeMyNumber) {
        MyNumberAnswer = 6;
        return;
    }
    if (core::SystemDef.MyNumberAdmin != 1) {
        core::showMessage(core::MessageKind::Information, QStringLiteral("保存データにマイナンバー情報は含まれません。"));
        ExcludeMyNumber = true;
        return;
    }
    if (core::showMessage(core::MessageKind::Confirmation, QStringLiteral("保存データにマイナンバー情報を含めますか？"),
                          core::mbYesNo) != core::mrYes) {
        ExcludeMyNumber = true;
        return;
    }
    MyNumberAnswer = 6;
    myNumber.GetMyNumberSetting(HostName, DatabaseName, QString(), ProcessName);
    Succeeded = AskMyNumberPassword(myNumber.MyNumberKey);
    if (!Succeeded)
        SetError(QStringLiteral("BackupDatabase"), QStringLiteral("100"),
                 QStringLiteral("データベースの保存処理を中止しました。"), QString());
}

void TBackupRestoreThread::CopyDatabase() {
    core::TDM& dm = core::RequireDM();
    const bool remote = IsRemoteHost(HostName);
    const core::Protocol protocol = remote ? core::Protocol::TCP : core::Protocol::Local;
    const QString server = remote ? HostName : QString();
    try {
        if (TransferKind == 0) {
            Succeeded = dm.BackupFDB(protocol, server, remote ? 1 : 0, BackupFileName, DatabaseName) &&
                        dm.RestoreFDB(protocol, server, KeepIndexes, BackupFileName, RestoreName);
        } else {
            Succeeded = dm.BackupFDBGbak(core::Protocol::TCP, HostName, 1, BackupFileName, DatabaseName) &&
                        dm.RestoreFDBGbak(core::Protocol::TCP, HostName, KeepIndexes, BackupFileName, RestoreName);
        }
    } catch (...) {
        // The gbak backup leaves its failure to the caller; the data module reports the rest.
        Succeeded = false;
        core::reportCurrentFailure(QStringLiteral("TBackupRestoreThread.CopyDatabase"),
                                   QStringLiteral("データベースのバックアップに失敗しました。"));
    }
}

void TBackupRestoreThread::RebuildDatabase() {
    RestoreName = DatabaseName;
    CopyDatabase();
}

void RunBackupRestoreThread(TBackupRestoreThread& thread, int pollMs) {
    thread.Resume();
    while (!thread.IsTerminated())
        waitOneTurn(thread, pollMs);
    thread.wait();
}

QString BackupRestoreErrorText(const TBackupRestoreThread& thread) {
    return thread.ErrorMessage + QLatin1Char('\r') + thread.ErrorDetail;
}

} // namespace companydata
