#include "communication/TusinSetteiStandIn.h"

#include "core/ui/MessageService.h"

namespace communication {

TfrmTusinSettei::TfrmTusinSettei(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    setWindowTitle(QStringLiteral("通信設定"));
}

int TfrmTusinSettei::ExecuteCloudShareSettei(const QString& dataFolder)
{
    NewCloudLine = 0;
    LineEmpty = false;
    if (dataFolder.isEmpty())
        return 1;
    core::showMessage(core::MessageKind::Information, QStringLiteral("この機能はまだ使用できません。"));
    return 9;
}

} // namespace communication
