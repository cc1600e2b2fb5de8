// The list actions of the data-selection dialog that change no data set: the button "更新",
// the data places of the client/server modes, the focus on the current data set and the
// auto-share box.
#include "selection/DataSentakuBox.h"

#include "controls/dialogs/Message2Info.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/ui/MessageService.h"
#include "selection/DataPlaceBox.h"
#include "selection/DataSentakuState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include <algorithm>

namespace selection {

namespace {

// Rows shown above the current data set when the form opens.
constexpr int kRowsAboveCurrent = 6;

// The folder as the folder column shows it, upper case for the comparison.
QString FolderColumnKey(const QString& pasName, const QString& dataRoot)
{
    QString folder = pasName;
    if (!dataRoot.isEmpty())
        folder.replace(dataRoot, QStringLiteral("~"), Qt::CaseInsensitive);
    return folder.toUpper();
}

} // namespace

void TDataSentakuBox::btnListUpdateClick()
{
    if (!Grid->isEnabled()) {
        controls::TMessage2InfoRec info;
        controls::InitMessage2Info(2, info);
        info.Lines[0].Text = QStringLiteral("データリストが応答状態ではないので処理は行えません。");
        ShowBox2(info);
        return;
    }
    if (core::showMessage(core::MessageKind::Confirmation,
                          QStringLiteral("データリストの更新を行います。") + QStringLiteral("\r") + QStringLiteral("よろしいですか？"),
                          core::mbYesNo)
        != core::mrYes)
        return;
    controls::TxAnimeProgressDialog progress;
    progress.SetCaption(QStringLiteral("更新中"));
    progress.SetInfoLabel(QStringLiteral("データリストの更新中…"));
    const QString avi = QDir(core::SystemDef.ExeDir).filePath(QStringLiteral("progress.avi"));
    // Without the animation file the window simply shows no animation.
    if (!core::SystemDef.ExeDir.isEmpty() && QFileInfo(avi).isFile())
        progress.SetAviFile(avi);
    progress.SetCancelBtnShow(true);
    progress.Show(this);
    TRefreshProgress steps;
    steps.SetText = [&progress](const QString& text) { progress.SetInfoLabel(text); };
    steps.Cancelled = [&progress] { return progress.Cancelled(); };
    try {
        DataListRefresh(*this, -1, steps);
    } catch (...) {
        progress.Close();
        throw;
    }
    progress.Close();
    raise();
    activateWindow();
    SetFKeyCaptions();
}

void TDataSentakuBox::cmbDataManChange()
{
    DataManChanging = true;
    btnSearch->setEnabled(false);
    btnSearchCancel->setEnabled(false);
    Grid->setEnabled(false);
    SetFKeyCaptions();
}

void TDataSentakuBox::cmbDataManExit()
{
    if (!DataManChanging || !PlaceBox)
        return;
    const int index = cmbDataMan->currentIndex();
    const qint32 rec = PlaceBox->GetPlaceRec(index);
    if (rec >= 0) {
        DataPlaceNo = rec;
        DataPlacePath = PlaceBox->GetPlacePath(index);
    }
    ListDataPlace();
}

// The list of the data place now chosen: search and grid enabled again, the records read and,
// when there are any, shown with the focus in the grid.
void TDataSentakuBox::ListDataPlace()
{
    DataManChanging = false;
    btnSearch->setEnabled(SyoriType != 3);
    btnSearchCancel->setEnabled(SyoriType != 3 && ActiveKensaku.JYOKENUSE == 1);
    Grid->setEnabled(true);
    if (LoadList() > 0) {
        ShowList(-1);
        Grid->setFocus();
    } else {
        Grid->SetRowCount(0);
    }
    SetFKeyCaptions();
}

void TDataSentakuBox::btnDataManClick()
{
    if (!PlaceBox)
        PlaceBox = std::make_unique<TDataPlaceBox>(this);
    PlaceBox->Prepare(1);
    if (ShowPlaceBox(*PlaceBox) != core::mrOk)
        return;
    const qint32 before = DataPlaceNo;
    FillDataPlaces();
    if (PlaceBox->IndexOfPlaceRec(before) >= 0)
        return;
    // The place shown was removed: the standard place takes its turn.
    DataPlaceNo = 0;
    DataPlacePath = PlaceBox->GetPlacePathByRec(0);
    ListDataPlace();
}

void TDataSentakuBox::FocusCurrentData()
{
    if (FocusCurrentSw) {
        OpenDataPath = core::SystemDef.DataFolder;
        for (int row = 0; row < Grid->RowCount(); ++row) {
            if (List.GetRowDataPath(*Grid, row).compare(OpenDataPath, Qt::CaseInsensitive) == 0) {
                Grid->SetTopRow(std::max(0, row - kRowsAboveCurrent));
                Grid->SetRow(row);
                break;
            }
        }
    }
    FocusCurrentSw = true;
}

void TDataSentakuBox::ReloadAndFocus(int topRow, const companydata::TDataListRec& rec)
{
    LoadList();
    ShowList(-1);
    const int top = topRow >= 0 && topRow < controls::TxGrid::RowCapacity ? topRow : 0;
    Grid->SetTopRow(top);
    const QString folderKey = FolderColumnKey(rec.PasName, List.DataRoot);
    for (int row = 0; row < Grid->RowCount(); ++row) {
        if (Grid->RowValue(row) != rec.Rec)
            continue;
        if (!rec.PasName.isEmpty() && Grid->Cells(colFolder, row).toUpper() != folderKey)
            continue;
        Grid->SetRow(row);
        return;
    }
    if (top < Grid->RowCount())
        Grid->SetRow(top);
}

void TDataSentakuBox::cboxKyoyuDataAutoClick()
{
    core::SystemDef.AutoShare = cboxKyoyuDataAuto->isChecked() ? 1 : 0;
    Grid->setFocus();
    SetFKeyCaptions();
}

} // namespace selection
