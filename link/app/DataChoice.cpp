#include "link/app/DataChoice.h"

#include "companydata/DataInfomation.h"
#include "companydata/DataSentakuListCtl.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dm/TDM.h"
#include "core/errors/ExceptionText.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "link/app/LinkRules.h"
#include "link/export/ComDataExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace taxlink {

namespace {

const QString kRetryQuestion = QStringLiteral("データ選択画面を開き、別のデータを選択しますか？");
const QString kConnectFailed = QStringLiteral("データの接続に失敗しました。");

// A progress window without Cancel over the owner for the lifetime of the object; it is the
// session's progress dialog meanwhile, so that the data-list layer can take it down before a
// message of its own.
class TScopedProgress {
public:
    TScopedProgress(QWidget* owner, const QString& caption, const QString& info)
        : previous_(core::SystemDef.ProgressDialog)
    {
        dialog_.SetCaption(caption);
        dialog_.SetInfoLabel(info);
        dialog_.SetCancelBtnShow(false);
        // Without the animation file the window simply shows no animation.
        const QString avi = QDir(core::SystemDef.ExeDir).filePath(QStringLiteral("progress.avi"));
        if (!core::SystemDef.ExeDir.isEmpty() && QFileInfo(avi).isFile())
            dialog_.SetAviFile(avi);
        core::SystemDef.ProgressDialog = &dialog_;
        dialog_.Show(owner);
    }
    ~TScopedProgress()
    {
        dialog_.Close();
        core::SystemDef.ProgressDialog = previous_;
    }
    TScopedProgress(const TScopedProgress&) = delete;
    TScopedProgress& operator=(const TScopedProgress&) = delete;

    // Taken down early, before a question that must not lie under it.
    void Close() { dialog_.Close(); }
    void StopAnimation() { dialog_.SetAnimeActive(false); }

private:
    controls::TxAnimeProgressDialog dialog_;
    QPointer<QObject> previous_;
};

// Runs the action when the scope ends, however it ends.
template <typename F>
class TFinally {
public:
    explicit TFinally(F action) : action_(std::move(action)) {}
    ~TFinally() { action_(); }
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;

private:
    F action_;
};

bool IsBlank(const QString& text) { return text.trimmed().isEmpty(); }

void ShowInformation(const QString& text) { core::showMessage(core::MessageKind::Information, text); }

} // namespace

TDataChoice::TDataChoice(QWidget* owner, taxreturn::TComDataExport& exporter)
    : owner_(owner), exporter_(exporter)
{
    DataTusinFactory = [](QWidget* form) { return std::make_unique<communication::TfmDataTusin>(form); };
    ShowBox2 = [](controls::TMessage2InfoRec& info) { return controls::ShowMessageBox2(info); };
}

TDataChoice::~TDataChoice()
{
    // The communication form may also be a child of the owner; whichever goes first, it goes once.
    delete DataTusin.data();
}

QString TDataChoice::SelectionParams() const
{
    QStringList lines{QStringLiteral("SyoriType=%1").arg(syoriType_), QStringLiteral("JyokenSet=1")};
    if (exporter_.DataTypeFilter == 1 || exporter_.DataTypeFilter == 2) {
        lines << QStringLiteral("DataType=%1").arg(exporter_.DataTypeFilter == 1 ? -13 : 2)
              << QStringLiteral("CodeType=%1").arg(0);
    }
    lines << QStringLiteral("DataVerMajor=%1").arg(exporter_.DataVerMajor);
    return lines.join(QLatin1Char('\r'));
}

QStringList TDataChoice::DataInfoLines() const
{
    const core::TACCINF& acc = core::AccInf;
    QStringList lines;
    lines << (acc.CodeTypeName.isEmpty() ? QStringLiteral("データ区分=%1").arg(acc.DataTypeName)
                                         : QStringLiteral("データ区分=%1／%2").arg(acc.DataTypeName, acc.CodeTypeName));
    lines << (acc.DATATYPE == 1 || acc.DATATYPE == 3 ? QStringLiteral("会社名=%1") : QStringLiteral("データ名=%1"))
                 .arg(acc.SHOUGOU);
    lines << QStringLiteral("会計年度=%1期").arg(acc.NENDO);
    lines << QStringLiteral("会計期間=%1").arg(core::GetKikanText(acc.KISHU, acc.KIMATU));
    return lines;
}

bool TDataChoice::ConnectChosenData(int syoriType, bool openSelection)
{
    core::RequireDM();
    syoriType_ = syoriType;
    QString& folder = core::SystemDef.DataFolder;
    if (IsBlank(folder))
        openSelection = true;
    core::SystemDef.DataBaseVersion.clear();

    bool chosen = false;
    bool releaseFirst = true; // at the start and after a refused check
    for (;;) {
        // The data set held so far is released before another one is taken on.
        if (releaseFirst && DataChosen) {
            CloseData();
            CloseAndSendBack();
        }
        releaseFirst = false;

        int result = 1;
        if (openSelection)
            result = core::LaunchModuleHook
                ? core::LaunchModuleHook(QStringLiteral("VxDataSenkaku"), 1, SelectionParams())
                : -1;
        openSelection = true;

        if (result == 1) {
            chosen = true;
        } else if (DataChosen) {
            folder = LastDataFolder; // an abandoned choice falls back to the data set in use
            chosen = true;
        } else {
            chosen = false;
            folder.clear();
            LastDataFolder.clear();
        }
        if (IsBlank(folder)) {
            chosen = false; // nothing to connect is never a success
            break;
        }

        if (!Probe()) {
            if (AskRetry({kConnectFailed}))
                continue;
            chosen = false;
            break;
        }
        if (FetchAndReceive() < 1) {
            folder = LastDataFolder;
            continue;
        }

        DataChosen = true;
        const TCheckOutcome outcome = ConnectAndCheck();
        if (outcome == TCheckOutcome::Passed) {
            chosen = true;
            break;
        }
        if (outcome == TCheckOutcome::Stop) {
            chosen = false;
            break;
        }
        releaseFirst = true;
    }
    if (!chosen && DataChosen)
        CloseAndSendBack();
    return chosen;
}

bool TDataChoice::Probe()
{
    core::TDM& dm = core::RequireDM();
    DataConnected = dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 1);
    if (DataConnected && dm.fnGetAccInfo())
        return true;
    CloseData(); // the data set that failed is not left open
    return false;
}

TDataChoice::TCheckOutcome TDataChoice::ConnectAndCheck()
{
    core::TDM& dm = core::RequireDM();
    const QString folder = core::SystemDef.DataFolder;
    TScopedProgress progress(owner_, QStringLiteral("接続中"), QStringLiteral("会計データに接続中です…"));

    DataConnected = dm.fnAccDatConnected(core::SystemDef.HOSTNAME, folder, 1);
    if (!DataConnected || !dm.fnGetAccInfo()) {
        progress.Close();
        return AskRetry({kConnectFailed}) ? TCheckOutcome::Retry : TCheckOutcome::Stop;
    }

    // A refused check closes the data set and asks whether to choose another one.
    auto refuse = [&](const QStringList& lines) {
        progress.Close();
        const bool again = AskRetry(lines);
        CloseData();
        return again ? TCheckOutcome::Retry : TCheckOutcome::Stop;
    };

    core::SystemDef.DataBaseVersion = dm.fnGetDataBaseVer();
    if (!CompareVersion(core::SystemDef.DataBaseVersion, exporter_.RequiredVersion))
        return refuse({QStringLiteral("このプログラムで処理できるデータバージョンに達していません。"),
                       QStringLiteral("データバージョン:%1以降のデータを選択して下さい。").arg(exporter_.RequiredVersion)});

    if (!core::AccInf.DataPassword.isEmpty())
        progress.Close(); // the password prompt must not lie under the progress window
    if (!dm.CheckDataPassword())
        return refuse({QStringLiteral("このデータに設定されている「パスワード」と一致しませんでした。")});

    bool mayUse = false;
    try {
        mayUse = dm.ExistsOpeDefSisetu();
    } catch (const std::exception& e) {
        progress.Close();
        core::showMessage(core::MessageKind::Error, core::exceptionText(e));
    }
    if (!mayUse)
        return refuse({QStringLiteral("このデータを扱う権限がありません。")});
    if (!dm.CanUseAllSiten(core::SystemDef.OPCODE))
        return refuse({QStringLiteral("このデータを扱う権限が不足しています。（支店毎の処理権限をすべて有していない）")});

    // Only a data set that passed every check is the one to fall back to.
    LastDataFolder = folder;
    return TCheckOutcome::Passed;
}

bool TDataChoice::AskRetry(const QStringList& lines)
{
    controls::TMessage2InfoRec info;
    controls::InitMessage2Info(3, info);
    int i = 0;
    for (const QString& line : lines)
        info.Lines[i++].Text = line;
    info.Lines[i].Text = kRetryQuestion;
    return ShowBox2(info) == core::mrOk;
}

int TDataChoice::FetchAndReceive()
{
    CloseData();
    TFinally settle([this] {
        CloseData();
        QThread::msleep(100);
        QCoreApplication::processEvents();
    });
    if (FetchSharedData(core::SystemDef.AutoShare != 0) < 1)
        return -912;
    if (SyncCloudShare(false) < 1)
        return -922;
    return 1;
}

int TDataChoice::CloseAndSendBack()
{
    CloseData();
    TFinally settle([this] {
        CloseData();
        QThread::msleep(100);
        QCoreApplication::processEvents();
    });
    if (SyncCloudShare(true) < 1)
        return -921;
    if (SendSharedDataBack() < 1)
        return -911;
    return 1;
}

int TDataChoice::FetchSharedData(bool automatic)
{
    const QString folder = core::SystemDef.DataFolder;
    if (core::AppKind != 0 || core::ConnectMode != 0 || IsBlank(folder))
        return 1;
    companydata::TDataSentakuListCtl& ctl = ListCtl();
    QString sharedFolder;
    qint32 netDrive = 0;
    qint32 kyoyuLock = 0;
    if (!ctl.ConvLocalPathToSharePath(folder, sharedFolder, netDrive, kyoyuLock)) {
        ShowInformation(QStringLiteral("共有データパスの変換に失敗しました。データ選択画面を開きます。"));
        return 0;
    }
    if (netDrive != 1 || kyoyuLock != 0)
        return 1;
    if (!automatic) {
        ShowInformation(QStringLiteral("このデータは共有取得が行われていません。データ選択画面を開きます。"));
        return 0;
    }

    int result = 0;
    {
        TScopedProgress progress(owner_, QStringLiteral("共有データ受信中"), QStringLiteral("共有データから受信中…"));
        try {
            companydata::TDataSentakuRec row;
            ctl.GetDataListRecordByPath(folder, row);
            result = ctl.KyoyuDataDown(row, 1);
        } catch (const std::exception& e) {
            progress.StopAnimation();
            progress.Close();
            core::showMessage(core::MessageKind::Warning, core::exceptionText(e));
            return 0;
        }
    }
    const bool databaseThere = QFileInfo(QDir(folder).filePath(core::Identity.DataFile)).isFile();
    if (result == 0 || (result == 1 && !databaseThere)) {
        ShowInformation(QStringLiteral("共有サーバーが起動していない、接続が切断されている または "
                                       "共有サーバー上のデータ領域が削除された可能性があります。\r共有データパス: ")
                        + sharedFolder);
        return 0;
    }
    if (result != 1)
        return result; // refused; the data-list layer has said why

    // The fetched copy must be readable before it is used.
    core::TDM& dm = core::RequireDM();
    const bool readable = dm.fnAccDatConnected(core::SystemDef.HOSTNAME, folder, 0) && dm.fnGetAccInfo();
    if (dm.IBDatabaseDAT.connected())
        dm.AccDatDisconnect(folder, 0, 0);
    if (!readable) {
        ShowInformation(QStringLiteral("このデータは破損している可能性があり、基本情報が取得できませんでした。"));
        return 0;
    }
    return 1;
}

int TDataChoice::SendSharedDataBack()
{
    const QString folder = core::SystemDef.DataFolder;
    if (core::AppKind != 0 || core::ConnectMode != 0 || IsBlank(folder))
        return 1;
    if (core::SystemDef.DataBroken != 0)
        return 0;
    if (core::SystemDef.AutoShare == 0)
        return 1;
    companydata::TDataSentakuListCtl& ctl = ListCtl();
    QString sharedFolder;
    qint32 netDrive = 0;
    qint32 kyoyuLock = 0;
    if (!ctl.ConvLocalPathToSharePath(folder, sharedFolder, netDrive, kyoyuLock)) {
        ShowInformation(QStringLiteral("共有データパスの変換に失敗しました。共有データの自動保管は行えませんでした。"));
        return 0;
    }
    if (netDrive != 1 || kyoyuLock != 1)
        return 1;

    TScopedProgress progress(owner_, QStringLiteral("共有データ送信中"), QStringLiteral("共有データへ送信中…"));
    try {
        core::TDM& dm = core::RequireDM();
        companydata::TDataSentakuRec row;
        ctl.GetDataListRecordByPath(folder, row);
        // A damaged working copy (or child) must not overwrite the shared data set.
        bool sound = dm.CallDataCheckHook(core::SystemDef.HOSTNAME, folder, 0, 1) != 0;
        for (const companydata::TDataListRec& child : row.Children) {
            const QString childFolder = child.LocalPath.isEmpty()
                ? QDir(folder).filePath(QFileInfo(QDir::cleanPath(child.PasName)).fileName())
                : child.LocalPath;
            sound = sound && dm.CallDataCheckHook(core::SystemDef.HOSTNAME, childFolder, 0, 1) != 0;
        }
        if (!sound) {
            progress.Close();
            ShowInformation(QStringLiteral("合算・分散データに破損したデータが存在するため、共有データの自動保管を中止します。\r"
                                           "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。"));
            return 0;
        }
        return ctl.KyoyuDataUp(row, 0);
    } catch (const std::exception& e) {
        progress.Close();
        core::showMessage(core::MessageKind::Warning, core::exceptionText(e));
        return 0;
    }
}

int TDataChoice::SyncCloudShare(bool send)
{
    if (core::EditionFlag == 1 || core::EditionFlag == 2 || core::ConnectMode == 2)
        return 1;
    // The communication form is made only for a data set linked to a cloud-share line.
    if (core::AppKind != 0 || core::AccInf.CLOUD_LINE <= 0)
        return 1;
    const QString folder = core::SystemDef.DataFolder;
    const int result = send ? Tusin().CloudShareSend(folder, QString(), 1) : Tusin().CloudShareReceive(folder, 1, 0);
    return result >= 1 && result <= 9 ? -1 : 1;
}

void TDataChoice::CloseForShutdown()
{
    if (!DataConnected || IsBlank(core::SystemDef.DataFolder))
        return;
    if (!core::DM) {
        DataConnected = false;
        return;
    }
    // The database is opened (unmarked) when it is not, so that its close marks the data set
    // and updates its registry row; only a closed data set is handed to the cloud share.
    if (!core::DM->IBDatabaseDAT.connected())
        core::DM->fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0);
    CloseCompanyDatabase(1, 1);
    DataConnected = false;
    if (SyncCloudShare(true) == 1)
        SendSharedDataBack();
}

void TDataChoice::CloseData()
{
    CloseCompanyDatabase(1, 0);
    DataConnected = false;
}

void TDataChoice::CloseCompanyDatabase(quint8 writeInfo, quint8 updateList)
{
    if (!core::DM || !core::DM->IBDatabaseDAT.connected())
        return;
    try {
        core::DM->AccDatDisconnect(core::SystemDef.DataFolder, writeInfo, updateList);
    } catch (const std::exception& e) {
        // The database is closed all the same; only its mark could not be written.
        core::showMessage(core::MessageKind::Warning, core::exceptionText(e));
    }
}

companydata::TDataSentakuListCtl& TDataChoice::ListCtl()
{
    if (!DataListCtl)
        DataListCtl = std::make_unique<companydata::TDataSentakuListCtl>();
    DataListCtl->LocationMode = core::ConnectMode;
    return *DataListCtl;
}

communication::TfmDataTusin& TDataChoice::Tusin()
{
    if (!DataTusin)
        DataTusin = DataTusinFactory(owner_).release();
    return *DataTusin;
}

} // namespace taxlink
