// F5 of the data-selection dialog: deletes the data set of the current row after the checks and
// the agree box. The registry row goes only once the data folder is gone (and on the server
// only after the database was dropped), so that a failure never leaves a data set that the
// list no longer shows.
#include "selection/DataSentakuBox.h"

#include "companydata/DataInfomation.h"
#include "companydata/GassanDataCtl.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/session/SystemDef.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuRowOps.h"
#include "selection/DataSentakuState.h"

#include <algorithm>

namespace selection {

using companydata::TDataListRec;

namespace {

// The checks before the agree box of a data set that is not marked broken; true to go on.
bool MayDelete(TDataSentakuBox& box, int row, const TDataListRec& rec, const QString& folder)
{
    if (DataCheckRejects(folder, false)) {
        MarkRowBroken(box, row);
        DataListRefresh(box, row);
        box.SetFKeyCaptions();
        return false;
    }
    const companydata::TDataSentakuRec* parent = ParentRecordOf(box, row);
    if (parent && HasBrokenChild(*parent)) {
        box.PastePending = false;
        ShowBrokenMemberBox(box, QStringLiteral("削除"));
        return false;
    }
    if (rec.NetDrive != 0 && companydata::IsParentKind(rec.Gassan)) {
        ShowLines(box, 2, {QStringLiteral("共有データの削除は行えません。"),
                              QStringLiteral("[F4:割当解除]後に「共有データの選択」ウィンドウを表示して削除を行って下さい。")});
        return false;
    }
    if (box.List.CloudShareMode && rec.Cloud != 0) {
        ShowLines(box, 2, {QStringLiteral("クラウドシェアデータのため削除処理は行えません。")});
        return false;
    }
    if (folder.compare(core::SystemDef.DataFolder, Qt::CaseInsensitive) == 0) {
        ShowLines(box, 2, {box.SyoriType == 2 ? QStringLiteral("このデータは現在選択中のデータのため削除は行えません。")
                                                 : QStringLiteral("このデータは前回起動データのため削除は行えません。")});
        return false;
    }
    const int state = CheckDataState(box, folder, true, true);
    if (IsClientServerMode() && state == companydata::kDataInUse) {
        ShowLines(box, 2, {QStringLiteral("このデータは他のオペレータが使用中のため削除は行えません。")});
        return false;
    }
    companydata::TDataInfomation info;
    info.DataPlace = quint8(core::ConnectMode);
    return state == companydata::kDataNormal && info.IsDataSiyouKengen(folder);
}

bool AgreeToDelete(TDataSentakuBox& box, int row)
{
    const QString indent = QStringLiteral("　");
    controls::TMessageInfoRec info;
    controls::InitMessageInfo(info);
    info.Kind = 2;
    info.Caption = QStringLiteral("データの削除");
    info.MainText = QStringLiteral("選択したデータを削除します。");
    info.AgreeCaption = QStringLiteral("データの削除に同意します");
    info.Details = {QStringLiteral("【データ名】"), indent + box.Grid->Cells(colName, row), QString(),
                    QStringLiteral("【会計期間】"), indent + box.Grid->Cells(colKikan, row), QString(),
                    QStringLiteral("【データフォルダ】"), indent + box.Grid->Cells(colFolder, row)};
    return box.ShowDetailBox(info) == core::mrOk;
}

// A child's parent gets its child count lowered.
void LowerParentCount(const companydata::TDataSentakuRec& parent)
{
    TDataListRec parentRec = parent;
    companydata::TDataSentakuListCtl::DeriveLocalPath(parentRec);
    companydata::TGassanDataCtl gassan;
    gassan.SetDataPath(parentRec.LocalPath);
    gassan.SetDataListRec(parentRec.Rec);
    gassan.SetActive(true);
    gassan.PutGassanSetting(parent.Gassan, std::max(0, int(parent.Children.size()) - 1));
}

} // namespace

int TDataSentakuBox::DeleteData(bool failureMessage)
{
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return 1;
    const TDataListRec rec = List.GetRowRec(*Grid, row);
    const QString folder = List.GetRowDataPath(*Grid, row);
    const bool broken = rec.DataStatus == 1 || Grid->CellInt(colStatus, row) != 0;
    core::TDM& dm = core::RequireDM();
    if (!broken) {
        if (!MayDelete(*this, row, rec, folder))
            return 1;
    } else {
        dm.AccDatDisconnect(folder, 0, 0);
    }
    if (!AgreeToDelete(*this, row))
        return 1;
    if (TDataListRec* listRec = RowRecordOf(*this, row))
        listRec->DataStatus = 0;

    const companydata::TDataSentakuRec* parent = ParentRecordOf(*this, row);
    const bool childOfParent = rec.Gassan == companydata::kGassanBunsan && parent
                               && companydata::HasChildren(parent->Gassan);
    bool folderGone = false;
    if (!IsClientServerMode()) {
        folderGone = core::fileops::RmDir(dm, folder, 0, false);
    } else {
        // The drop reports its own failure; the folder and the row stay.
        if (!broken && !dm.AccDatDropDatabase(core::SystemDef.HOSTNAME, folder)) {
            DataListRefresh(*this, row);
            return 0;
        }
        folderGone = core::fileops::RmDir(dm, folder, core::ConnectMode, false);
    }
    if (!folderGone) {
        DataListRefresh(*this, row);
        if (failureMessage)
            core::showMessage(core::MessageKind::Error, QStringLiteral("データの削除に失敗しました。\r"), core::mbYes);
        return 0;
    }
    if (childOfParent && !IsClientServerMode())
        LowerParentCount(*parent);

    const bool deleted = ListCtl.DeleteDataListRecord(rec, 1);
    if (companydata::HasChildren(rec.Gassan))
        ClearChildren(*this, row, true);
    DataListRefresh(*this, row);
    if (!deleted) {
        if (failureMessage)
            core::showMessage(core::MessageKind::Error, QStringLiteral("データの削除に失敗しました。\r"), core::mbYes);
    } else if (childOfParent || IsClientServerMode()) {
        ReloadAndFocus(Grid->TopRow(), rec);
        Grid->setFocus();
    }
    return deleted ? 1 : 0;
}

} // namespace selection
