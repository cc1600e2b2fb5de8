#include "core/errors/FbAccessError.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/ConnectionLoss.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ErrorLogs.h"
#include "core/errors/IscErrorText.h"
#include "core/text/DelphiDateFormat.h"
#include "core/text/SplitText.h"
#include "core/ui/MessageService.h"

#include <QRegularExpression>

namespace core {

namespace {

const QString kEndNotice = QStringLiteral("\r\r[OK]ボタンを押すとアプリケーションの終了処理に入ります。（[OK]"
                                          "後、何回かメッセージが表示される場合があります）\r"
                                          "アプリケーションが終了しましたら再起動して下さい。\r");
const QString kStandAloneNote = QStringLiteral("\r※注意 共有サーバーのデータ利用時は自動保管されません。\r");

QString logTimestamp() {
    return formatDateTime(QStringLiteral("yyyy/mm/dd hh:nn:ss"), errorLogNow());
}

// The database name of the company connection as it stands (empty before one was named).
QString companyDatabaseName() {
    return DM ? DM->IBDatabaseDAT.databaseName() : QString();
}

// The host and the company database name; a name that already carries the host (a connection
// through the server) is not prefixed with it again.
QString hostAndDatabaseName() {
    const QString name = companyDatabaseName();
    const QString host = SystemDef.HOSTNAME + QLatin1Char(':');
    return name.startsWith(host) ? name : host + name;
}

// A log line stays one line: line breaks inside a database message become blanks.
QString oneLine(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QString line = text;
    return line.replace(breaks, QStringLiteral(" "));
}

QString errorCodeText(const EIBError& error) {
    return IscErrorTextOf(error);
}

} // namespace

QStringList errFbAccessLines(const EIBError& error, const QString& context) {
    const QString first =
        QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
            .arg(logTimestamp(), SystemDef.ComputerName, QString::number(SystemDef.OPCODE),
                 QStringLiteral("Serial=") + SystemDef.Serial, QStringLiteral("AppVer=") + SystemDef.AppVersion,
                 QStringLiteral("DBName=") + hostAndDatabaseName(),
                 QStringLiteral("DataVer=") + DataVersionText);
    const QString second = QStringLiteral("Error=%1 [%2] (%3) %4,%5")
                               .arg(context, QString::number(error.ibErrorCode()), QString::number(error.sqlCode()),
                                    errorCodeText(error), error.message());
    return {oneLine(first), oneLine(second)};
}

QStringList fbErrorLines(const QString& dialogText) {
    QStringList lines = TextToLines(dialogText);
    lines << QStringLiteral("PG_VERSION[") + SystemDef.AppVersion + QLatin1Char(']')
          << QStringLiteral("DB_VERSION[") + DataVersionText + QLatin1Char(']')
          << QStringLiteral("Serial[") + SystemDef.Serial + QLatin1Char(']')
          << QStringLiteral("Server[") + SystemDef.HOSTNAME + QLatin1Char(']')
          << QStringLiteral("DatabaseName[") + companyDatabaseName() + QLatin1Char(']') << logTimestamp()
          << SystemDef.ComputerName << QString::number(SystemDef.OPCODE);
    return lines;
}

void ReportFbAccessError(const EIBError& error, const QString& context, const QString& message, quint8 /*reconnect*/) {
    if (FatalDbError)
        return;

    const QStringList lines = errFbAccessLines(error, context);
    appendLogLines(errFbAccessLogFile(), lines);
    replaceLogLines(errFbAccessTxtFile(), lines);

    if (IsConnectionLostCode(error.ibErrorCode())) {
        TellConnectionLost(error.message());
        return;
    }
    if (error.ibErrorCode() == isc::internal_error) {
        EndOnFatalDbError(errorCodeText(error) + kEndNotice + (ConnectMode == 0 ? kStandAloneNote : QString()),
                          QString());
        return;
    }
    if (!message.isEmpty()) {
        const QString detail = QStringLiteral("IBXエラーコード:%1").arg(error.ibErrorCode()) + QLatin1Char('\r') +
                               error.message() + QLatin1Char('\r') + errorCodeText(error);
        ShowMessageWithDetail(message, detail, MessageKind::Error);
    }
}

void ReportFbError(const EIBError& error, const QString& message) {
    if (FatalDbError)
        return;
    const QString text = message + QStringLiteral("\r\n") +
                         QStringLiteral("ErrCode<%1>  SQLCODE<%2>").arg(error.ibErrorCode()).arg(error.sqlCode()) +
                         QStringLiteral("\r\n") + error.message() + QStringLiteral("\r\r\n") + errorCodeText(error) +
                         QStringLiteral("\r\n");
    if (IsConnectionLostCode(error.ibErrorCode()))
        TellConnectionLost(error.message());
    else
        showMessage(MessageKind::Error, text, mbOK);

    const QStringList lines = fbErrorLines(text);
    replaceLogLines(fbErrorTxtFile(), lines);
    appendLogLines(fbErrorLogFile(), lines);
}

} // namespace core
