#include "communication/DataTusinCtl.h"

#include "communication/RelayReply.h"
#include "core/Globals.h"
#include "core/net/NetSettings.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/net/RelayExchange.h"
#include "core/ui/MessageService.h"

namespace communication {

TDataTusinCtl::TDataTusinCtl(IDataTusinView& view)
    : view_(view),
      IBDatabaseDAT(std::make_unique<core::TIBDatabase>()),
      IBTransaction1(std::make_unique<core::TIBTransaction>()),
      IBSQL3(std::make_unique<core::TIBSQL>())
{
    IBTransaction1->addDatabase(IBDatabaseDAT.get());
    IBTransaction1->setDefaultDatabase(IBDatabaseDAT.get());
    IBTransaction1->params() = {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
    IBSQL3->setDatabase(IBDatabaseDAT.get());
    IBSQL3->setTransaction(IBTransaction1.get());
    ServerInfo[kServerInfoSerial] = core::net::NetSettings().ProductSerial;
    OpTitle = (core::EditionFlag == 1 || core::EditionFlag == 2) ? QStringLiteral("データ送受信") : QStringLiteral("データ通信");
}

TDataTusinCtl::~TDataTusinCtl()
{
    IBSQL3.reset();
    IBTransaction1.reset();
    IBDatabaseDAT.reset();
}

QString TDataTusinCtl::OperationFolder() const
{
    if (!dataFolderOverride_.isEmpty())
        return dataFolderOverride_;
    return IsCloud() ? CloudDataFolder : core::SystemDef.DataFolder;
}

QString TDataTusinCtl::CommunicationId() const
{
    return core::AccInf.WEB_HOLDER;
}

QString TDataTusinCtl::CashBookId() const
{
    return core::AccInf.TusinHolder[1]; // TUSIN_ID row 1, loaded into slot 1
}

QString TDataTusinCtl::CashBookPassword() const
{
    return core::AccInf.TusinPassword[1];
}

TRelayReply TDataTusinCtl::Exchange(const QByteArray& target) const
{
    return TRelayReply(core::net::RelayExchange(target));
}

QString Framed(const QString& text)
{
    return QStringLiteral("　\r\n") + text + QStringLiteral("\r\n ");
}

void ShowLocalError(const QString& text)
{
    core::showMessage(core::MessageKind::Error, text, core::mbYes);
}

void ShowNetError(const QString& text)
{
    core::showMessage(core::MessageKind::Error, text);
}

QString DayKey(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("0000");
}

bool TDataTusinCtl::StepFailed(const TStepResult& result)
{
    if (!result)
        return false;
    view_.BusyClose();
    ReportStepFailure(*result);
    return true;
}

} // namespace communication
