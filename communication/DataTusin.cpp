#include "communication/DataTusin.h"

#include "communication/HikakuMess.h"
#include "communication/ListColors.h"
#include "communication/MeetingToolSetting.h"
#include "communication/TusinWindows.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/dialogs/WindowKeyPreview.h"
#include "controls/grid/SetGridColors.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/modules/ManualPage.h"
#include "core/modules/ModuleRegistry.h"
#include "core/ui/MessageService.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace communication {

namespace {

QString ValueOf(const QStringList& lines, const QString& name, bool* present)
{
    *present = false;
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            *present = true;
            return line.mid(eq + 1);
        }
    }
    return QString();
}

const char* const kCloudHeaders[8] = {"No.", "状況", "データ名", "年度", "会計期間", "使用開始日時", "最終更新日時", "バージョン"};
const int kCloudWidths[8] = {40, 75, 266, 53, 175, 128, 128, 85};
const char* const kRelayHeaders[8] = {"No.", "データ名", "会計年度", "会計期間", "送信日時", "受信日時", "バージョン", ""};
const int kRelayWidths[8] = {40, 300, 80, 180, 134, 134, 85, 0};
const char* const kCheckHeaders[8] = {"処理", "データ名", "会計年度", "会計期間", "送信日時", "受信日時", "バージョン", ""};
const int kCheckWidths[8] = {55, 285, 80, 180, 134, 0, 85, 0};
const char* const kCheckRows[3] = {"受信", "送信", "全送信"};

const char* HintOf(int type)
{
    switch (type) {
    case stDataSend:
        return "［F12］を押すと現在利用中のデータが中継先サーバーの選択したフォルダに送信されます。\r\n\r\n［F5］を押すと中継先サーバーのデータが削除されます。";
    case stDataReceive:
        return "［F12］を押すと選択したデータを受信して、現在利用中のデータに上書きします。\r\n\r\n［F5］を押すと中継先サーバーのデータが削除されます。";
    case stServerCheck:
        return "１行目は現金出納帳から送信されたデータです。　　　２行目はタレック財務が送信したデータです。\r\n３行目はタレック財務が送信したマスターデータです。\r\n\r\n［F5］を押すと中継先サーバーのデータが削除されます。";
    case stCloudSetting:
        return "どの行でクラウドシェアするかを選んで［F12：選択］を押します。\r\nこれからクラウドシェアを始める場合は空白行を、クラウドシェアがスタートしている場合は該当行を選択します。\r\n［F4：解除］は誰も使用してない筈なのに「使用中」のままになってしまった場合に使用します。\r\n［F5：削除］は既にクラウドシェアを止めたデータがリストに残っている場合に使用します。";
    default:
        return "";
    }
}

// A key whose caption is only its name and a colon does nothing.
bool KeyWithoutFunction(const QPushButton* key)
{
    return key->text().endsWith(QLatin1Char(':'));
}

} // namespace

void RegisterDataTusinModule()
{
    core::RegisterModuleForm(core::ModuleFormClass<TfmDataTusin>(), QStringLiteral("VxDataTusin"));
}

TfmDataTusin::TfmDataTusin(QWidget* owner)
    : controls::TBSDI(owner, bsDialog),
      Ctl(std::make_unique<TCloudShareCtl>(*this))
{
    setObjectName(QStringLiteral("fmDataTusin"));
    setWindowTitle(QStringLiteral("データ通信"));
    RirekiSw = true;
    SkipOtherProcSw = false;
    FormSizeSw = false;
    AccInfoSw = false;
    // Callers of the entry points and modal runs hold the form and free it themselves.
    KeepOnClose = true;
    resize(989, 397);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("中継サーバー情報"), this));
    PerfectGrid1 = new controls::TxGrid(this);
    PerfectGrid1->SetCols(8);
    PerfectGrid1->SetRowCount(10);
    layout->addWidget(PerfectGrid1);
    HintArea = new QPlainTextEdit(this);
    HintArea->setReadOnly(true);
    layout->addWidget(HintArea);
    auto* keys = new QHBoxLayout;
    const auto key = [this, keys](const char* name, const char* caption, bool visible) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setVisible(visible);
        keys->addWidget(button);
        return button;
    };
    ESC = key("ESC", "ESC:ｷｬﾝｾﾙ", true);
    F1 = key("F1", "F1:ヘルプ", true);
    F2 = key("F2", "F2:", true);
    F3 = key("F3", "F3:", true);
    F4 = key("F4", "F4:", true);
    F5 = key("F5", "F5:", true);
    F6 = key("F6", "F6:", false);
    F7 = key("F7", "F7:閉じる", false);
    F8 = key("F8", "F8:印刷", false);
    keys->addStretch();
    F12 = key("F12", "F12:実行", true);
    layout->addLayout(keys);
    connect(ESC, &QPushButton::clicked, this, [this] {
        if (!ESC->text().isEmpty())
            reject();
    });
    for (QPushButton* button : {F1, F2, F3, F4, F5, F6, F7, F8, F12})
        connect(button, &QPushButton::clicked, this, [this, button] { controls::RunGuarded([&] { F1Click(button); }); });
    // Seen before the base form's keys, so that Esc and the F keys go through FormKeyUp below.
    new controls::WindowKeyPreview(this, [this](QKeyEvent* e) { return PreviewKey(e); });
    focusCaptions_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && now->window() == this)
            SetKeyCaptions();
    });

    controls::SetGridColors(*PerfectGrid1, 1);
    ApplyListSelectionColors(*PerfectGrid1, Ctl->SyoriType);
    connect(PerfectGrid1, &controls::TxGrid::cellGotFocus, this, [this](int, int row) {
        PaintFocusedRow(*PerfectGrid1, row, font());
        UpdateCloudKeys();
    });
    connect(PerfectGrid1, &controls::TxGrid::cellLostFocus, this, [this](int, int row) { UnpaintRow(*PerfectGrid1, row); });

    Ctl->RunList = [this] { RunCloudList(); };
    Ctl->WaitWindow.open = [this](const QString& caption) {
        if (!waitMess2_)
            waitMess2_ = new TfmWaitMess2(this);
        waitMess2_->SetBox(1, int(StepState::Running), caption);
        waitMess2_->show();
        QApplication::processEvents();
    };
    Ctl->WaitWindow.set = [this](const QString& caption, bool) {
        if (waitMess2_)
            waitMess2_->SetBox(1, int(StepState::Finished), caption);
    };
    Ctl->WaitWindow.close = [this] { delete waitMess2_.data(); };
    Ctl->ShowHikaku = [this](const THikakuLayout& layout) {
        TfmHikakuMess2 window(this);
        window.Apply(layout);
        window.exec();
        return int(HikakuYes);
    };
    Ctl->ShowTypeCaption = [this] {
        const QString caption = TypeCaption(Ctl->SyoriType);
        if (!caption.isEmpty())
            setWindowTitle(caption);
    };
    Ctl->ServerCheckFace = [this] {
        PerfectGrid1->SetColWidth(5, 0);
        PerfectGrid1->setFixedWidth(822);
        HintArea->setFixedWidth(822);
        resize(863, height());
    };
    Ctl->ProcRireki = [this](int state) { PutProcRirekiInfo(state); };
    setVisible(false);
    InitOK = true;
}

TfmDataTusin::~TfmDataTusin()
{
    // The children, deleted after this destructor, move the focus; the keys are gone by then.
    disconnect(focusCaptions_);
    delete waitMess2_.data();
    StepWindowClose();
    BusyClose();
    Ctl.reset();
}

void TfmDataTusin::SetModuleParams(const QStringList& params)
{
    ModuleParams = params;
    bool present = false;
    bool ok = false;
    const int type = ValueOf(params, QStringLiteral("SyoriType"), &present).trimmed().toInt(&ok);
    if (present && ok && type >= 0)
        Ctl->SyoriType = type;
    const QString style = ValueOf(params, QStringLiteral("FormStyle"), &present).trimmed();
    if (!present) {
        FormStyle = fsMdiChild;
    } else {
        const int value = style.toInt(&ok);
        FormStyle = !ok ? fsStayOnTop : (value == 0 ? fsMdiChild : value == 1 ? fsMdiForm : value == 2 ? fsNormal : fsStayOnTop);
    }
    // MDI child and MDI form have no MDI frame here: both are normal windows.
    setWindowFlag(Qt::WindowStaysOnTopHint, FormStyle == fsStayOnTop);
}

int TfmDataTusin::RunModule(bool modal)
{
    bool showDialog = false;
    const int result = Ctl->RunOperation(showDialog);
    if (!showDialog)
        return result;
    // The relay list dialog of types 1 and 2.
    if (!modal) {
        KeepOnClose = false;
        show();
        PrepareList();
        return 0;
    }
    if (core::HostMenuHook && core::HostMenuHook(10, QString()) > 0) {
        core::showMessage(core::MessageKind::Warning,
                          QStringLiteral("メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行してください。"));
        return -1;
    }
    if (!controls::CheckFormInitOK(*this))
        return -1;
    Position = controls::poScreenCenter;
    ShowList(1);
    Ctl->ShowTypeCaption();
    QTimer::singleShot(0, this, [this] { PrepareList(); });
    exec();
    return Ctl->Restored ? 1 : 0;
}

void TfmDataTusin::ShowList(int flag)
{
    ListShown = quint8(flag);
    if (Ctl->SyoriType == stDataReceive) {
        HostMenuSw = false;
    }
    const int type = Ctl->SyoriType;
    if (type != stDataSend && type != stDataReceive && type != stCloudSetting)
        FillList();
    FirstLayout = false;
}

void TfmDataTusin::PrepareList()
{
    const int type = Ctl->SyoriType;
    if (type != stDataSend && type != stDataReceive && type != stCloudSetting && type != stCloudAreaSelect)
        return;
    Ctl->ListPending = 0;
    SetBusyCursor(false);
    Ctl->BackupFileName = type < stCloudReceive ? QStringLiteral("qmacc.fbk") : QStringLiteral("cpacc.fbk");
    if (core::HostMenuHook && core::HostMenuHook(10, QString()) > 0) {
        core::showMessage(core::MessageKind::Warning, Framed(QStringLiteral("現在メニュー以外の画面を表示中なので、") + Ctl->OpTitle
                                                             + QStringLiteral("処理は行えません。")));
        return;
    }
    SetBusyCursor(true);
    const bool cloud = type > stCloudSend;
    const QString infoCaption = cloud ? QStringLiteral("クラウドシェア情報確認") : QStringLiteral("中継サーバー情報確認");
    StepWindowOpen({QString(), QStringLiteral("認証チェック　実行中"), infoCaption, QString(), QString()}, QString());
    StepWindowSet(2, StepState::Running, QString());
    Ctl->StepPause();
    [&] {
        setWindowTitle(TypeCaption(type));
        if (core::DM) {
            const QString folder = Ctl->OperationFolder();
            if (core::DM->AccDatInConnection(core::kCompanyDatabase, core::SystemDef.HOSTNAME, 0, folder)) {
                if (cloud) {
                    core::showMessage(core::MessageKind::Warning, QStringLiteral("このデータは他のオペレータが使用中です。 "));
                    return;
                }
                if (core::showMessage(core::MessageKind::Confirmation,
                                      QStringLiteral("　\r\nこのデータは他のオペレータが使用中です。") + TypeCaption(type)
                                          + QStringLiteral("を開始しますか？\r\n "),
                                      core::mbYesNo)
                    != core::mrYes) {
                    SetExecuteKeysEnabled(false, false);
                    return;
                }
            }
        }
        StepWindowSet(2, StepState::Finished, QStringLiteral("認証チェック　終了"));
        StepWindowSet(3, StepState::Running, infoCaption + QStringLiteral("　実行中"));
        Ctl->StepPause();
        if (type != stCloudAreaSelect) // the area selection fetched it before the list
            Ctl->GetServerInfo();
    }();
    StepWindowClose();
    SetBusyCursor(false);
    FillList();
    if (PerfectGrid1->RowCount() == 0 || Ctl->Cells[0][0].isEmpty())
        SetExecuteKeysEnabled(false, false);
}

void TfmDataTusin::SetKeyCaptions()
{
    const bool cloud = Ctl->SyoriType >= stCloudSetting;
    ESC->setText(QStringLiteral("ESC:ｷｬﾝｾﾙ"));
    F1->setText(QStringLiteral("F1:ヘルプ"));
    F2->setText(QStringLiteral("F2:"));
    F3->setText(QStringLiteral("F3:"));
    F4->setText(cloud ? QStringLiteral("F4: 解除") : QStringLiteral("F4:"));
    F5->setText(cloud ? QStringLiteral("F5: 削除") : QStringLiteral("F5:ﾃﾞｰﾀ削除"));
    F6->setText(QStringLiteral("F6:"));
    F7->setText(QStringLiteral("F7:"));
    F8->setText(QStringLiteral("F8:"));
    F12->setText(cloud ? QStringLiteral("F12: 選択") : QStringLiteral("F12:実  行"));
}

void TfmDataTusin::F1Click(QPushButton* sender)
{
    if (sender == F1) {
        if (!F1->text().isEmpty() && !TypeHelpPage(Ctl->SyoriType).isEmpty())
            core::OpenManualPage(TypeHelpPage(Ctl->SyoriType));
    } else if (sender == F4) {
        ReleaseLine();
    } else if (sender == F5) {
        F5Click();
    } else if (sender == F12) {
        F12Click();
    }
    SetKeyCaptions();
}

QPushButton* TfmDataTusin::KeyButton(int key) const
{
    switch (key) {
    case Qt::Key_F1: return F1;
    case Qt::Key_F2: return F2;
    case Qt::Key_F3: return F3;
    case Qt::Key_F4: return F4;
    case Qt::Key_F5: return F5;
    case Qt::Key_F6: return F6;
    case Qt::Key_F7: return F7;
    case Qt::Key_F8: return F8;
    case Qt::Key_F12: return F12;
    default: return nullptr;
    }
}

void TfmDataTusin::FormKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if (!(shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
        if (key == Qt::Key_Escape) {
            ESC->click();
            key = 0;
        } else if (QPushButton* button = KeyButton(key)) {
            button->click();
        }
    }
    controls::TBSDI::FormKeyUp(key, shift);
}

bool TfmDataTusin::PreviewKey(QKeyEvent* event)
{
    const int key = event->key();
    if (event->isAutoRepeat() || (key != Qt::Key_Escape && KeyButton(key) == nullptr))
        return false;
    // Keys act on their release, and only keys pressed while the form was up.
    if (event->type() == QEvent::KeyPress) {
        pressedKeys_.insert(key);
        return true;
    }
    if (!pressedKeys_.remove(key))
        return false;
    int released = key;
    const Qt::KeyboardModifiers shift = event->modifiers();
    controls::RunGuarded([&] { FormKeyUp(released, shift); });
    return true;
}

void TfmDataTusin::F12Click()
{
    const int type = Ctl->SyoriType;
    if (type == stCloudSetting || type == stCloudAreaSelect) {
        ChooseLine();
        return;
    }
    if (type == stServerCheck || KeyWithoutFunction(F12))
        return;
    const bool send = type == stDataSend;
    int result = 1;
    try {
        result = send ? Ctl->SendData() : Ctl->ReceiveData();
    } catch (const std::exception& e) {
        setEnabled(true);
        if (!send)
            SetExecuteKeysEnabled(true, true);
        core::showMessage(core::MessageKind::Error,
                          (send ? QStringLiteral("送信処理中にエラーになりました。\r\n") : QStringLiteral("受信処理中にエラーになりました。\r\n"))
                              + ErrorDescription(e));
        Close();
        return;
    }
    SetKeyCaptions();
    // Done: the dialog closes; not done: it stays for another try.
    if (result == 0)
        Close();
}

void TfmDataTusin::F5Click()
{
    if (KeyWithoutFunction(F5))
        return;
    const int type = Ctl->SyoriType;
    if (type == stDataSend || type == stDataReceive || type == stCloudSetting || type == stCloudAreaSelect)
        Ctl->DeleteServerData();
    else
        Ctl->DeleteCashBookFolder(SelectedRow());
    for (int r = 0; r < 10; ++r)
        for (int c = 1; c < 8; ++c)
            PerfectGrid1->SetCells(c, r, Ctl->Cells[size_t(r)][size_t(c)]);
    SetKeyCaptions();
    UpdateCloudKeys();
}

int TfmDataTusin::CloudShareRelease(const QString& dataFolder)
{
    return Ctl->CloudShareRelease(dataFolder);
}

int TfmDataTusin::CloudShareSetting(const QString& dataFolder)
{
    LineChosen = 0;
    return Ctl->CloudShareSetting(dataFolder);
}

int TfmDataTusin::CloudShareAreaSelect(const QString& dataFolder)
{
    LineChosen = 0;
    return Ctl->CloudShareAreaSelect(dataFolder);
}

int TfmDataTusin::CloudShareSend(const QString& dataFolder, const QString& caption, int silent)
{
    return Ctl->CloudShareSend(dataFolder, caption, silent);
}

int TfmDataTusin::CloudShareReceive(const QString& dataFolder, int silent, int check)
{
    return Ctl->CloudShareReceive(dataFolder, silent, check);
}

int TfmDataTusin::CloudShareReceiveNew(const QString& dataFolder, int silent)
{
    return Ctl->CloudShareReceiveNew(dataFolder, silent);
}

void TfmDataTusin::RunCloudList()
{
    PrepareList();
    const int line = core::AccInf.CLOUD_LINE;
    PerfectGrid1->SetRow(line >= 1 && line <= 10 ? line - 1 : 0);
    UpdateCloudKeys();
    exec();
    // Types 25 and 26 hide instead of closing for good: the caller reads the selection.
    hide();
}

void TfmDataTusin::FillList()
{
    // Without registry rows of the group there is nothing the list could stand for.
    if (Ctl->GetDataListRecord() == 0) {
        Ctl->Cells = {};
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 8; ++c)
                PerfectGrid1->SetCells(c, r, QString());
        return;
    }
    const int type = Ctl->SyoriType;
    const bool cloud = type >= stCloudSetting;
    const bool check = type == stServerCheck;
    Ctl->ListFolder = Ctl->OperationFolder();
    const TServerInfo& info = Ctl->ServerInfo;
    ApplyListSelectionColors(*PerfectGrid1, type);
    PaintFocusedRow(*PerfectGrid1, PerfectGrid1->Row(), font());
    for (int c = 0; c < 8; ++c) {
        PerfectGrid1->SetCells(c, -1, QString::fromUtf8(cloud ? kCloudHeaders[c] : check ? kCheckHeaders[c] : kRelayHeaders[c]));
        PerfectGrid1->SetColWidth(c, cloud ? kCloudWidths[c] : check ? kCheckWidths[c] : kRelayWidths[c]);
    }
    if (!TypeCaption(type).isEmpty())
        setWindowTitle(TypeCaption(type));
    HintArea->setPlainText(QString::fromUtf8(HintOf(type)));
    SetKeyCaptions();
    F12->setVisible(!check);
    const int rows = check ? 3 : 10;
    for (int r = 0; r < 10; ++r) {
        std::array<QString, 8>& row = Ctl->Cells[size_t(r)];
        row = {};
        if (r >= rows) {
            for (int c = 0; c < 8; ++c)
                PerfectGrid1->SetCells(c, r, QString());
            continue;
        }
        row[0] = check ? QString::fromUtf8(kCheckRows[r]) : QString::number(r + 1);
        if (!info[20 + r].isEmpty()) {
            const QString period = info[50 + r].left(10) + QStringLiteral(" ～ ") + info[70 + r].left(10);
            const QString version = info[130 + r].trimmed().isEmpty()
                                        ? QString()
                                        : TDataTusinCtl::GetVersionLabel(info[130 + r].left(2).toInt(), info[130 + r].right(2).toInt());
            if (cloud) {
                row[2] = info[20 + r];
                row[3] = info[30 + r] + QStringLiteral("期");
                row[4] = period;
                row[7] = version;
                if (info[140 + r] == QStringLiteral("1")) {
                    row[1] = QStringLiteral("未使用");
                    row[5] = QStringLiteral("-");
                    row[6] = info[90 + r];
                } else if (info[140 + r] == QStringLiteral("2")) {
                    row[1] = QStringLiteral("使用中");
                    row[5] = info[110 + r];
                    row[6] = QStringLiteral("-");
                }
            } else {
                row[1] = info[20 + r];
                row[2] = info[30 + r] + QStringLiteral("期");
                row[3] = period;
                row[4] = info[90 + r];
                row[5] = info[110 + r];
                row[6] = version;
            }
        }
        for (int c = 0; c < 8; ++c)
            PerfectGrid1->SetCells(c, r, row[size_t(c)]);
    }
    if (cloud) {
        const int line = core::AccInf.CLOUD_LINE;
        SelectedDataName = line >= 1 && line <= 10 ? info[19 + line].trimmed() : QString();
        PerfectGrid1->SetRow(line >= 1 && line <= 10 ? line - 1 : 0);
    }
}

void TfmDataTusin::ChooseLine()
{
    const int type = Ctl->SyoriType;
    if (type != stCloudSetting && type != stCloudAreaSelect)
        return;
    const int r = SelectedRow();
    if (r < 0 || r > 9)
        return;
    const TListCells& cells = Ctl->Cells;
    SelectedDataName = cells[size_t(r)][2].trimmed();
    SelectedStatus = cells[size_t(r)][1].trimmed();
    SelectedLine = r + 1;
    if (!SelectedDataName.isEmpty() && Ctl->ServerInfo[120 + r] != core::AccInf.PASWORD) {
        core::showMessage(core::MessageKind::Warning,
                          QStringLiteral("クラウド領域のデータと現在選択中のデータのパスワードが一致しません。"));
        return;
    }
    if (type == stCloudAreaSelect && !SelectedDataName.isEmpty()) {
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("翌年度更新処理中の場合は、空白行を選択してください。"));
        return;
    }
    if (type == stCloudSetting && SelectedDataName.isEmpty())
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("お手元のデータをアップロードしてクラウドシェアを開始します。"));
    LineChosen = 1;
    accept();
}

void TfmDataTusin::UpdateCloudKeys()
{
    if (Ctl->SyoriType < stCloudSend)
        return;
    const int r = SelectedRow();
    const bool inUse = r >= 0 && !Ctl->ServerInfo[20 + r].isEmpty() && Ctl->ServerInfo[140 + r] == QStringLiteral("2");
    F4->setEnabled(inUse);
    F5->setEnabled(!inUse);
}

void TfmDataTusin::ReleaseLine()
{
    if (Ctl->SyoriType < stCloudSend)
        return;
    const int r = SelectedRow();
    TServerInfo& info = Ctl->ServerInfo;
    if (r < 0 || info[20 + r].isEmpty() || info[140 + r] != QStringLiteral("2"))
        return;
    if (!ConfirmPassword(QStringLiteral("解除"), QStringLiteral("解除処理を実行します"),
                         QStringLiteral("「解除処理を実行します」をチェックして、パスワードを入力します。"), info[120 + r]))
        return;
    Ctl->PrepareOperatorInfo();
    if (!Ctl->SetCloudShareFlag(r + 1, 1))
        return;
    info[140 + r] = QStringLiteral("1");
    Ctl->Cells[size_t(r)][1] = QStringLiteral("未使用");
    Ctl->Cells[size_t(r)][5] = QStringLiteral("-");
    Ctl->Cells[size_t(r)][6] = info[90 + r];
    for (int c : {1, 5, 6})
        PerfectGrid1->SetCells(c, r, Ctl->Cells[size_t(r)][size_t(c)]);
    F4->setEnabled(false);
    F5->setEnabled(true);
    core::showMessage(core::MessageKind::Information, QStringLiteral("使用中を解除しました。"));
}

void TfmDataTusin::StepWindowOpen(const QStringList& captions, const QString& caption)
{
    if (!waitMess_)
        waitMess_ = new TfmWaitMess(this);
    waitMess_->SetCaptions(captions);
    if (!caption.isEmpty())
        waitMess_->setWindowTitle(caption);
    waitMess_->show();
    QApplication::processEvents();
}

void TfmDataTusin::StepWindowSet(int box, StepState state, const QString& caption)
{
    if (waitMess_)
        waitMess_->SetBox(box, int(state), caption);
}

void TfmDataTusin::StepWindowClose()
{
    delete waitMess_.data();
}

void TfmDataTusin::BusyShow(const QString& caption, const QString& info)
{
    if (!busy_)
        busy_ = new TfmWaitMess(this);
    busy_->setWindowTitle(caption);
    busy_->SetCaptions({info});
    busy_->show();
    QApplication::processEvents();
}

void TfmDataTusin::BusyInfo(const QString& info)
{
    if (busy_)
        busy_->SetBox(1, 1, info);
}

void TfmDataTusin::BusyClose()
{
    delete busy_.data();
}

bool TfmDataTusin::ConfirmPassword(const QString& caption, const QString& checkCaption, const QString& hint,
                                   const QString& expected)
{
    TfmTusinSettiPas dialog(this, caption, checkCaption, hint, expected);
    return dialog.exec() == QDialog::Accepted;
}

bool TfmDataTusin::Consent(const QString& caption, const QString& text, const QStringList& details,
                           const QString& agreeCaption, bool)
{
    TConsentBox box(this, caption, text, details, agreeCaption);
    return box.exec() == QDialog::Accepted && box.Agree()->isChecked();
}

int TfmDataTusin::ConfirmBeforeSend()
{
    // The send keeps one settings box for both questions.
    if (!meeting_)
        meeting_ = new TMeetingToolSettingBox(this);
    return meeting_->ConfirmBeforeSend();
}

void TfmDataTusin::ResetAfterSend()
{
    if (!meeting_)
        meeting_ = new TMeetingToolSettingBox(this);
    meeting_->ResetAfterSend();
    delete meeting_.data();
}

int TfmDataTusin::SelectedRow() const
{
    const int row = PerfectGrid1->Row();
    return row >= 0 && row < 10 ? row : -1;
}

void TfmDataTusin::SetDialogEnabled(bool enabled)
{
    setEnabled(enabled);
}

void TfmDataTusin::SetExecuteKeysEnabled(bool f12, bool f5)
{
    F12->setEnabled(f12);
    F5->setEnabled(f5);
}

void TfmDataTusin::SetNotTopmost(bool shown)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    if (shown) {
        show();
        raise();
    }
}

void TfmDataTusin::SetBusyCursor(bool busy)
{
    if (busy == busyCursor_)
        return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace communication
