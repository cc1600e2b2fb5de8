// The dispatcher of the data-communication module run by its module name: the checks of the
// operation type, the server information, then the relay list dialog (types 1 and 2, shown by
// the form) or a cash-book exchange or server check without a dialog (types 3 to 10).
#include "communication/CloudShareCtl.h"

#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dm/TDM.h"
#include "core/settings/AccReg.h"
#include "core/ui/MessageService.h"

namespace communication {

namespace {

const QString kApproved = QStringLiteral("現在ご利用中のデータは承認済み仕訳が含まれます。\r\n現金出納帳通信処理は行えません。");

void Warn(const QString& text)
{
    core::showMessage(core::MessageKind::Warning, text);
}

bool Ask(const QString& text)
{
    return core::showMessage(core::MessageKind::Confirmation, text, core::mbYesNo) == core::mrYes;
}

bool HostHasOtherWindows()
{
    return core::HostMenuHook && core::HostMenuHook(10, QString()) > 0;
}

QString DateText(const QDate& date)
{
    if (core::EraDisplayOn())
        return core::FormatDateText(QStringLiteral("yy/mm/dd"), 2, date);
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString DateText(const QString& text)
{
    const QDate date = core::StrToDateFixed(text);
    return date.isValid() ? DateText(date) : text;
}

QString OwnPeriod()
{
    return DateText(core::AccInf.KISHU) + QStringLiteral(" ～ ") + DateText(core::AccInf.KIMATU);
}

bool IsConsolidated()
{
    return core::AccInf.GassanKbn == 1 || core::AccInf.GassanKbn == 2;
}

} // namespace

QString TypeCaption(int syoriType)
{
    switch (syoriType) {
    case stDataSend: return QStringLiteral("データ送信");
    case stDataReceive: return QStringLiteral("データ受信");
    case stCashBookSend: return QStringLiteral("現金出納帳送信");
    case stCashBookReceive: return QStringLiteral("現金出納帳受信");
    case stMasterSend: return QStringLiteral("マスター送信");
    case stServerCheck: return QStringLiteral("サーバー確認");
    case stCloudSetting:
    case stCloudAreaSelect: return QStringLiteral("クラウドシェア領域を選択");
    default: return QString();
    }
}

QString TypeHelpPage(int syoriType)
{
    switch (syoriType) {
    case stDataSend: return QStringLiteral("tsusin01.html");
    case stDataReceive: return QStringLiteral("tsusin02.html");
    case stCashBookSend: return QStringLiteral("tsusin06.html");
    case stCashBookReceive: return QStringLiteral("tsusin07.html");
    case stMasterSend: return QStringLiteral("tsusin10.html");
    case stServerCheck: return QStringLiteral("tsusin09.html");
    case stCloudSetting:
    case stCloudAreaSelect: return QStringLiteral("cloudshare_sel.html");
    default: return QString();
    }
}

bool TCloudShareCtl::HasData(int block) const
{
    return !ServerInfo[20 + block].trimmed().isEmpty();
}

bool TCloudShareCtl::SamePeriod(int block) const
{
    return ServerInfo[40 + block].left(10) == core::AccInf.KISHU.toString(QStringLiteral("yyyy/MM/dd"));
}

QString TCloudShareCtl::ServerPeriod(int block) const
{
    return DateText(ServerInfo[40 + block].left(10)) + QStringLiteral(" ～ ") + DateText(ServerInfo[60 + block].left(10));
}

int TCloudShareCtl::ConfirmOverwrite(int block)
{
    const bool p = CashBookPassword() != ServerInfo[120 + block];
    const bool n = core::AccInf.SHOUGOU != ServerInfo[20 + block];
    const bool d = !SamePeriod(block);
    if (!p && !n && !d)
        return 2;
    if (p && !n && !d)
        return Ask(QStringLiteral("中継サーバーに下記相違点のあるデータが存在します。このまま送信して上書きしてもいいですか？\r\n\r\nパスワードが違います。"))
                   ? 1
                   : -1;
    THikakuLayout layout = OverwriteLayout(p, n, d);
    layout.OwnName = core::AccInf.SHOUGOU;
    layout.ServerName = ServerInfo[20 + block];
    layout.OwnPeriod = OwnPeriod();
    layout.ServerPeriod = ServerPeriod(block);
    return ShowHikaku(layout) == 1 ? 1 : -1;
}

void TCloudShareCtl::WriteEndHistory()
{
    ProcRireki(1);
}

int TCloudShareCtl::RunOperation(bool& showDialog)
{
    showDialog = false;
    view_.SetBusyCursor(false);
    CloudKbn = 0;
    const core::TACCINF& acc = core::AccInf;
    if (core::ConnectMode != 2 && acc.CLOUD_LINE != 0 && SyoriType == stDataReceive) {
        core::showMessage(core::MessageKind::Information, QStringLiteral("クラウドシェアデータでデータ受信は実行できません。"));
        return -1;
    }
    if (core::DM && core::DM->IBDatabaseDAT.connected())
        CloudKbn = core::funcGetAccReg(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"), QStringLiteral("整数"), QStringLiteral("0")).toInt();
    BackupFileName = SyoriType <= stCloudSend ? QStringLiteral("qmacc.fbk") : QStringLiteral("cpacc.fbk");
    ListPending = 1;
    OpTitle = (core::EditionFlag == 1 || core::EditionFlag == 2) ? QStringLiteral("データ送受信") : QStringLiteral("データ通信");
    const QString noId = Framed(QStringLiteral("通信IDが設定されてません。通信設定で設定して下さい。"));
    const QString noPassword = Framed(QStringLiteral("パスワードが設定されてません。通信設定で設定して下さい。"));

    if (SyoriType == stDataSend || SyoriType == stDataReceive) {
        if (acc.WEB_HOLDER.trimmed().isEmpty()) {
            Warn(noId);
            return -1;
        }
        if (acc.PASWORD.trimmed().isEmpty()) {
            Warn(noPassword);
            return -1;
        }
        showDialog = true;
        return -1;
    }
    if (SyoriType != stAutoSend && HostHasOtherWindows()) {
        Warn(Framed(QStringLiteral("現在メニュー以外の画面を表示中なので、") + OpTitle + QStringLiteral("処理は行えません。")));
        return -1;
    }
    const int refused = SyoriType == stAutoReceive ? 0 : -1;
    if (CashBookId().trimmed().isEmpty()) {
        Warn(noId);
        return refused;
    }
    if (CashBookPassword().trimmed().isEmpty()) {
        Warn(noPassword);
        return refused;
    }

    // From here on the cleanup runs on every path.
    view_.SetBusyCursor(true);
    const auto cleanup = [this] {
        view_.SetBusyCursor(false);
        view_.StepWindowClose();
        ShowTypeCaption();
        if (SyoriType == stCashBookSend || SyoriType == stCashBookReceive || SyoriType == stMasterSend)
            WriteEndHistory();
    };
    int result = -1;
    try {
        result = RunCashBookSteps();
    } catch (...) {
        cleanup();
        throw;
    }
    cleanup();
    return result;
}

int TCloudShareCtl::RunCashBookSteps()
{
    const int type = SyoriType;
    if ((type == stCashBookSend || type == stCashBookReceive || type == stMasterSend || type == stServerCheck)
        && HasApprovedJournals()) {
        Warn(kApproved);
        return -1;
    }
    if ((type == stCashBookSend || type == stMasterSend) && IsConsolidated()) {
        Warn(QStringLiteral("現在選択中のデータは合算データのため、現金出納帳の送信処理は行えません。\r\n "));
        return -1;
    }
    if (type == stCashBookSend || type == stMasterSend || type == stAutoSend || type == stCashBookSideSend) {
        // The cash-book product's upgrade is running: leave the relay alone without a word.
        if (TopLevelWindowExists(QStringLiteral("現金出納帳バージョンアップ")))
            return -1;
        if (!Ask(QStringLiteral("  \r\n中継サーバーにデータを送信します。\r\n ")))
            return -1;
    }
    if (type == stCashBookReceive && IsConsolidated()) {
        Warn(QStringLiteral("現在選択中のデータは合算データのため、現金出納帳の受信処理は行えません。\r\n "));
        return -1;
    }

    view_.StepWindowOpen({QString(), QStringLiteral("認証チェック　実行中"), QStringLiteral("中継サーバー情報確認"), QString(), QString()},
                         QString());
    view_.StepWindowSet(2, StepState::Running, QString());
    view_.StepWindowSet(3, StepState::Idle, QString());
    StepPause();

    ShowTypeCaption();
    if (type == stCashBookSend || type == stCashBookReceive || type == stMasterSend)
        ProcRireki(0);
    if (type == stServerCheck)
        ServerCheckFace();

    if (core::DM
        && core::DM->AccDatInConnection(core::kCompanyDatabase, core::SystemDef.HOSTNAME, 0, core::SystemDef.DataFolder)
        && !Ask(QStringLiteral("　\r\nこのデータは他のオペレータが使用中です。") + TypeCaption(type) + QStringLiteral("を開始しますか？\r\n ")))
        return -1;

    view_.StepWindowSet(2, StepState::Finished, QStringLiteral("認証チェック　終了"));
    view_.StepWindowSet(3, StepState::Running, QStringLiteral("中継サーバー情報確認　実行中"));
    StepPause();
    if (!GetServerInfo())
        return 0;
    view_.StepWindowClose();
    MasterReceive = 0;

    switch (type) {
    case stCashBookSend:
    case stAutoSend:
    case stCashBookSideSend:
        return CashBookSendStep();
    case stMasterSend:
        return MasterSendStep();
    case stCashBookReceive:
    case stAutoReceive:
    case stCashBookSideReceive:
        return CashBookReceiveStep();
    default:
        return -1;
    }
}

int TCloudShareCtl::CashBookSendStep()
{
    const int block = SyoriType == stCashBookSend ? 1 : 0;
    if (HasData(2) && SamePeriod(2)) {
        Warn(Framed(QStringLiteral("中継サーバーに未受信の全データが存在しますので送信できません。")));
        return -1;
    }
    if (HasData(block) && ConfirmOverwrite(block) == -1)
        return -1;
    bool sent = false;
    try {
        sent = CashBookSend();
    } catch (const std::exception& e) {
        core::showMessage(core::MessageKind::Error, QStringLiteral("送信処理中にエラーになりました。\r\n") + ErrorDescription(e));
        return 0;
    }
    // A failed send has said why; only a finished one is reported as finished.
    if (!sent)
        return 0;
    if (SyoriType != stAutoSend)
        core::showMessage(core::MessageKind::Information, QStringLiteral("　\r\n送信処理が終了しました。\r\n　"));
    return 1;
}

int TCloudShareCtl::MasterSendStep()
{
    if (HasData(0)) {
        Warn(Framed(QStringLiteral("受信処理を行ってから、マスター送信して下さい。")));
        return -1;
    }
    if (HasData(2) && !SamePeriod(2) && ConfirmOverwrite(2) != 1)
        return -1;
    if (HasData(1)) {
        if (!Ask(QStringLiteral("中継サーバーに現金出納帳データが存在します。\r\nこのままマスター送信をすると、削除されます。続行しますか？")))
            return -1;
        DeleteCashBookFolder(1);
    }
    bool sent = false;
    try {
        sent = CashBookSend();
    } catch (const std::exception& e) {
        core::showMessage(core::MessageKind::Error, QStringLiteral("送信処理中にエラーになりました。\r\n") + ErrorDescription(e));
        return 0;
    }
    if (!sent)
        return 0;
    core::showMessage(core::MessageKind::Information, Framed(QStringLiteral("送信処理が終了しました。")));
    return 1;
}

int TCloudShareCtl::CashBookReceiveStep()
{
    const int type = SyoriType;
    const int block = type == stCashBookReceive ? 0 : (HasData(2) ? 2 : 1);
    if (!HasData(block)) {
        if (type != stAutoReceive)
            Warn(Framed(QStringLiteral("受信データがありません。")));
        return 0;
    }
    ReceiveBlock = block;
    MasterReceive = block == 2 ? 1 : 0;
    const bool passwordDiffers = CashBookPassword() != ServerInfo[120 + block];
    const bool nameDiffers = core::AccInf.SHOUGOU != ServerInfo[20 + block];
    const bool periodDiffers = !SamePeriod(block);
    if (passwordDiffers) {
        Warn(Framed(QStringLiteral("パスワードが違います。")));
        return -1;
    }
    const auto show = [&](TReceiveDiff diff) {
        THikakuLayout layout = ReceiveLayout(diff, type == stAutoReceive);
        layout.OwnName = core::AccInf.SHOUGOU;
        layout.ServerName = ServerInfo[20 + block];
        layout.OwnPeriod = OwnPeriod();
        layout.ServerPeriod = ServerPeriod(block);
        return ShowHikaku(layout);
    };
    if (block == 2) {
        if (periodDiffers) {
            show(TReceiveDiff::Period);
            return -1;
        }
        if (nameDiffers && show(TReceiveDiff::NameQuestion) != 1)
            return -1;
    } else if (nameDiffers || periodDiffers) {
        show(nameDiffers && periodDiffers ? TReceiveDiff::NameAndPeriod
                                          : (nameDiffers ? TReceiveDiff::Name : TReceiveDiff::Period));
        return -1;
    }
    if ((type == stCashBookReceive || type == stCashBookSideReceive)
        && !Ask(Framed(QStringLiteral("これよりデータを受信します。"))))
        return 0;
    LoaderRefused = 0;
    try {
        if (CashBookReceive(block)) {
            DeleteCashBookFolder(block);
            return block == 2 ? 2 : 1;
        }
    } catch (const std::exception& e) {
        core::showMessage(core::MessageKind::Error, QStringLiteral("受信処理中にエラーになりました。\r\n") + ErrorDescription(e));
        return -1;
    }
    if (!LoaderRefused)
        core::showMessage(core::MessageKind::Error, Framed(QStringLiteral("受信処理が正常に終了していません。")));
    return type == stAutoReceive ? 0 : -1;
}

} // namespace communication
