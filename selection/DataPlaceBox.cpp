// The dialog "データの場所の設定": the grid of the places, naming, renaming, removing and
// ordering them; every change is stored at once.
#include "selection/DataPlaceBox.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/dialogs/TInputDlgBox.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>

namespace selection {

using controls::TxPlButton;

namespace {

constexpr int kColNo = 0;
constexpr int kColName = 1;
constexpr int kColPath = 2;
constexpr int kNameMaxChars = 20;

QString gridHint() {
    QString hint = QStringLiteral(
        "データ管理フォルダの情報を管理します。|[F2]で新規作成、[F3]で名称変更、[F5]で削除します。（例外：\"ﾄﾞﾗｲﾌﾞ:\\TALLEKZAIMU\\DATA\"行の削除は禁止）\r\n[上へ][下へ]でリストの並べ替えが行えます。");
    if (core::EditionFlag == 1 || core::EditionFlag == 2)
        hint.replace(QStringLiteral("\\TALLEKZAIMU\\DATA"), core::AppInfo.ServerDir.toUpper(), Qt::CaseInsensitive);
    return hint;
}

TxPlButton* keyButton(QWidget* parent, const QString& caption, int x, int y) {
    auto* button = new TxPlButton(parent);
    button->CaptionA().SetCaption(caption);
    button->setGeometry(x, y, 90, 26);
    return button;
}

void information(const QString& text) {
    core::showMessage(core::MessageKind::Information, text, core::mbOK);
}

} // namespace

TDataPlaceBox::TDataPlaceBox(QWidget* owner) : controls::TBSDI(owner) {
    setWindowTitle(QStringLiteral("データの場所の設定"));
    KeepOnClose = true; // closing only hides: the data selection keeps this instance
    resize(640, 420);

    PerfectGrid1 = new controls::TxGrid(this);
    PerfectGrid1->setGeometry(8, 8, 520, 300);
    PerfectGrid1->SetCols(3);
    const struct {
        int col;
        const char16_t* title;
        int width;
        Qt::Alignment align;
    } columns[] = {{kColNo, u"No", 40, Qt::AlignRight},
                   {kColName, u"名称", 230, Qt::AlignLeft},
                   {kColPath, u"フォルダパス", 230, Qt::AlignLeft}};
    for (const auto& c : columns) {
        PerfectGrid1->SetCells(c.col, -1, QString::fromUtf16(c.title));
        PerfectGrid1->SetColWidth(c.col, c.width);
        PerfectGrid1->SetColAlignment(c.col, c.align);
        PerfectGrid1->SetHeaderAlignment(c.col, Qt::AlignHCenter);
    }
    PerfectGrid1->setToolTip(gridHint());
    SetGridColors(*PerfectGrid1, 1);

    F1 = keyButton(this, QStringLiteral("F1:"), 536, 8);
    F1->hide();
    F2 = keyButton(this, QStringLiteral("F2:"), 536, 40);
    F3 = keyButton(this, QStringLiteral("F3:"), 536, 72);
    F5 = keyButton(this, QStringLiteral("F5:"), 536, 104);
    F6 = keyButton(this, QStringLiteral("上へ"), 536, 200);
    F7 = keyButton(this, QStringLiteral("下へ"), 536, 232);
    F2->OnClick = [this](QObject*) { controls::RunGuarded([this] { F2Click(); }); };
    F3->OnClick = [this](QObject*) { controls::RunGuarded([this] { F3Click(); }); };
    F5->OnClick = [this](QObject*) { controls::RunGuarded([this] { F5Click(); }); };
    F6->OnClick = [this](QObject*) { controls::RunGuarded([this] { MoveUpClick(); }); };
    F7->OnClick = [this](QObject*) { controls::RunGuarded([this] { MoveDownClick(); }); };

    btnOK = keyButton(this, QStringLiteral("閉じる"), 536, 316);
    btnOK->SetModalResult(core::mrOk);
    btnOK->setToolTip(QStringLiteral("内容を登録して画面を閉じます。|内容を登録して画面を閉じます。"));
    btnCancel = keyButton(this, QString(), 536, 348);
    btnCancel->SetModalResult(core::mrCancel);
    btnCancel->setToolTip(QStringLiteral("画面を閉じます。|画面を閉じます。"));
    btnCancel->hide();

    HintMemo = new QPlainTextEdit(this);
    HintMemo->setReadOnly(true);
    HintMemo->setGeometry(8, 316, 520, 60);

    connect(PerfectGrid1, &controls::TxGrid::cellGotFocus, this, [this](int, int) { SetFKeyCaptions(); });

    DirExists = [](const QString& path) { return core::fileops::DExist(core::RequireDM(), path, core::ConnectMode); };
    MakeDir = [](const QString& path) { return core::fileops::MkDir(core::RequireDM(), path, core::ConnectMode); };
    InitOK = true;
}

TDataPlaceBox::~TDataPlaceBox() = default;

void TDataPlaceBox::Prepare(int /*flag*/) {
    ReadPlaces(false);
    fillGrid();
    int row = IndexOfPlaceRec(core::SystemDef.ServerDataPlace);
    setCurrentRow(row < 0 ? 0 : row);
    SetFKeyCaptions();
    FirstLayout = false;
}

bool TDataPlaceBox::ReadPlaces(bool onlyNamed) {
    return ReadDataPlaces(core::RequireDM(), onlyNamed, PlaceList);
}

QString TDataPlaceBox::GetPlaceNames() {
    ReadPlaces(true);
    QString names;
    for (const TDataPlaceRec& place : std::as_const(PlaceList))
        names += place.NAME + u'\r';
    return names;
}

qint32 TDataPlaceBox::GetPlaceRec(int index) const {
    return index >= 0 && index < PlaceList.size() ? PlaceList[index].REC : -1;
}

QString TDataPlaceBox::GetPlacePath(int index) const {
    return index >= 0 && index < PlaceList.size() ? PlaceList[index].PATH : QString();
}

int TDataPlaceBox::IndexOfPlaceRec(qint32 rec) const {
    for (int i = 0; i < PlaceList.size(); ++i) {
        if (PlaceList[i].REC == rec)
            return i;
    }
    return -1;
}

QString TDataPlaceBox::GetPlacePathByRec(qint32 rec) const {
    return GetPlacePath(IndexOfPlaceRec(rec));
}

void TDataPlaceBox::SavePlaces() {
    SaveDataPlaces(core::RequireDM(), PlaceList, core::AppInfo.DataListCnt);
}

void TDataPlaceBox::fillGrid() {
    PerfectGrid1->SetRowCount(0);
    PerfectGrid1->SetRowCount(int(PlaceList.size()));
    for (int row = 0; row < PlaceList.size(); ++row) {
        const TDataPlaceRec& place = PlaceList[row];
        PerfectGrid1->SetRowValue(row, place.REC);
        PerfectGrid1->SetCellInt(kColNo, row, row + 1);
        PerfectGrid1->SetCells(kColName, row, place.NAME);
        PerfectGrid1->SetCells(kColPath, row, place.PATH);
    }
}

int TDataPlaceBox::currentRow() const {
    const int row = PerfectGrid1->Row();
    return row >= 0 && row < PlaceList.size() ? row : -1;
}

void TDataPlaceBox::setCurrentRow(int row) {
    if (row >= 0 && row < PerfectGrid1->RowCount())
        PerfectGrid1->SetCurrentCell(kColName, row);
}

void TDataPlaceBox::SetFKeyCaptions() {
    const TDataPlaceKeys keys = DataPlaceKeyCaptions(PlaceList, currentRow());
    F1->CaptionA().SetCaption(QStringLiteral("F1:"));
    F2->CaptionA().SetCaption(keys.F2);
    F3->CaptionA().SetCaption(keys.F3);
    F5->CaptionA().SetCaption(keys.F5);
    F6->setEnabled(keys.UpEnabled);
    F7->setEnabled(keys.DownEnabled);
}

bool TDataPlaceBox::askName(const QString& caption, const QString& prompt, const QString& hint, QString& value) {
    if (AskName)
        return AskName(caption, prompt, hint, value);
    controls::TInputDlgBox box(this);
    box.InputMode = 0;
    box.Title = caption;
    box.Message = prompt;
    box.Value = value;
    box.InputHint = hint;
    box.MaxLen = kNameMaxChars * 2; // the byte limit of 20 double-byte characters
    box.InputImeMode = controls::imHira;
    box.SetInputCharKind(0);
    box.Prepare(1);
    if (controls::ShowFormModal(box) != core::mrOk)
        return false;
    value = box.Value;
    return true;
}

void TDataPlaceBox::nameChanged(int row, const QString& name, qint32 changeKind) {
    PerfectGrid1->SetCells(kColName, row, name);
    PlaceList[row].NAME = name;
    PlaceList[row].ChangeKind = changeKind;
    SavePlaces();
    SetFKeyCaptions();
}

void TDataPlaceBox::F2Click() {
    const int row = currentRow();
    if (F2->CaptionA().Caption() == QStringLiteral("F2:") || row < 0)
        return;
    QString value;
    if (!askName(QStringLiteral("新規作成"), QStringLiteral("新しく作成するデータ管理フォルダの名称を入力して下さい。"),
                 QStringLiteral("新しく作成するデータ管理フォルダの名称を入力します。"), value))
        return;
    const QString name = core::TrimZenkaku(value).left(kNameMaxChars);
    if (name.isEmpty()) {
        information(QStringLiteral("名称が入力されていません。"));
        return;
    }
    const QString folder = PerfectGrid1->Cells(kColPath, row);
    if (DirExists(folder)) {
        information(QStringLiteral("既にデータサーバーにフォルダが作成されています。"));
    } else if (!MakeDir(folder)) {
        information(QStringLiteral("データサーバーへフォルダの作成に失敗しました。"));
        return;
    }
    nameChanged(row, name, kPlaceNamed);
}

void TDataPlaceBox::F3Click() {
    const int row = currentRow();
    if (F3->CaptionA().Caption() == QStringLiteral("F3:") || row < 0)
        return;
    QString value = PlaceList[row].NAME;
    if (!askName(QStringLiteral("名称の変更"), QStringLiteral("データ管理フォルダの名称を入力して下さい。"),
                 QStringLiteral("データ管理フォルダの管理名称を変更します。"), value))
        return;
    const QString name = core::TrimZenkaku(value).left(kNameMaxChars);
    if (name.isEmpty()) {
        information(QStringLiteral("名称が入力されていません。"));
        return;
    }
    nameChanged(row, name, kPlaceChanged);
}

void TDataPlaceBox::F5Click() {
    const int row = currentRow();
    if (F5->CaptionA().Caption() == QStringLiteral("F5:") || row < 0 || PlaceList[row].REC == 0)
        return;
    if (IsDataPlaceInUse(core::RequireDM(), PlaceList[row].REC, DirExists)) {
        information(QStringLiteral("このフォルダ配下には会計データが存在しているため削除することが出来ません。\r"
                                   "どうしても削除を行いたい場合は、配下の会計データをすべて削除してから処理して下さい。"));
        return;
    }
    const QString question = QStringLiteral("[") + PlaceList[row].NAME + QStringLiteral("]を削除します。よろしいですか？");
    if (core::showMessage(core::MessageKind::Confirmation, question, core::mbOKCancel) != core::mrOk)
        return;
    // The folder itself stays on the server.
    nameChanged(row, QString(), kPlaceRemoved);
}

void TDataPlaceBox::MoveUpClick() {
    const int row = currentRow();
    if (!MoveDataPlace(PlaceList, row, -1))
        return;
    PerfectGrid1->MoveRow(row, row - 1);
    for (int i = 0; i < PlaceList.size(); ++i)
        PerfectGrid1->SetCellInt(kColNo, i, i + 1);
    setCurrentRow(row - 1);
    SavePlaces();
    SetFKeyCaptions();
}

void TDataPlaceBox::MoveDownClick() {
    const int row = currentRow();
    if (!MoveDataPlace(PlaceList, row, +1))
        return;
    PerfectGrid1->MoveRow(row, row + 1);
    for (int i = 0; i < PlaceList.size(); ++i)
        PerfectGrid1->SetCellInt(kColNo, i, i + 1);
    setCurrentRow(row + 1);
    SavePlaces();
    SetFKeyCaptions();
}

void TDataPlaceBox::showEvent(QShowEvent* event) {
    controls::TBSDI::showEvent(event);
    if (!InitOK) {
        core::showMessage(core::MessageKind::Error, controls::InitFailedMessage(windowTitle()), core::mbYes);
        QTimer::singleShot(0, this, [this] { Close(); });
        return;
    }
    PerfectGrid1->setFocus();
}

void TDataPlaceBox::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F1:
        event->accept();
        return; // no help behind this key
    case Qt::Key_F2:
        controls::RunGuarded([this] { F2Click(); });
        event->accept();
        return;
    case Qt::Key_F3:
        controls::RunGuarded([this] { F3Click(); });
        event->accept();
        return;
    case Qt::Key_F5:
        controls::RunGuarded([this] { F5Click(); });
        event->accept();
        return;
    case Qt::Key_F4:
    case Qt::Key_F6:
    case Qt::Key_F7:
    case Qt::Key_F8:
    case Qt::Key_F12:
        event->accept(); // the order buttons work by mouse only
        return;
    default:
        controls::TBSDI::keyReleaseEvent(event);
    }
}

} // namespace selection
