#include "communication/CloudShareCtl.h"

#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/os/MachineNames.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

namespace communication {

namespace {

const QString kCpBackup = QStringLiteral("cpacc.fbk");

// The operation's folder in the company connection's terms.
QString HostName()
{
    return core::SystemDef.HOSTNAME;
}

} // namespace

QString ErrorDescription(const std::exception& e)
{
    const QString className = dynamic_cast<const core::Exception*>(&e) ? QStringLiteral("Exception")
                                                                       : QStringLiteral("EExternal");
    return className + QStringLiteral(" error , with message : ") + QString::fromUtf8(e.what());
}

TCloudShareCtl::TCloudShareCtl(IDataTusinView& view)
    : TDataTusinCtl(view)
{
}

void TCloudShareCtl::PrepareOperatorInfo()
{
    OpCode.clear();
    OpName.clear();
    OpNameEnc.clear();
    PcName.clear();
    PcNameEnc.clear();
    InUseOpCode.clear();
    InUseOpName.clear();
    OpCode = core::RightStrB(QString::number(core::SystemDef.OPCODE), 4);
    OpName = core::FixBrokenSjis(OpCode + core::SystemDef.OPNAME);
    OpNameEnc = EncodeRequestName(OpName);
    try {
        PcName = core::FixBrokenSjis(core::GetPcName().left(15));
        PcNameEnc = EncodeRequestName(PcName);
    } catch (const std::exception& e) {
        core::showMessage(core::MessageKind::Error, QStringLiteral("コンピュータ名取得エラー\r\n") + ErrorDescription(e));
    }
}

bool TCloudShareCtl::ConnectData()
{
    core::TDM* dm = core::DM;
    if (!dm)
        return false;
    bool usable = false;
    if (!dm->IBDatabaseDAT.connected())
        DataConnected = dm->fnAccDatConnected(HostName(), OperationFolder(), 1) ? 1 : 0;
    if (dm->IBDatabaseDAT.connected()) {
        if (!dm->fnGetAccInfo()) {
            core::showMessage(core::MessageKind::Warning,
                              QStringLiteral("　\r\nデータの接続に失敗したため、データ選択画面を開きます。\r\n "));
        } else if (!dm->ExistsOpeDefSisetu()) {
            CloseDataOnExit = 1;
        } else {
            usable = true;
        }
    } else {
        core::showMessage(core::MessageKind::Warning,
                          QStringLiteral("　\r\nデータの接続に失敗したため、データ選択画面を開きます。\r\n "));
    }
    if (dm->IBTransactionDEF.inTransaction())
        dm->IBTransactionDEF.commit();
    return usable;
}

bool TCloudShareCtl::DisconnectData()
{
    core::TDM* dm = core::DM;
    if (!dm)
        return false;
    try {
        if (dm->IBDatabaseDAT.connected())
            dm->AccDatDisconnect(OperationFolder(), 1, 1);
        if (dm->IBTransactionDEF.inTransaction())
            dm->IBTransactionDEF.commit();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int TCloudShareCtl::CloudShareRelease(const QString& folder)
{
    SyoriType = stCloudRelease;
    PrepareOperatorInfo();
    if (folder.isEmpty())
        return 1;
    CloudDataFolder = folder;
    BackupFileName = kCpBackup;
    if (core::AccInf.CLOUD_LINE == 0) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("クラウドシェア領域が設定されていません。"));
        return 1;
    }
    // A failed connection passes to the caller after the cursor has been reset.
    struct CursorReset {
        IDataTusinView& view;
        ~CursorReset() { view.SetBusyCursor(false); }
    } reset{view_};
    return SetCloudShareFlag(core::AccInf.CLOUD_LINE, 1) ? 0 : 1;
}

int TCloudShareCtl::CloudShareSetting(const QString& folder)
{
    SyoriType = stCloudSetting;
    CloudDataFolder = folder;
    Silent = 0;
    BackupFileName = kCpBackup;
    try {
        RunList();
    } catch (const std::exception& e) {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("クラウドシェアデータ処理中にエラーになりました。\r\n") + ErrorDescription(e));
    }
    view_.SetBusyCursor(false);
    return 0;
}

int TCloudShareCtl::CloudShareAreaSelect(const QString& folder)
{
    SyoriType = stCloudAreaSelect;
    CloudDataFolder = folder;
    Silent = 0;
    BackupFileName = kCpBackup;
    if (!GetServerInfo()) {
        view_.SetBusyCursor(false);
        return 1;
    }
    try {
        RunList();
    } catch (const std::exception& e) {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("クラウドシェアデータ処理中にエラーになりました。\r\n") + ErrorDescription(e));
    }
    view_.SetBusyCursor(false);
    return 0;
}

int TCloudShareCtl::CloudShareSend(const QString& folder, const QString& caption, int silent)
{
    SyoriType = stCloudSend;
    PrepareOperatorInfo();
    if (folder.isEmpty())
        return 1;
    CloudDataFolder = folder;
    WaitCaption = caption;
    BackupFileName = kCpBackup;
    Silent = quint8(silent);
    int result = 1;
    ConnectData();
    if (!ClearCloudLine(true)) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("データバージョンが取得できません。"));
    } else if (core::AccInf.CLOUD_LINE == 0) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("クラウドシェア領域が選択されていません。"));
    } else {
        try {
            if (GetServerInfo() && SendData() == 0)
                result = 0;
        } catch (const std::exception& e) {
            core::showMessage(core::MessageKind::Error,
                              QStringLiteral("クラウドシェアデータ送信処理中にエラーになりました。\r\n") + ErrorDescription(e));
            result = 1;
        }
    }
    DisconnectData();
    view_.SetBusyCursor(false);
    return result;
}

bool TCloudShareCtl::LineInUseByOther(int row) const
{
    if (ServerInfo[140 + row] != QStringLiteral("2"))
        return false;
    const QString computer = ServerInfo[160 + row].trimmed();
    const QString op = ServerInfo[150 + row].trimmed();
    return (!computer.isEmpty() && computer != PcName) || (!op.isEmpty() && op != OpName);
}

QString TCloudShareCtl::InUseMessage(int row)
{
    const QString op = ServerInfo[150 + row];
    InUseOpName = op.mid(4);
    bool numeric = false;
    const int code = op.left(4).trimmed().toInt(&numeric);
    InUseOpCode = numeric ? QString::number(code) : QString();
    return QStringLiteral("現在使用中のため選択できません。\r\nオペレータコード: [ ") + InUseOpCode + QStringLiteral(" ]")
           + QStringLiteral("\r") + QStringLiteral("\n") + QStringLiteral("オペレータ名:     [ ") + InUseOpName
           + QStringLiteral(" ]") + QStringLiteral("\r") + QStringLiteral("\n") + QStringLiteral("コンピュータ名:   [ ")
           + ServerInfo[160 + row] + QStringLiteral(" ]");
}

bool TCloudShareCtl::RefuseLineInUse(int row)
{
    if (ServerInfo[140 + row] != QStringLiteral("2"))
        return false;
    if (ServerInfo[150 + row].isEmpty())
        core::showMessage(core::MessageKind::Information, QStringLiteral("現在使用中のため選択できません。 "));
    else
        core::showMessage(core::MessageKind::Information, InUseMessage(row));
    return true;
}

int TCloudShareCtl::CloudShareReceive(const QString& folder, int silent, int)
{
    SyoriType = stCloudReceive;
    return Receive(folder, silent, false);
}

int TCloudShareCtl::CloudShareReceiveNew(const QString& folder, int silent)
{
    SyoriType = stCloudReceiveNew;
    return Receive(folder, silent, true);
}

int TCloudShareCtl::Receive(const QString& folder, int silent, bool intoNewFolder)
{
    ReceivedDataFolder.clear();
    PrepareOperatorInfo();
    if (folder.isEmpty())
        return 1;
    WaitWindow.open(QStringLiteral("クラウドシェア認証チェック　実行中"));
    int result = 1;
    try {
        CloudDataFolder = folder;
        BackupFileName = kCpBackup;
        Silent = quint8(silent);
        if (intoNewFolder)
            ReceiveFolder = QStringLiteral("%1/%2").arg(core::SystemDef.TempDir, QStringLiteral("receive"));
        ConnectData();
        const int line = core::AccInf.CLOUD_LINE;
        const int row = line - 1;
        [&] {
            if (!GetServerInfo())
                return;
            if (!intoNewFolder) {
                if (line <= 0 || line > 10) {
                    core::showMessage(core::MessageKind::Information, QStringLiteral("クラウド領域を選択していません。"));
                    return;
                }
                if (ServerInfo[19 + line].left(4).isEmpty()) {
                    core::showMessage(core::MessageKind::Information,
                                      QStringLiteral("設定された領域にはデータがありません。 "));
                    return;
                }
                WaitWindow.set(QStringLiteral("クラウドシェア認証チェック　終了"), true);
                // A line checked out on another computer or by another operator is refused in
                // every connection mode: taking it over would let two people edit one line.
                if (LineInUseByOther(row)) {
                    RefuseLineInUse(row);
                    return;
                }
                const QString time = LineTime[line];
                if (!time.startsWith(QStringLiteral("0000")) && time.size() >= 10) {
                    SrvTime = TimeOfText(time);
                    if (SrvTime.isValid() && core::AccInf.CLOUD_TIME == SrvTime) {
                        result = CloudShareCheckOut() ? 0 : 1;
                        return;
                    }
                }
            } else if (line < 1 || line > 10) {
                return;
            }
            if (RefuseLineInUse(row))
                return;
            WaitWindow.close();
            if (ReceiveData() == 0) {
                result = 0;
                ReceivedDataFolder = intoNewFolder ? ReceiveFolder : CloudDataFolder;
            }
        }();
    } catch (const std::exception& e) {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("クラウドシェアデータ受信処理中にエラーになりました。\r\n") + ErrorDescription(e));
        result = 1;
    }
    DisconnectData();
    WaitWindow.close();
    view_.SetBusyCursor(false);
    return result;
}

} // namespace communication
