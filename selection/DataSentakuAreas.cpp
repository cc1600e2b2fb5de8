// F4 of the data-selection dialog: an empty data area added to the list in the client/server
// modes (a registry row only; the folder is made by new data, paste or restore), and in
// stand-alone mode the assignment of a shared data set removed from its row.
#include "selection/DataSentakuBox.h"
#include "selection/AreaName.h"

#include "controls/dialogs/TInputDlgBox.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/session/SystemDef.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuRowOps.h"
#include "selection/DataSentakuState.h"
#include "selection/ServerSentakuBox.h"

namespace selection {

using companydata::TDataListRec;

namespace {

constexpr int kMaxAreas = 2000;

QString WithoutTrailingDelimiter(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

} // namespace

bool TDataSentakuBox::AddArea()
{
    if (List.Records.size() >= kMaxAreas) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("これ以上の領域追加は行えません。(最大%1件)").arg(kMaxAreas),
                          core::mbYes);
        return true;
    }
    const QString initial = QString::asprintf("%.4d", int(ListCtl.GetDataFolderName(1)));
    std::optional<QString> input;
    if (InputAreaName) {
        input = InputAreaName(initial);
    } else {
        controls::TInputDlgBox box(this);
        box.InputMode = 0;
        box.Title = QStringLiteral("データの領域追加");
        box.Message = QStringLiteral("新しく作成するフォルダ名を入力して下さい。");
        box.MessageColor = palette().color(QPalette::WindowText);
        box.Value = initial;
        box.MaxLen = 8;
        box.KeyFilter = 40;
        box.InputHint = QStringLiteral("新しく作成するフォルダ名を入力します。");
        box.Prepare(1);
        if (box.exec() == core::mrOk)
            input = box.Value;
    }
    if (!input)
        return true;
    const QString name = input->trimmed();
    if (name.isEmpty())
        return true;
    if (!IsSafeAreaName(name)) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("\"%1\"はフォルダ名として使用できません。").arg(name),
                          core::mbYes);
        return true;
    }
    const QString path = WithoutTrailingDelimiter(DataPlacePath) + QLatin1Char('/') + name;
    if (ListCtl.IsDataPathToroku(path)) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("\"%1\"は既にデータリスト上に作成されています。\r").arg(path),
                          core::mbYes);
        return true;
    }
    if (core::fileops::DExist(core::RequireDM(), path, core::ConnectMode)) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("\"%1\"に会計データが作成されています。\r").arg(path),
                          core::mbYes);
        return true;
    }
    TDataListRec rec;
    rec.PasName = path;
    SetListRecFromInfo(rec, {}, true);
    rec.EntText.clear();
    rec.DispName.clear();
    ListCtl.InsertDataListRecord(rec, 1);
    ReloadAndFocus(Grid->TopRow(), rec);
    return true;
}

int TDataSentakuBox::UnassignSharedData()
{
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return 1;
    const TDataListRec rec = List.GetRowRec(*Grid, row);
    if (ShareStateOf(rec) == 0)
        return 1;
    const QString indent = QStringLiteral("　");
    controls::TMessageInfoRec info;
    controls::InitMessageInfo(info);
    info.Kind = 0;
    info.MainColor = 255;
    info.Caption = QStringLiteral("共有データの割当解除");
    info.MainText = QStringLiteral("選択した共有データの割り当てを解除します。\rよろしいですか？");
    info.Details = {QStringLiteral("【データ名】"), indent + Grid->Cells(colName, row), QString(),
                    QStringLiteral("【会計期間】"), indent + Grid->Cells(colKikan, row), QString(),
                    QStringLiteral("【共有データフォルダ】"), indent + Grid->Cells(colFolder, row)};
    if (ShowDetailBox(info) != core::mrOk)
        return 1;
    const QString sharedFolder = rec.PasName;
    const bool fetched = ShareStateOf(rec) == 2;
    const QString local = List.GetRowDataPath(*Grid, row);
    if (TDataListRec* listRec = RowRecordOf(*this, row)) {
        listRec->PasName = local;
        listRec->NetDrive = 0;
        listRec->KyoyuLock = 0;
        companydata::TDataSentakuListCtl::DeriveLocalPath(*listRec);
    }
    const bool removed = core::fileops::RmDir(core::RequireDM(), local, core::ConnectMode, false);
    if (removed && fetched)
        ServerSentaku().SetShareStatusIfChanged(sharedFolder, companydata::kShareInPlace);
    DataListRefresh(*this, row);
    return removed ? 1 : 0;
}

} // namespace selection
