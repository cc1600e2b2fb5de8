#include "selection/ServerSentakuBox.h"

#include "communication/DataTusin.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/dialogs/TMessageBox2.h"
#include "core/dm/TDM.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/dialogs/WindowKeyPreview.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/modules/ManualPage.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "platform/DriveMap.h"
#include "selection/DataSentakuList.h"
#include "selection/DataSyosaiInfoBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace selection {

QList<TShareDrive> OfferedShareDrives(const QString& shareDir)
{
    // Every mapped letter counts as a network drive; only those holding the shared folder.
    QList<TShareDrive> drives;
    for (char c = 'A'; c <= 'Z'; ++c) {
        const QString folder = platform::driveFolder(QChar::fromLatin1(c));
        if (folder.isEmpty() || !QFileInfo(folder + QLatin1Char('/') + shareDir).isDir())
            continue;
        drives.append({QString(QChar::fromLatin1(c)), QStringLiteral("%1: [%2]").arg(QChar::fromLatin1(c)).arg(folder)});
    }
    return drives;
}

TServerSentakuBox::TServerSentakuBox(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    RirekiSw = false;
    SkipOtherProcSw = false;
    FormSizeSw = false;
    AccInfoSw = false;
    KeepOnClose = true;
    setWindowTitle(QStringLiteral("共有データの選択"));
    ListCtl.LocationMode = quint8(core::ConnectMode);
    ListCtl.ServerList = 1;
    Info.DataPlace = quint8(core::ConnectMode);
    List.OemEdition = core::EditionFlag == 1 || core::EditionFlag == 2;
    List.ShareStatusOf = [this](const QString& folder) { return GetShareStatus(folder); };
    ShowBox2 = [](controls::TMessage2InfoRec& info) { return controls::ShowMessageBox2(info); };
    ShowDetailBox = [](const controls::TMessageInfoRec& info) { return controls::ShowMessageBox(info); };
    buildControls();
    keyPreview_ = new controls::WindowKeyPreview(this, [this](QKeyEvent* e) { return PreviewKey(e); });
    List.SetupColumns(*Grid);
    InitOK = true;
}

TServerSentakuBox::~TServerSentakuBox() = default;

void TServerSentakuBox::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto button = [this](const QString& text, QLayout* into) {
        auto* b = new QPushButton(text, this);
        into->addWidget(b);
        return b;
    };
    cmbDrive = new QComboBox(this);
    top->addWidget(cmbDrive);
    btnMount = button(QStringLiteral("共有割当"), top);
    btnSearch = button(QStringLiteral("検索"), top);
    btnSearchCancel = button(QStringLiteral("検索解除"), top);
    btnDataInfo = button(QStringLiteral("情報"), top);
    btnListUpdate = button(QStringLiteral("更新"), top);
    cboxDataListUpdate = new QCheckBox(QStringLiteral("自動更新"), this);
    top->addWidget(cboxDataListUpdate);
    layout->addLayout(top);
    Grid = new controls::TxGrid(this);
    Grid->installEventFilter(this);
    controls::TxGridColors colors = Grid->Colors();
    colors.BackColor = Qt::white;
    colors.OddRowBackColor = QColor::fromRgb(kServerOddRowRgb);
    Grid->SetColors(colors);
    layout->addWidget(Grid);
    txtIncSerch = new QLineEdit(this);
    txtIncSerch->setMaxLength(TIncSearch::MaxLength);
    txtIncSerch->hide();
    IncSerchTimer = new QTimer(this);
    IncSerchTimer->setSingleShot(true);
    connect(IncSerchTimer, &QTimer::timeout, this, [this] { controls::RunGuarded([this] { IncSearchTimerFired(); }); });
    HintMemo = new QPlainTextEdit(this);
    HintMemo->setObjectName(QStringLiteral("HintArea"));
    HintMemo->setReadOnly(true);
    HintMemo->setMaximumHeight(60);
    layout->addWidget(HintMemo);
    BottomPanel = new QWidget(this);
    auto* keys = new QHBoxLayout(BottomPanel);
    const TFKeyCaptions captions = DefaultCaptions();
    for (int k = 0; k < fkCount; ++k) {
        Keys[k] = button(captions[k], keys);
        Keys[k]->setFocusPolicy(Qt::NoFocus);
        connect(Keys[k], &QPushButton::clicked, this, [this, k] { controls::RunGuarded([this, k] { RunKey(k); }); });
    }
    layout->addWidget(BottomPanel);
    const auto guarded = [this](QAbstractButton* b, void (TServerSentakuBox::*handler)()) {
        connect(b, &QAbstractButton::clicked, this, [this, handler] { controls::RunGuarded([&] { (this->*handler)(); }); });
    };
    guarded(btnMount, &TServerSentakuBox::btnMountClick);
    guarded(btnSearch, &TServerSentakuBox::btnSearchClick);
    guarded(btnSearchCancel, &TServerSentakuBox::btnSearchCancelClick);
    guarded(btnDataInfo, &TServerSentakuBox::btnDataInfoClick);
    guarded(btnListUpdate, &TServerSentakuBox::btnListUpdateClick);
    guarded(cboxDataListUpdate, &TServerSentakuBox::cboxDataListUpdateClick);
    connect(cmbDrive, &QComboBox::activated, this,
            [this](int index) { controls::RunGuarded([this, index] { cmbDriveChange(index); }); });
    connect(Grid, &controls::TxGrid::cellClick, this, [this](int col, int row) {
        if (row == -1)
            controls::RunGuarded([this, col] { HeaderClick(col); });
    });
    connect(Grid, &controls::TxGrid::dblClick, this, [this](int, int row) {
        if (Grid->RowCount() > 0 && row >= 0 && row < Grid->RowCount())
            controls::RunGuarded([this] { F12Click(); });
    });
    connect(Grid, &controls::TxGrid::cellGotFocus, this, [this](int, int row) {
        // The focused row's text dark blue, except on a broken row.
        if (row >= 0 && row < Grid->RowCount() && Grid->CellInt(scStatus, row) != 1)
            Grid->SetRowForeColor(row, QColor::fromRgb(kServerFocusTextRgb));
        SetFKeyCaptions();
    });
    connect(Grid, &controls::TxGrid::cellLostFocus, this, [this](int, int row) {
        if (row >= 0 && row < Grid->RowCount())
            Grid->SetRowForeColor(row, QColor());
    });
    connect(Grid, &controls::TxGrid::keyDown, this, [this](QKeyEvent* e) {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            e->accept();
            if (HasDataRow())
                controls::RunGuarded([this] { F12Click(); });
            return;
        }
        if (GridKey(e->text(), e->modifiers() & Qt::KeypadModifier))
            e->accept();
    });
}

void TServerSentakuBox::SetHints()
{
    cmbDrive->setToolTip(ServerDriveHint(core::Identity.ShareDir));
    btnMount->setToolTip(QStringLiteral("ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞを割り当てます。|"
                                        "ﾈｯﾄﾜｰｸ上の共有ﾌｫﾙﾀﾞはOSの機能でﾄﾞﾗｲﾌﾞに割り当てます。"));
    btnSearch->setToolTip(QStringLiteral("［検索条件の設定］画面を開きます。一定条件に該当するﾃﾞｰﾀを抽出表示する場合に使用します。|"));
    btnSearchCancel->setToolTip(QStringLiteral("検索状態を解除します。|"));
    btnDataInfo->setToolTip(QStringLiteral(
        "「ﾃﾞｰﾀの詳細情報」画面を開きます。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。|"
        "「ﾃﾞｰﾀの詳細情報」画面を開きます。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。"));
    btnListUpdate->setToolTip(QStringLiteral("ﾃﾞｰﾀﾘｽﾄを更新します。|共有ﾌｫﾙﾀﾞのﾃﾞｰﾀ領域からﾃﾞｰﾀﾘｽﾄを作り直します。"));
    cboxDataListUpdate->setToolTip(QStringLiteral("画面を開く時にﾃﾞｰﾀﾘｽﾄを自動で更新します。|"));
}

void TServerSentakuBox::Prepare(int flag)
{
    PrepareFlag = flag;
    InitList();
    FirstLayout = false;
}

void TServerSentakuBox::InitList()
{
    SetHints();
    SelPath.clear();
    SelName.clear();
    CopyMode = 0;
    CopySource.clear();
    ShareRoot.clear();
    LoadedKensaku = TDataKensakuRec{};
    if (core::DM && core::DM->IBDatabaseDEF.connected()) {
        if (!KensakuBox)
            KensakuBox = std::make_unique<TDataListKensakuBox>(this);
        KensakuBox->ListType = 1;
        KensakuBox->InitKensakuRec(LoadedKensaku);
        KensakuBox->SelectRecord(LoadedKensaku);
    }
    ActiveKensaku = LoadedKensaku;
    if (ActiveKensaku.JYOKENUSE == 0) {
        ActiveKensaku.DATATYPE = 0;
        ActiveKensaku.CODETYPE = 0;
        ActiveKensaku.DATACODE.clear();
        ActiveKensaku.DATANAME.clear();
        ActiveKensaku.TANTO = 0;
        ActiveKensaku.DATAVER.clear();
        ActiveKensaku.SEIHINNAME.clear();
    }
    btnSearchCancel->setEnabled(ActiveKensaku.JYOKENUSE == 1);
    List.Conditions = ActiveKensaku;
    // A sort chosen earlier in this run wins over the stored one.
    if (List.SortCol < 0) {
        const int stored = SortColFromStored(ActiveKensaku.SORTCOL);
        List.SortCol = stored == 0 ? scFolder : stored;
        List.SortDesc = stored == 0 ? false : ActiveKensaku.SORTTYPE == 1;
    }
    MakeDriveList();
    cboxDataListUpdate->blockSignals(true);
    cboxDataListUpdate->setChecked(core::SystemDef.DataListAutoUpdate != 0);
    cboxDataListUpdate->blockSignals(false);
    Grid->SetRowCount(0);
    if (!ShareRoot.isEmpty()) {
        LoadList(0);
        ShowList();
        if (core::SystemDef.DataListAutoUpdate != 0 || Grid->RowCount() == 0)
            RefreshList();
    }
    SetFKeyCaptions();
}

void TServerSentakuBox::MakeDriveList()
{
    cmbDrive->blockSignals(true);
    cmbDrive->clear();
    DriveLetters.clear();
    const QString shareDir = core::Identity.ShareDir;
    const QList<TShareDrive> drives = OfferedShareDrives(shareDir);
    if (drives.isEmpty()) {
        cmbDrive->addItem(QStringLiteral("[%1]が見つかりません").arg(shareDir));
        DriveLetters << QString();
        DriveLetter.clear();
        ShareRoot.clear();
    } else {
        int index = 0;
        for (int i = 0; i < drives.size(); ++i) {
            cmbDrive->addItem(drives.at(i).Text);
            DriveLetters << drives.at(i).Letter;
            if (drives.at(i).Letter.compare(DriveLetter.trimmed(), Qt::CaseInsensitive) == 0)
                index = i;
        }
        cmbDrive->setCurrentIndex(index);
        DriveLetter = DriveLetters.at(index);
        ShareRoot = platform::driveFolder(DriveLetter.at(0)) + QLatin1Char('/') + shareDir;
    }
    cmbDrive->blockSignals(false);
}

void TServerSentakuBox::cmbDriveChange(int index)
{
    if (index >= 0 && index < DriveLetters.size() && !DriveLetters.at(index).isEmpty()
        && DriveLetters.at(index) != DriveLetter) {
        DriveLetter = DriveLetters.at(index);
        ShareRoot = platform::driveFolder(DriveLetter.at(0)) + QLatin1Char('/') + core::Identity.ShareDir;
        LoadList(0);
        ShowList();
        if (core::SystemDef.DataListAutoUpdate != 0 || Grid->RowCount() == 0)
            RefreshList();
    }
    SetFKeyCaptions();
}

void TServerSentakuBox::LoadList(int rebuild)
{
    ListCtl.ServerExecute(rebuild, ShareRoot, ServerSortKindOfColumn(List.SortCol), List.SortDesc, QString());
    List.Records = ListCtl.Rows;
    List.Children.clear();
    if (rebuild == 1) {
        // Every record and child brought up to date from its folder and written back.
        for (companydata::TDataSentakuRec& rec : List.Records) {
            auto fromFolder = [this](companydata::TDataListRec& r) {
                const quint8 state = CheckDataState(r.PasName, false, false);
                SetServerRecFromInfo(r, Info.DataInfoRec, false);
                r.DataStatus = state == companydata::kDataBroken ? 1 : 0;
            };
            fromFolder(rec);
            for (int j = 0; j < rec.Children.size(); ++j) {
                companydata::TDataListRec& child = rec.Children[j];
                fromFolder(child);
                child.Rec = rec.Rec;
                child.RowNo = j + 1;
                child.Gassan = companydata::kGassanBunsan;
            }
            SyncServerRow(rec);
            for (companydata::TDataListRec& child : rec.Children) {
                child.Rec = rec.Rec;
                SyncServerRow(child);
                List.Children.append(child);
            }
        }
    } else {
        List.Children = ListCtl.AllChildren;
    }
    List.ApplySearch();
}

void TServerSentakuBox::ShowList() { List.ShowList(*Grid); }

void TServerSentakuBox::RefreshList()
{
    LoadList(1);
    // The rebuild wrote the rows; read them back in the sort order.
    LoadList(0);
    ShowList();
}

bool TServerSentakuBox::HasDataRow() const
{
    const int row = Grid->Row();
    return Grid->RowCount() > 0 && row >= 0 && row < Grid->RowCount();
}

void TServerSentakuBox::SetFKeyCaptions()
{
    TServerFKeyState s;
    s.GridFocused = Grid->hasFocus() || !isVisible();
    s.DriveSet = !ShareRoot.isEmpty();
    s.HasRows = Grid->RowCount() > 0;
    s.HasCurrentRow = HasDataRow();
    s.CopyMarked = CopyMode == 1;
    if (s.HasCurrentRow) {
        const int row = Grid->Row();
        const companydata::TDataListRec rec = GetRowRec(row);
        s.Cloud = rec.Cloud == 1;
        s.Gassan = rec.Gassan;
        s.FreeArea = IsFreeAreaName(rec.EntText);
        s.InUse = Grid->CellInt(scShareValue, row) == 1;
        s.Broken = Grid->CellInt(scStatus, row) != 0;
    }
    s.GridEnabled = Grid->isEnabled();
    s.PanelEnabled = BottomPanel->isEnabled();
    const TServerFKeyResult r = ServerFKeyCaptions(s);
    KeyMode = r.KeyMode;
    if (r.Hint != shNone) {
        Grid->setToolTip(ServerGridHint(r.Hint));
        if (Grid->hasFocus() && HintMemo)
            ShowLongHint(Grid, HintMemo);
    }
    for (int k = 0; k < fkCount; ++k)
        Keys[k]->setText(r.Captions[k]);
    Keys[fkF12]->setEnabled(r.F12Enabled);
}

void TServerSentakuBox::RunKey(int key)
{
    if (IsBareCaption(key, Keys[key]->text()))
        return;
    switch (key) {
    case fkEsc: ESCClick(); return;
    case fkF12: F12Click(); return;
    case fkF1: core::OpenManualPage(QStringLiteral("kyoyudata.html")); return;
    case fkF2: CopyPaste(); break;
    case fkF4: AddArea(); break;
    case fkF5: DeleteData(true); break;
    case fkF8: PrintList(); break;
    default: return; // F3, F6 and F7 have no action here
    }
    Grid->setFocus();
    if (HasDataRow())
        emit Grid->cellGotFocus(std::max(Grid->Col(), 0), Grid->Row());
    SetFKeyCaptions();
}

void TServerSentakuBox::CancelCopy()
{
    if (CopyMode == 1 && !CopySource.isEmpty())
        SetDataStatus(CopySource, companydata::kDataNormal);
    CopyMode = 0;
    CopySource.clear();
}

void TServerSentakuBox::ESCClick()
{
    if (!BottomPanel->isEnabled())
        return;
    if (CopyMode == 1) {
        CancelCopy();
        SetFKeyCaptions();
        return;
    }
    done(core::mrCancel);
}

void TServerSentakuBox::F12Click()
{
    setResult(0);
    if (IsBareCaption(fkF12, Keys[fkF12]->text()) || !HasDataRow())
        return;
    const int row = GetParentRow(Grid->Row());
    if (row < 0 || Grid->CellInt(scGassan, Grid->Row()) == companydata::kGassanBunsan)
        return;
    const companydata::TDataListRec rec = GetRowRec(row);
    SelPath = rec.PasName;
    SelName = rec.EntText;
    auto info = [this](const QStringList& lines) {
        controls::TMessage2InfoRec box;
        controls::InitMessage2Info(2, box);
        for (int i = 0; i < lines.size() && i < int(box.Lines.size()); ++i)
            box.Lines[i].Text = lines.at(i);
        ShowBox2(box);
    };
    if (GetShareStatus(SelPath) == companydata::kShareTakenOut
        && (SelName == companydata::kFreeAreaName || SelName == companydata::kNewAreaName)) {
        info({QStringLiteral("この領域は、現在データが作成されている可能性があるため選択できません。")});
        return;
    }
    if (!QFileInfo(SelPath).isDir()) {
        info({QStringLiteral("共有サーバーが起動していない、接続が切断されている または 共有サーバー上のデータ領域が削除された可能性があります。"),
              QStringLiteral("共有サーバーが起動している場合は [更新]ボタンを押しデータリストの再作成を行って下さい。")});
        return;
    }
    if (companydata::HasChildren(rec.Gassan)) {
        const int index = Grid->CellInt(scRecIndex, row);
        for (const companydata::TDataListRec& child : List.Records.at(index).Children) {
            if (child.DataStatus != 1)
                continue;
            controls::TMessageInfoRec box;
            controls::InitMessageInfo(box);
            box.Kind = 1;
            box.Caption = QStringLiteral("選択データの状態");
            box.MainText = QStringLiteral("共有サーバー上のデータが破損しているため、共有データの取得を中止します。\r"
                                          "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。");
            box.Details = {QStringLiteral("【データフォルダ】"), QStringLiteral("　") + child.PasName, QString(),
                           QStringLiteral("【オペレータ】"), QString(), QStringLiteral("【オペレータ名】"), QString()};
            ShowDetailBox(box);
            return;
        }
    }
    done(core::mrOk);
}

void TServerSentakuBox::HeaderClick(int column)
{
    if (!List.HeaderClick(column))
        return;
    LoadList(0);
    ShowList();
    SetFKeyCaptions();
}

void TServerSentakuBox::btnListUpdateClick()
{
    if (ShareRoot.isEmpty())
        return;
    const bool searching = btnSearchCancel->isEnabled();
    const QString text = QStringLiteral("データリストの更新を行います。")
        + (searching ? QStringLiteral("検索実行中のため検索は解除されます。") : QString()) + QStringLiteral("\r")
        + QStringLiteral("よろしいですか？");
    if (core::showMessage(core::MessageKind::Confirmation, text, core::mbYesNo) != core::mrYes)
        return;
    controls::TxAnimeProgressDialog progress;
    progress.SetCaption(QStringLiteral("更新中"));
    progress.SetInfoLabel(QStringLiteral("データリストの更新中…"));
    const QString avi = QDir(core::SystemDef.ExeDir).filePath(QStringLiteral("progress.avi"));
    if (!core::SystemDef.ExeDir.isEmpty() && QFileInfo(avi).isFile())
        progress.SetAviFile(avi);
    progress.SetCancelBtnShow(true);
    progress.Show(this);
    try {
        if (searching) {
            ActiveKensaku = TDataKensakuRec{};
            List.Conditions = ActiveKensaku;
            btnSearchCancel->setEnabled(false);
        }
        RefreshList();
    } catch (...) {
        progress.Close();
        throw;
    }
    progress.Close();
    raise();
    activateWindow();
    SetFKeyCaptions();
}

void TServerSentakuBox::btnMountClick()
{
    // Network folders are mounted by the system and mapped to letters in the drive map; there
    // is no connection dialog to call.
    controls::TMessage2InfoRec box;
    controls::InitMessage2Info(2, box);
    box.Lines[0].Text = QStringLiteral("ネットワークドライブの割り当てAPIの呼び出しに失敗しました。\r"
                                       "OSの機能からネットワークドライブの割り当てを行って下さい。");
    ShowBox2(box);
}

void TServerSentakuBox::btnSearchClick()
{
    if (!KensakuBox)
        return;
    KensakuBox->ListType = 1;
    KensakuBox->KensakuRec = LoadedKensaku;
    KensakuBox->Prepare(1);
    if (KensakuBox->exec() != core::mrOk)
        return;
    LoadedKensaku = KensakuBox->KensakuRec;
    KensakuBox->UpdateRecord(LoadedKensaku);
    ActiveKensaku = LoadedKensaku;
    List.Conditions = ActiveKensaku;
    LoadList(0);
    ShowList();
    btnSearchCancel->setEnabled(true);
    SetFKeyCaptions();
}

void TServerSentakuBox::btnSearchCancelClick()
{
    ActiveKensaku = TDataKensakuRec{};
    List.Conditions = ActiveKensaku;
    LoadList(0);
    ShowList();
    btnSearchCancel->setEnabled(false);
    SetFKeyCaptions();
}

void TServerSentakuBox::cboxDataListUpdateClick()
{
    core::SystemDef.DataListAutoUpdate = cboxDataListUpdate->isChecked() ? 1 : 0;
}

bool TServerSentakuBox::GridKey(const QString& text, bool keypad)
{
    if (Grid->RowCount() == 0)
        return false;
    const QChar c = TIncSearch::KeyChar(text, keypad);
    if (c.isNull())
        return false;
    if (!IncSearch.AddKey(c))
        return true;
    txtIncSerch->move(Grid->x() + 4 + Grid->width() / 10, Grid->y() - 12);
    txtIncSerch->setText(IncSearch.Text);
    txtIncSerch->show();
    IncSerchTimer->start(IncSearch.Interval);
    return true;
}

void TServerSentakuBox::IncSearchTimerFired()
{
    if (Grid->hasFocus() || !isVisible())
        TDataSentakuList::FindCodeRow(*Grid, IncSearch.Text);
    IncSerchTimer->stop();
    IncSearch.Reset();
    txtIncSerch->clear();
    txtIncSerch->hide();
    SetFKeyCaptions();
}

bool TServerSentakuBox::PreviewKey(QKeyEvent* event)
{
    if (event->isAutoRepeat() || !isActiveWindow())
        return false;
    const int key = event->key();
    int fkey = -1;
    if (key == Qt::Key_Escape)
        fkey = fkEsc;
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F8)
        fkey = fkF1 + (key - Qt::Key_F1);
    else if (key == Qt::Key_F12)
        fkey = fkF12;
    if (fkey < 0 || (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (event->type() == QEvent::KeyPress) {
        pressedKeys_.insert(key);
        return true;
    }
    if (!pressedKeys_.remove(key))
        return false;
    controls::RunGuarded([this, fkey] { RunKey(fkey); });
    return true;
}

void TServerSentakuBox::showEvent(QShowEvent* event)
{
    controls::TBSDI::showEvent(event);
    if (event->spontaneous())
        return;
    if (!InitOK) {
        controls::CheckFormInitOK(*this);
        QTimer::singleShot(0, this, [this] { done(core::mrCancel); });
        return;
    }
    Grid->setFocus();
    SetFKeyCaptions();
}

bool TServerSentakuBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Grid && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        SetFKeyCaptions();
    return controls::TBSDI::eventFilter(watched, event);
}

void TServerSentakuBox::done(int result)
{
    CancelCopy();
    if (KensakuBox) {
        TDataKensakuRec sort = ActiveKensaku;
        sort.SORTCOL = SortColToStored(List.SortCol);
        sort.SORTTYPE = List.SortDesc ? 1 : 0;
        KensakuBox->UpdateRecordSortField(sort);
    }
    controls::TBSDI::done(result);
}

} // namespace selection
