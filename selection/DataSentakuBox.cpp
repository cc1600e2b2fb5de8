#include "selection/DataSentakuBox.h"

#include "controls/dialogs/Message2Info.h"
#include "controls/dialogs/MessageCatalogue.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "selection/DataPlaceBox.h"
#include "selection/DataSentakuLock.h"
#include "selection/DataSentakuState.h"
#include "selection/DataSyosaiInfoBox.h"
#include "selection/ServerSentakuBox.h"
#include "selection/WhichDataSetBox.h"
#include "communication/DataTusin.h"
#include "communication/TusinSettei.h"
#include "controls/chooser/TFileOperationBox.h"
#include "controls/chooser/TFileOperationBoxEx1.h"
#include "companydata/DataInfomation.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/dialogs/WindowKeyPreview.h"
#include "controls/grid/TxGrid.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/modules/ManualPage.h"
#include "core/modules/ModuleRegistry.h"
#include "core/fileops/FileOperations.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace selection {

namespace {

const QString kAppCloseSuffix = QStringLiteral("を終了します。よろしいですか？");
const QString kNoDataMessage = QStringLiteral("このフォルダには財務データがありません。\r");

// "Key=Value" lines → the value of the key (case-sensitive), or null when absent.
QString ValueOf(const QStringList& lines, const QString& key, bool* present = nullptr)
{
    const QString prefix = key + QLatin1Char('=');
    for (const QString& line : lines) {
        if (line.startsWith(prefix)) {
            if (present)
                *present = true;
            return line.mid(prefix.size());
        }
    }
    if (present)
        *present = false;
    return QString();
}

QString WithoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}

} // namespace

TDataSentakuParams ReadDataSentakuParams(const QStringList& lines)
{
    TDataSentakuParams p;
    bool present = false;
    bool ok = false;
    const int syori = ValueOf(lines, QStringLiteral("SyoriType"), &present).trimmed().toInt(&ok);
    if (present && ok && syori >= 0) {
        if (syori > 5)
            throw core::Exception(QStringLiteral("処理タイプに範囲外の値が設定されました。"));
        p.SyoriType = quint8(syori);
    }
    const QString style = ValueOf(lines, QStringLiteral("FormStyle"), &present).trimmed();
    if (present) {
        const int value = style.toInt(&ok);
        p.FormStyle = !ok ? fsStayOnTop : (value == 0 ? fsMdiChild : value == 1 ? fsMdiForm : value == 2 ? fsNormal : fsStayOnTop);
    }
    ValueOf(lines, QStringLiteral("JyokenSet"), &p.JyokenSet);
    if (p.JyokenSet) {
        TDataKensakuRec& k = p.Kensaku;
        k.JYOKENUSE = 1;
        k.DATATYPE = ValueOf(lines, QStringLiteral("DataType")).trimmed().toInt();
        k.CODETYPE = ValueOf(lines, QStringLiteral("CodeType")).trimmed().toInt();
        // A later version key replaces an earlier one.
        const std::pair<const char*, qint32> versionKeys[] = {
            {"DataVer", kVersionEqual}, {"DataVerMajor", kVersionMajor}, {"DataVerMore", kVersionAtLeast}};
        for (const auto& [key, mode] : versionKeys) {
            const QString value = ValueOf(lines, QString::fromLatin1(key), &present);
            if (present) {
                k.DATAVER = value.trimmed();
                k.VersionMode = mode;
            }
        }
        k.Yobi1.clear();
    }
    p.ManualFree = ValueOf(lines, QStringLiteral("ManualFree")) == QStringLiteral("1");
    if (p.SyoriType == 5) {
        p.OnlySAMode = ValueOf(lines, QStringLiteral("OnlySA_Syori")) == QStringLiteral("Restore") ? 1 : 0;
        p.OnlySABackupPath = ValueOf(lines, QStringLiteral("OnlySA_BackupPath"));
    }
    return p;
}

void RegisterDataSentakuModule()
{
    core::RegisterModuleForm(core::ModuleFormClass<TDataSentakuBox>(), QStringLiteral("VxDataSenkaku"));
}

TDataSentakuBox::TDataSentakuBox(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    RirekiSw = false;
    SkipOtherProcSw = false;
    FormSizeSw = false;
    AccInfoSw = false;
    ListCtl.LocationMode = core::ConnectMode;
    List.ConnectMode = core::ConnectMode;
    List.DataRoot = core::SystemDef.DataRoot;
    List.CloudShareMode = core::DM && (core::ConnectMode == 0 || core::ConnectMode == 1 || core::ConnectMode == 2)
        && core::DM->IsCloudShareMode(0);
    DataPlaceNo = core::SystemDef.ServerDataPlace;
    DataPlacePath = core::SystemDef.SYSDIR;
    // Mode 0 shows an unallowed state, mode 1 is silent; a folder without database passes.
    CheckDataState = [this](const QString& folder, int mode) {
        return IsAllowedDataState(selection::CheckDataState(*this, folder, false, mode == 0), core::ConnectMode);
    };
    ReadDataState = [this](const QString& folder) {
        const bool present = core::ConnectMode == 0 ? QFile::exists(QDir(folder).filePath(kDataFileName))
                                                    : ServerFileExists(folder) == core::FileState::Present;
        if (!present)
            return -1;
        companydata::TDataInfomation info;
        info.DataPlace = quint8(core::ConnectMode);
        companydata::TDataInfomationRec rec;
        info.ReadIni(folder, rec);
        return int(rec.Status);
    };
    SetDataStatus = [](const QString& folder, int state) {
        selection::SetDataStatus(folder, state);
        return true;
    };
    ShowBox2 = [](controls::TMessage2InfoRec& info) { return controls::ShowMessageBox2(info); };
    ShowDetailBox = [](const controls::TMessageInfoRec& info) { return controls::ShowMessageBox(info); };
    ShowPlaceBox = [](TDataPlaceBox& box) { return box.exec(); };
    ShowSyosaiBox = [](TDataSyosaiInfoBox& box) { return box.exec(); };
    ShowFolderBox = [](controls::TFileOperationBox& box) { return box.exec(); };
    ShowServerBox = [](TServerSentakuBox& box) { return box.exec(); };
    ShowWhichBox = [](TWhichDataSetBox& box) { return box.exec(); };
    ServerFileExists = [](const QString& folder) {
        return core::DM ? core::fileops::ServerFileState(*core::DM, folder + QStringLiteral("/qmacc.fdb"))
                        : core::FileState::Unknown;
    };
    buildControls();
    // Seen before the base form's keys, so that Esc and F12 go through this form's handlers.
    keyPreview_ = new controls::WindowKeyPreview(this, [this](QKeyEvent* e) { return PreviewKey(e); });
    switch (core::ConnectMode) {
    case 1: setWindowTitle(QStringLiteral("データ選択（サーバー）")); break;
    default: setWindowTitle(QStringLiteral("データ選択")); break;
    }
    List.SetupColumns(*Grid);
    InitOK = true;
}

TDataSentakuBox::~TDataSentakuBox() = default;

void TDataSentakuBox::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto button = [this](const QString& text, QLayout* into) {
        auto* b = new QPushButton(text, this);
        into->addWidget(b);
        return b;
    };
    btnKyoyuDataDown = button(QStringLiteral("共有取得"), top);
    btnKyoyuDataUp = button(QStringLiteral("共有保管"), top);
    btnCloudShare = button(QStringLiteral("ｸﾗｳﾄﾞ"), top);
    btnSearch = button(QStringLiteral("検索"), top);
    btnSearchCancel = button(QStringLiteral("検索解除"), top);
    btnDataInfo = button(QStringLiteral("情報"), top);
    btnListUpdate = button(QStringLiteral("更新"), top);
    cmbDataMan = new QComboBox(this);
    top->addWidget(cmbDataMan);
    btnDataMan = button(QStringLiteral("場所の設定"), top);
    // The data places belong to the client/server modes.
    cmbDataMan->setVisible(core::ConnectMode == 1 || core::ConnectMode == 2);
    btnDataMan->setVisible(core::ConnectMode == 1 || core::ConnectMode == 2);
    cmbDataMan->installEventFilter(this);
    cboxKyoyuDataAuto = new QCheckBox(QStringLiteral("共有データの取得と保管を自動化する"), this);
    top->addWidget(cboxKyoyuDataAuto);
    if (core::ConnectMode != 0) {
        btnKyoyuDataDown->hide();
        btnKyoyuDataUp->hide();
        cboxKyoyuDataAuto->hide();
    }
    layout->addLayout(top);
    Grid = new controls::TxGrid(this);
    Grid->installEventFilter(this);
    layout->addWidget(Grid);
    txtIncSerch = new QLineEdit(this);
    txtIncSerch->setMaxLength(TIncSearch::MaxLength);
    txtIncSerch->hide();
    IncSerchTimer = new QTimer(this);
    IncSerchTimer->setSingleShot(true);
    connect(IncSerchTimer, &QTimer::timeout, this, &TDataSentakuBox::IncSearchTimerFired);
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
        connect(Keys[k], &QPushButton::clicked, this, [this, k] { RunKey(k); });
    }
    layout->addWidget(BottomPanel);
    connect(btnSearch, &QPushButton::clicked, this, &TDataSentakuBox::SearchClick);
    connect(btnSearchCancel, &QPushButton::clicked, this, &TDataSentakuBox::SearchCancelClick);
    const auto guarded = [this](QAbstractButton* b, void (TDataSentakuBox::*handler)()) {
        connect(b, &QAbstractButton::clicked, this, [this, handler] { controls::RunGuarded([&] { (this->*handler)(); }); });
    };
    guarded(btnListUpdate, &TDataSentakuBox::btnListUpdateClick);
    guarded(btnDataInfo, &TDataSentakuBox::btnDataInfoClick);
    guarded(btnDataMan, &TDataSentakuBox::btnDataManClick);
    guarded(btnKyoyuDataDown, &TDataSentakuBox::btnKyoyuDataDownClick);
    guarded(btnKyoyuDataUp, &TDataSentakuBox::btnKyoyuDataUpClick);
    guarded(btnCloudShare, &TDataSentakuBox::btnCloudShareClick);
    guarded(cboxKyoyuDataAuto, &TDataSentakuBox::cboxKyoyuDataAutoClick);
    // Only a choice of the operator counts as a change (not the filling of the combo).
    connect(cmbDataMan, &QComboBox::activated, this, [this] { controls::RunGuarded([this] { cmbDataManChange(); }); });
    connect(Grid, &controls::TxGrid::cellClick, this, [this](int col, int row) {
        if (row == -1)
            HeaderClick(col);
        else if (col == colLockPic)
            DataLockClick(row);
    });
    connect(Grid, &controls::TxGrid::dblClick, this, [this](int, int row) {
        if (Grid->RowCount() > 0 && row >= 0 && row < Grid->RowCount())
            F12Click();
    });
    connect(Grid, &controls::TxGrid::cellGotFocus, this, [this](int, int) { SetFKeyCaptions(); });
    connect(Grid, &controls::TxGrid::keyDown, this, [this](QKeyEvent* e) {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            e->accept();
            if (Grid->RowCount() > 0 && Grid->Row() != controls::TxGrid::NoRow)
                F12Click();
            return;
        }
        if (GridKey(e->text(), e->modifiers() & Qt::KeypadModifier))
            e->accept();
    });
}

void TDataSentakuBox::SetModuleParams(const QStringList& params)
{
    Params = params;
    ModuleParams = ReadDataSentakuParams(params);
    SetSyoriType(ModuleParams.SyoriType);
    FormStyle = ModuleParams.FormStyle;
    KeepOnClose = ModuleParams.ManualFree;
    OnlySAMode = ModuleParams.OnlySAMode;
    OnlySABackupPath = ModuleParams.OnlySABackupPath;
    // MDI child and MDI form have no MDI frame here: both are normal windows.
    setWindowFlag(Qt::WindowStaysOnTopHint, FormStyle == fsStayOnTop);
}

void TDataSentakuBox::SetSyoriType(quint8 value)
{
    if (value > 5)
        throw core::Exception(QStringLiteral("処理タイプに範囲外の値が設定されました。"));
    SyoriType = value;
    List.SyoriType = value;
}

int TDataSentakuBox::RunModule(bool modal)
{
    if (!modal) {
        show();
        return 1;
    }
    if (core::HostMenuHook && core::HostMenuHook(10, QString()) > 0) {
        core::showMessage(core::MessageKind::Warning,
                          QStringLiteral("メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行してください。"),
                          core::mbYes);
        return -1;
    }
    if (!controls::CheckFormInitOK(*this))
        return -1;
    Prepare(1);
    return exec();
}

void TDataSentakuBox::Prepare(quint8 value)
{
    PrepareFlag = value;
    switch (SyoriType) {
    case 2:
        core::SystemDef.SelectionMessage.clear();
        btnCloudShare->hide();
        if (core::ConnectMode == 0) {
            SavedAutoShare = core::SystemDef.AutoShare;
            core::SystemDef.AutoShare = 0;
        }
        break;
    case 3:
    case 4: btnCloudShare->hide(); break;
    case 5: core::SystemDef.SelectionMessage.clear(); break;
    default: break;
    }
    InitList();
    FirstLayout = false;
}

void TDataSentakuBox::InitList()
{
    SetHints();
    if (core::ConnectMode == 1 || core::ConnectMode == 2)
        FillDataPlaces();
    // The operator's stored conditions of this list; without their condition flag only the
    // sort is kept.
    ActiveKensaku = TDataKensakuRec{};
    if (core::DM && core::DM->IBDatabaseDEF.connected()) {
        if (!KensakuBox)
            KensakuBox = std::make_unique<TDataListKensakuBox>(this);
        KensakuBox->ListType = 0;
        KensakuBox->InitKensakuRec(ActiveKensaku);
        KensakuBox->SelectRecord(ActiveKensaku);
        if (ActiveKensaku.JYOKENUSE != 1) {
            TDataKensakuRec sortOnly;
            KensakuBox->InitKensakuRec(sortOnly);
            sortOnly.SORTCOL = ActiveKensaku.SORTCOL;
            sortOnly.SORTTYPE = ActiveKensaku.SORTTYPE;
            ActiveKensaku = sortOnly;
        }
    }
    if (ModuleParams.JyokenSet) {
        TDataKensakuRec p = ModuleParams.Kensaku;
        p.SORTCOL = ActiveKensaku.SORTCOL;
        p.SORTTYPE = ActiveKensaku.SORTTYPE;
        ActiveKensaku = p;
    }
    btnSearchCancel->setEnabled(ActiveKensaku.JYOKENUSE == 1);
    List.Conditions = ActiveKensaku;
    List.SearchActive = btnSearchCancel->isEnabled();
    List.SortCol = SortColFromStored(ActiveKensaku.SORTCOL);
    List.Descending = ActiveKensaku.SORTTYPE == 1;
    if (LoadList() > 0)
        ShowList(-1);
    // A stand-alone registry without any named data set is filled from the data folders.
    if (core::ConnectMode == 0 && SyoriType == 0 && core::DM && ListCtl.IsDataListEmpty())
        DataListRefresh(*this, -1);
    cboxKyoyuDataAuto->blockSignals(true);
    cboxKyoyuDataAuto->setChecked(core::SystemDef.AutoShare != 0);
    cboxKyoyuDataAuto->blockSignals(false);
    OpenDataPath = core::SystemDef.DataFolder;
    EscPressed = false;
    SetFKeyCaptions();
}

int TDataSentakuBox::LoadList() { return List.LoadList(ListCtl, DataPlaceNo); }

void TDataSentakuBox::ShowList(int index) { List.ShowList(*Grid, index); }

void TDataSentakuBox::FillDataPlaces()
{
    if (!PlaceBox)
        PlaceBox = std::make_unique<TDataPlaceBox>(this);
    cmbDataMan->blockSignals(true);
    cmbDataMan->clear();
    cmbDataMan->addItems(PlaceBox->GetPlaceNames().split(QLatin1Char('\r'), Qt::SkipEmptyParts));
    int index = PlaceBox->IndexOfPlaceRec(DataPlaceNo);
    if (index < 0) {
        // A place that no longer exists: the standard place.
        DataPlaceNo = 0;
        index = std::max(0, PlaceBox->IndexOfPlaceRec(0));
    }
    cmbDataMan->setCurrentIndex(index);
    cmbDataMan->blockSignals(false);
    const qint32 rec = PlaceBox->GetPlaceRec(index);
    if (rec >= 0) {
        DataPlaceNo = rec;
        DataPlacePath = PlaceBox->GetPlacePath(index);
    }
}

void TDataSentakuBox::SearchClick()
{
    if (!KensakuBox)
        return;
    KensakuBox->KensakuRec = ActiveKensaku;
    KensakuBox->Prepare(0);
    if (KensakuBox->exec() != core::mrOk)
        return;
    ActiveKensaku = KensakuBox->KensakuRec;
    KensakuBox->UpdateRecord(ActiveKensaku);
    List.Conditions = ActiveKensaku;
    List.SearchActive = true;
    LoadList();
    ShowList(-1);
    btnSearchCancel->setEnabled(true);
    SetFKeyCaptions();
}

void TDataSentakuBox::SearchCancelClick()
{
    // Only the active conditions are cleared; the stored ones stay for the next opening.
    TDataKensakuRec cleared;
    cleared.SORTCOL = ActiveKensaku.SORTCOL;
    cleared.SORTTYPE = ActiveKensaku.SORTTYPE;
    ActiveKensaku = cleared;
    List.Conditions = cleared;
    List.SearchActive = false;
    LoadList();
    ShowList(-1);
    btnSearchCancel->setEnabled(false);
    SetFKeyCaptions();
}

void TDataSentakuBox::DataLockClick(int row)
{
    if ((core::ConnectMode != 1 && core::ConnectMode != 2) || row < 0 || row >= Grid->RowCount())
        return;
    companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    const QString folder = List.GetRowDataPath(*Grid, row);
    const int state = ReadDataState ? ReadDataState(folder) : -1;
    const qint32 lock = Grid->CellInt(colLock, row);
    const TDataLockAction action = DecideDataLock(state, lock, core::SystemDef.OPCODE, core::SystemDef.GROUPID);
    auto detailBox = [&](const QString& caption, const QString& text) {
        controls::TMessageInfoRec info;
        controls::InitMessageInfo(info);
        info.Kind = 1;
        info.Caption = caption;
        info.MainText = text;
        info.Details = DataLockDetailLines(folder, lock, core::SystemDef.OPNAME);
        ShowDetailBox(info);
    };
    qint32 newLock = lock;
    switch (action) {
    case dlNothing: return;
    case dlLockedByOther:
        detailBox(QStringLiteral("ロックデータの状態"),
                  QStringLiteral("このデータは違うオペレータによりロックされているため解除は行えません。"));
        return;
    case dlWrongState:
        detailBox(QStringLiteral("選択データの状態"),
                  QStringLiteral("このデータは%1のため処理が行えません。").arg(companydata::GetDataStatusName(state)));
        return;
    case dlLock:
        newLock = LockLoginCode(core::SystemDef.OPCODE, core::SystemDef.GROUPID);
        if (SetDataStatus && !SetDataStatus(folder, 3))
            return;
        break;
    case dlUnlock:
        newLock = 0;
        if (SetDataStatus && !SetDataStatus(folder, 1))
            return;
        break;
    }
    Grid->SetCellPicture(colLockPic, row, newLock != 0 ? List.LockPicture : List.BlankPicture);
    Grid->SetCellInt(colLock, row, newLock);
    rec.DataLock = newLock;
    const int parent = Grid->CellInt(colParent, row);
    if (parent >= 0 && parent < List.Records.size()) {
        companydata::TDataListRec& stored = rec.Gassan == companydata::kGassanBunsan
            ? List.Records[parent].Children[Grid->CellInt(colChild, row)]
            : static_cast<companydata::TDataListRec&>(List.Records[parent]);
        stored.DataLock = newLock;
    }
    if (rec.Gassan == companydata::kGassanBunsan)
        ListCtl.UpdateDataListChildRecord(rec, 1);
    else
        ListCtl.UpdateDataListRecord(rec, 0, 1);
}

void TDataSentakuBox::HeaderClick(int column)
{
    if (!List.HeaderClick(column))
        return;
    LoadList();
    ShowList(-1);
    SetFKeyCaptions();
}

int TDataSentakuBox::CheckDataFolder(const QString& path)
{
    const QString folder = core::TrimZenkaku(path);
    if (folder.isEmpty()) {
        if (SyoriType == 3)
            return -2;
        throw core::Exception(QStringLiteral("データフォルダパスが不正です。\r処理を中止します。"));
    }
    const bool dataFile = QFile::exists(QDir(folder).filePath(QStringLiteral("qmacc.fdb")));
    switch (core::ConnectMode) {
    case 0: {
        bool allowed = true;
        if (SyoriType == 0 || SyoriType == 1 || SyoriType == 3)
            allowed = CheckDataState(folder, 0);
        else if (SyoriType == 2 || SyoriType == 4)
            allowed = CheckDataState(folder, 1);
        if (allowed)
            return dataFile ? 1 : 0;
        return core::SystemDef.DataCheck == 1 ? -3 : -1;
    }
    case 1:
    case 2: {
        // A test that was refused or failed (reported) is no answer: the data set may be there.
        if (SyoriType == 2 || SyoriType == 4) {
            const core::FileState state = ServerFileExists(folder);
            return state == core::FileState::Unknown ? -1 : state == core::FileState::Present ? 1 : 0;
        }
        if (SyoriType == 5)
            return -1;
        if (!CheckDataState(folder, 0))
            return -1;
        const core::FileState state = ServerFileExists(folder);
        if (state == core::FileState::Present)
            return 1;
        if (state == core::FileState::Absent)
            core::showMessage(core::MessageKind::Warning, kNoDataMessage);
        return -1;
    }
    default:
        core::showMessage(core::MessageKind::Error, QStringLiteral("製品タイプ不整合のためデータを起動できませんでした。\r"));
        return -1;
    }
}

void TDataSentakuBox::MakeCurrent()
{
    core::SystemDef.DataFolder = SelPath;
    core::SystemDef.DataListFolder = SelPasName;
}

void TDataSentakuBox::ClearSelection()
{
    SelPath.clear();
    SelPasName.clear();
}

bool TDataSentakuBox::IsBare(int key) const { return IsBareCaption(key, Keys[key]->text()); }

void TDataSentakuBox::F12Click()
{
    setResult(0);
    core::SystemDef.DataCheck = 0;
    const int row = Grid->Row();
    if (IsBare(fkF12) || row < 0 || row >= Grid->RowCount())
        return;
    const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    SelPath = List.GetRowDataPath(*Grid, row);
    SelPasName = rec.PasName;
    if (SyoriType == 2 || SyoriType == 4) {
        if (SelPath.compare(core::SystemDef.DataFolder, Qt::CaseInsensitive) == 0) {
            core::showMessage(core::MessageKind::Information,
                              QStringLiteral("このデータは現在選択中のデータです。\r他の場所を選んで下さい。"));
            return;
        }
        const int r = CheckDataFolder(SelPath);
        if (r < 0) {
            ClearSelection();
            return;
        }
        if (r == 1) {
            core::showMessage(core::MessageKind::Information,
                              QStringLiteral("選択したパスには既にデータが存在します。\r他の場所を選んで下さい。"));
            return;
        }
        if (SyoriType == 2 && core::ConnectMode == 0
            && core::SystemDef.DataFolder.compare(core::SystemDef.DataListFolder, Qt::CaseInsensitive) != 0
            && SelPath.compare(WithoutTrailingSeparator(SelPasName), Qt::CaseInsensitive) == 0) {
            controls::TMessage2InfoRec info;
            controls::InitMessage2Info(3, info);
            info.Buttons = core::mbOKCancel;
            const char* lines[] = {"更新前データは共有データ領域で管理されています。",
                                   "今回指定した保存先では他のオペレータとデータが共有できません。",
                                   "共有の必要がなければこのメッセージを[OK]してください。",
                                   "共有する必要がある場合は[キャンセル]し、データ選択画面右上の「共有取得」ボタン",
                                   "より、共有データ領域をお選びください。"};
            for (int i = 0; i < 5; ++i)
                info.Lines[i].Text = QString::fromUtf8(lines[i]);
            if (ShowBox2(info) != core::mrOk)
                return;
        }
        core::SystemDef.SelectionMessage = QStringLiteral("PATH1=%1\rPATH2=%2").arg(SelPath, SelPasName);
        done(core::mrOk);
        return;
    }
    if (ShareStateOf(rec) == 1 && core::SystemDef.AutoShare == 0) {
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("このデータは共有サーバーに保管されています。\r共有取得を実行してから選択して下さい。"));
        return;
    }
    int r;
    try {
        r = CheckDataFolder(SelPath);
    } catch (const std::exception&) {
        QVariant accepted;
        if (core::DataCheckHook)
            core::DataCheckHook(core::SystemDef.HOSTNAME, SelPath, 1, accepted);
        r = accepted.toInt() != 0 ? -1 : -3;
    }
    if (r < 0) {
        ClearSelection();
        const bool childRow = rec.Gassan == companydata::kGassanBunsan;
        DataListRefresh(*this, row);
        if (childRow && row < Grid->RowCount())
            Grid->SetRow(row);
        if (r == -3) {
            Grid->SetCellInt(colStatus, row, 1);
            Grid->SetRowBackColor(row, QColor::fromRgb(kBrokenBackRgb));
        }
        return;
    }
    if (SyoriType == 5) {
        ChooseOnlySA(row, r);
        return;
    }
    if (r == 0) {
        QDir().mkpath(SelPath);
        if (core::showMessage(core::MessageKind::Confirmation,
                              QStringLiteral("選択したパスにはデータが存在しません。\r新規にデータを作成しますか？"),
                              core::mbYesNo) != core::mrYes)
            return;
        // Only data that was really created is chosen.
        if (NewData() != 1)
            return;
        MakeCurrent();
        done(core::mrOk);
        return;
    }
    if ((SyoriType == 0 || SyoriType == 1) && List.CheckUpdateMark(*Grid, row, false)) {
        controls::TMessage2InfoRec info;
        controls::ApplyMessageCatalogue(4113, info);
        ShowBox2(info);
        return;
    }
    MakeCurrent();
    done(core::mrOk);
}

// SyoriType 5, the local half of take-out and bring-back: r is the folder check of the chosen
// row (0 no data, 1 data). The chosen row is current only while the restore or save runs;
// when that fails the previous data set is current again, so that the session never points
// at a folder the work did not fill.
void TDataSentakuBox::ChooseOnlySA(int row, int r)
{
    const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    if (r == 0 && OnlySAMode == 0) {
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("この場所にはデータがありません。他の場所を選んで下さい。"));
        return;
    }
    if (r == 1 && List.CloudShareMode && rec.Cloud) {
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("クラウドシェアデータのため選択できません。他の場所を選んで下さい。"));
        return;
    }
    const QString previousFolder = core::SystemDef.DataFolder;
    const QString previousListFolder = core::SystemDef.DataListFolder;
    MakeCurrent();
    bool finished = false;
    if (AutoFetchShared(row) == 1) {
        if (OnlySAMode == 1)
            finished = RestoreData(OnlySABackupPath) != -1;
        else
            finished = SaveData(OnlySABackupPath) == 1 && AutoStoreShared(row) == 1;
    } else {
        ClearSelection();
    }
    if (!finished) {
        core::SystemDef.DataFolder = previousFolder;
        core::SystemDef.DataListFolder = previousListFolder;
        return;
    }
    done(core::mrOk);
}

void TDataSentakuBox::ESCClick()
{
    if (!BottomPanel->isEnabled() || IsBare(fkEsc))
        return;
    if (PastePending) {
        CancelCopy();
        SetFKeyCaptions();
        return;
    }
    EscPressed = true;
    done(core::mrCancel);
}

bool TDataSentakuBox::FormCloseQuery(int& result)
{
    bool allowed = true;
    if ((SyoriType == 1 || SyoriType == 3) && result != core::mrOk) {
        if (SyoriType == 1 && result == core::mrCancel && !EscPressed) {
            result = 3;
            controls::TMessage2InfoRec info;
            controls::InitMessage2Info(3, info);
            info.Buttons = core::mbOKCancel;
            info.Lines[0].Text = core::SystemDef.AppName + kAppCloseSuffix;
            if (ShowBox2(info) != core::mrOk) {
                result = 0;
                allowed = false;
            }
        } else {
            SelPath = WithoutTrailingSeparator(OpenDataPath);
            SelPasName.clear();
            int r = -1;
            try {
                r = CheckDataFolder(SelPath);
            } catch (const core::Exception& e) {
                core::showMessage(core::MessageKind::Error, e.message());
                r = -1;
            }
            if (r < 0) {
                SelPath.clear();
                if (SyoriType == 1)
                    result = 0;
            } else if (r == 0) {
                core::showMessage(core::MessageKind::Information, QStringLiteral("前回、選択したデータは削除されています。\r"));
                SelPath.clear();
                if (SyoriType == 1)
                    result = 0;
            } else {
                core::SystemDef.DataFolder = SelPath;
                core::SystemDef.DataListFolder.clear();
            }
            if (result == 0)
                allowed = false;
        }
    }
    if (SyoriType == 2 && core::DM && !core::DM->IBDatabaseDAT.connected() && !core::SystemDef.DataFolder.isEmpty())
        core::DM->fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0);
    if (!allowed)
        EscPressed = false;
    return allowed;
}

void TDataSentakuBox::done(int result)
{
    int r = result;
    if (!FormCloseQuery(r))
        return;
    CancelCopy();
    if (KensakuBox) {
        TDataKensakuRec sort = ActiveKensaku;
        sort.SORTCOL = SortColToStored(List.SortCol);
        sort.SORTTYPE = List.Descending ? 1 : 0;
        KensakuBox->UpdateRecordSortField(sort);
    }
    if (SyoriType != 5) {
        core::SystemDef.ServerDataPlace = (core::ConnectMode == 1 || core::ConnectMode == 2) ? DataPlaceNo : 0;
        if (SyoriType == 2) {
            if (core::ConnectMode == 0)
                core::SystemDef.AutoShare = SavedAutoShare;
        } else if (core::DM && core::DM->IBDatabaseDEF.connected()) {
            core::DM->fnPutSysDef();
        }
    }
    controls::TBSDI::done(r);
}

void TDataSentakuBox::RunKey(int key)
{
    if (IsBare(key))
        return;
    const bool standAlone = core::ConnectMode != 1 && core::ConnectMode != 2;
    const int row = Grid->Row();
    const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    switch (key) {
    case fkEsc: ESCClick(); return;
    case fkF12: F12Click(); return;
    case fkF1:
        core::OpenManualPage(QStringLiteral("file01.html"));
        SetFKeyCaptions();
        return;
    case fkF2: CopyPaste(); break;
    case fkF3:
        if (standAlone && rec.Gassan == companydata::kGassanGassan)
            AddBunsanData();
        else if (!standAlone && !rec.EntText.isEmpty())
            TakeOutBringBack();
        else
            NewData();
        break;
    case fkF4:
        if (standAlone)
            UnassignSharedData();
        else
            AddArea();
        SetFKeyCaptions();
        return;
    case fkF5: DeleteData(true); break;
    case fkF6: SaveData(QString()); break;
    case fkF7: RestoreData(QString()); break;
    case fkF8: PrintList(); break;
    default: return;
    }
    // After an operation the grid has the focus again and the captions follow its row.
    Grid->setFocus();
    SetFKeyCaptions();
}

bool TDataSentakuBox::PreviewKey(QKeyEvent* event)
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
    // Keys act on their release, and only keys pressed while the form was up.
    if (event->type() == QEvent::KeyPress) {
        pressedKeys_.insert(key);
        return true;
    }
    if (!pressedKeys_.remove(key))
        return false;
    RunKey(fkey);
    return true;
}

void TDataSentakuBox::showEvent(QShowEvent* event)
{
    controls::TBSDI::showEvent(event);
    if (event->spontaneous())
        return;
    if (!InitOK) {
        controls::CheckFormInitOK(*this);
        QTimer::singleShot(0, this, [this] { done(core::mrCancel); });
        return;
    }
    FocusCurrentData();
    Grid->setFocus();
}

bool TDataSentakuBox::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the data-place combo lists the chosen place; a focus lost to another window or
    // to the combo's own popup is no leaving.
    if (watched == cmbDataMan && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            controls::RunGuarded([this] { cmbDataManExit(); });
    }
    if (watched == Grid && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        SetFKeyCaptions();
    return controls::TBSDI::eventFilter(watched, event);
}

bool TDataSentakuBox::GridKey(const QString& text, bool keypad)
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

void TDataSentakuBox::IncSearchTimerFired()
{
    if (Grid->hasFocus() || !isVisible())
        TDataSentakuList::FindCodeRow(*Grid, IncSearch.Text);
    IncSerchTimer->stop();
    IncSearch.Reset();
    txtIncSerch->clear();
    txtIncSerch->hide();
    SetFKeyCaptions();
}

void TDataSentakuBox::SetFKeyCaptions()
{
    TFKeyState s;
    s.ConnectMode = core::ConnectMode;
    s.SyoriType = SyoriType;
    // Before the form is shown the grid counts as focused: it gets the focus on show.
    s.GridFocused = Grid->hasFocus() || !isVisible();
    const int row = Grid->Row();
    s.HasCurrentRow = row >= 0 && row < Grid->RowCount();
    s.PastePending = PastePending;
    if (s.HasCurrentRow) {
        const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
        s.Row.HasName = !rec.EntText.isEmpty();
        s.Row.EntText = rec.EntText;
        s.Row.Shared = ShareStateOf(rec) != 0;
        s.Row.Fetched = ShareStateOf(rec) == 2;
        s.Row.Gassan = rec.Gassan;
        const int parent = Grid->CellInt(colParent, row);
        s.Row.ParentGassan = parent >= 0 && parent < List.Records.size() ? List.Records.at(parent).Gassan : rec.Gassan;
        s.Row.HasCloudLine = rec.Cloud != 0;
        s.Row.Broken = Grid->CellInt(colStatus, row) != 0;
        s.Row.VerMajor = rec.VerMajor;
    }
    s.CloudShareMode = List.CloudShareMode;
    s.AutoShareBoxVisible = !cboxKyoyuDataAuto->isHidden();
    s.AutoShareBoxChecked = cboxKyoyuDataAuto->isChecked();
    s.AutoShareSwitch = core::SystemDef.AutoShare != 0;
    s.GridEnabled = Grid->isEnabled();
    s.PanelEnabled = BottomPanel->isEnabled();
    s.FetchEnabled = btnKyoyuDataDown->isEnabled();
    s.StoreEnabled = btnKyoyuDataUp->isEnabled();
    s.CloudEnabled = btnCloudShare->isEnabled();
    const TFKeyResult r = selection::SetFKeyCaptions(s);
    KeyState = r.KeyState;
    if (r.SetHints)
        SetHints();
    Grid->setToolTip(r.PasteHint ? PasteGridHint() : GridHintFor());
    btnKyoyuDataDown->setEnabled(r.FetchEnabled);
    btnKyoyuDataUp->setEnabled(r.StoreEnabled);
    btnCloudShare->setEnabled(r.CloudEnabled);
    if (!r.SearchEnabled) {
        btnSearch->setEnabled(false);
        btnSearchCancel->setEnabled(false);
    }
    for (int k = 0; k < fkCount; ++k)
        Keys[k]->setText(r.Captions[k]);
}

QString TDataSentakuBox::GridHintFor() const
{
    const QString head = QStringLiteral("［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。|");
    const QString select = QStringLiteral("［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。\r\n");
    const QString empty = QStringLiteral("［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で空いている行を選択します。\r\n");
    const QString create = QStringLiteral("空白行は選択できません。［F3］で新規にﾃﾞｰﾀを作成するか、又は［F7］で作成済みのﾃﾞｰﾀを復元してください。\r\n");
    const QString restore = QStringLiteral("［F7］で作成済みのﾃﾞｰﾀを復元してください。\r\n");
    const QString save0 = QStringLiteral("選択ﾃﾞｰﾀを削除する場合は［F5］、ﾌﾗｯｼｭﾒﾓﾘなどのﾒﾃﾞｨｱに保存する場合は［F6］を押します。\r\n"
                                         "共有ﾃﾞｰﾀを処理する場合は［共有取得］、取得した共有ﾃﾞｰﾀを他のｵﾍﾟﾚｰﾀが使えるようにする場合は［共有保管］をｸﾘｯｸします。");
    const QString save2 = QStringLiteral("選択ﾃﾞｰﾀを削除する場合は［F5］を、ﾌﾗｯｼｭﾒﾓﾘなどのﾒﾃﾞｨｱに保存する場合は［F6］を押します。");
    if (SyoriType == 4)
        return head + empty;
    switch (core::ConnectMode) {
    case 0: return head + select + (SyoriType == 2 ? restore : create) + save0;
    case 1: return head + (SyoriType == 2 ? select : select + QStringLiteral("空白行は選択できません。"));
    case 2: return head + select + (SyoriType == 2 ? restore : create) + save2;
    default: return head;
    }
}

void TDataSentakuBox::SetHints()
{
    cboxKyoyuDataAuto->setToolTip(QStringLiteral(
        "ﾁｪｯｸを入れると取得・保管ﾎﾞﾀﾝを使わずに共有ﾃﾞｰﾀを処理できます。空白行に共有ﾃﾞｰﾀを割り当てる場合やLANから切り離してﾃﾞｰﾀ持ち出す場合はﾁｪｯｸを外してください。|"));
    btnKyoyuDataUp->setToolTip(QStringLiteral("選択した共有ﾃﾞｰﾀを他のPCで使用可能にします。保管を行うと［共有］欄にｱｲｺﾝが付きます。|"));
    btnKyoyuDataDown->setToolTip(QStringLiteral(
        "空白行を選択してｸﾘｯｸすると［共有ﾃﾞｰﾀの選択］画面が開きます。共有ﾃﾞｰﾀ行を選択してｸﾘｯｸすると選択可能になります。（［共有］欄のｱｲｺﾝが外れます。）|"));
    btnSearchCancel->setToolTip(QStringLiteral("検索状態を解除します。|"));
    btnDataInfo->setToolTip(QStringLiteral(
        "「ﾃﾞｰﾀの詳細情報」画面を開きます。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。|"
        "「ﾃﾞｰﾀの詳細情報」画面を開きます。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。\r\n"
        "ﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名を変更することも可能です。"));
    btnSearch->setToolTip(QStringLiteral("［検索条件の設定］画面を開きます。一定条件に該当するﾃﾞｰﾀを抽出表示する場合に使用します。|"));
    btnListUpdate->setToolTip(QStringLiteral(
        "ﾃﾞｰﾀﾘｽﾄを更新します。［F5：ﾃﾞｰﾀ削除］や［F7：復元］などの機能を使わずに移行したﾃﾞｰﾀを再表示します。|"
        "ﾃﾞｰﾀﾘｽﾄを更新します。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。\r\n"
        "ﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名を変更することも可能です。"));
    cmbDataMan->setToolTip(QStringLiteral("データの場所を選択します。|データの場所をドロップダウンリストより選択します。"
                                          "選択された場所のデータリストが表示されます。"));
    btnDataMan->setToolTip(QStringLiteral("データの場所を設定します。|データの場所を設定する画面が開きます。"));
    if (SyoriType != 5)
        GridHint = GridHintFor();
}

} // namespace selection
