#include "core/errors/ConnectionLoss.h"

#include "core/Globals.h"
#include "core/errors/FbAccessError.h"
#include "core/ui/MessageService.h"
#include "core/ui/Quit.h"

#include <QCoreApplication>
#include <QMutex>
#include <QThread>

#include <atomic>

namespace core {

namespace {

const QString kNetworkFailureText = QStringLiteral(
    "何らかの原因でネットワークが物理的に切断されている か Firebirdサービス(RDBMS)との通信が切断されました。\r\r"
    "[OK]ボタンを押すとアプリケーションの終了処理に入ります。（[OK]後、何回かメッセージが表示される場合があります）\r"
    "アプリケーションが終了しましたら再起動して下さい。\r");
const QString kStandAloneNote = QStringLiteral("\r※注意 共有サーバーのデータ利用時は自動保管されません。\r");

std::atomic<bool> pending{false};
QMutex pendingLock;
QString pendingText; // guarded by pendingLock

bool onGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || app->thread() == QThread::currentThread();
}

} // namespace

bool IsConnectionLostCode(long code) {
    switch (code) {
    case isc::network_error:
    case isc::net_read_err:
    case isc::net_write_err:
    case isc::lost_db_connection:
    case isc::att_shutdown:
        return true;
    default:
        return false;
    }
}

void NoteDatabaseError(const EIBError& error) {
    if (error.ibErrorCode() == isc::network_error || !IsConnectionLostCode(error.ibErrorCode()))
        return;
    QMutexLocker lock(&pendingLock);
    if (pending.exchange(true))
        return;
    pendingText = error.message();
}

bool ConnectionLossPending() {
    return pending.load();
}

void ClearConnectionLoss() {
    QMutexLocker lock(&pendingLock);
    pending = false;
    pendingText.clear();
}

void EndOnFatalDbError(const QString& text, const QString& detail) {
    if (FatalDbError)
        return;
    // Shown before the flag is set: once it is, the program shows nothing more.
    MessageRequest request;
    request.kind = MessageKind::Error;
    request.text = text;
    request.detail = detail;
    messageService().showMessage(request);
    FatalDbError = true;
    ClearConnectionLoss();
    requestQuit(kFatalDbErrorExitCode);
}

void TellConnectionLost(const QString& detail) {
    QString text = kNetworkFailureText;
    if (ConnectMode == 0)
        text += kStandAloneNote;
    EndOnFatalDbError(text, detail);
}

bool ProgramEnding() {
    if (pending.load() && !FatalDbError && onGuiThread()) {
        QString detail;
        {
            QMutexLocker lock(&pendingLock);
            detail = pendingText;
        }
        TellConnectionLost(detail);
    }
    return FatalDbError;
}

} // namespace core
