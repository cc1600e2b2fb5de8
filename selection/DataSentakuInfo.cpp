// The button "情報" of the data selection: the details dialog for the current row, and after OK
// the new name and flags written into the company database, the registry, the information file
// and the grid, and a stuck data state cleared.
#include "selection/DataSentakuBox.h"

#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "selection/DataSentakuState.h"
#include "selection/DataSyosaiInfoBox.h"

namespace selection {

void TDataSentakuBox::btnDataInfoClick()
{
    if (!Grid->isEnabled()) {
        controls::TMessage2InfoRec info;
        controls::InitMessage2Info(2, info);
        info.Lines[0].Text = QStringLiteral("データリストが応答状態ではないので処理は行えません。");
        ShowBox2(info);
        return;
    }
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return;
    companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    // Paths are case-sensitive here: the folder keeps its case.
    const QString folder = List.GetRowDataPath(*Grid, row);
    // A data set with a period that fails the data check is marked broken (its details still open).
    if ((rec.Kishu.isValid() || rec.Kimatu.isValid()) && rec.DataStatus != 1 && core::DM
        && core::DM->CallDataCheckHook(core::SystemDef.HOSTNAME, folder, 0, 1) == 0) {
        rec.DataStatus = 1;
        KeepRowRec(row, rec);
        UpdateListRow(*this, rec);
        ShowRowStatus(row, rec.DataStatus);
        SetFKeyCaptions();
    }
    if (!SyosaiBox)
        SyosaiBox = std::make_unique<TDataSyosaiInfoBox>(this);
    TDataSyosaiInfoBox& box = *SyosaiBox;
    box.ShareMode = 0;
    box.DataRec = rec;
    box.DataPlaceRec = DataPlaceNo;
    box.DataPath = folder;
    box.UpdateLock = rec.UpdateLock;
    box.ReadOnlyFlag = rec.ReadOnly;
    box.ListName = rec.EntText;
    // A shared data set stored on the share is changed only through the shared-data list.
    box.NameEditable = ShareStateOf(rec) == 1 ? 0 : 1;
    box.Prepare(1);
    const int result = ShowSyosaiBox(box);
    if (result == core::mrOk) {
        companydata::TDataInfomationRec stateInfo;
        const int state = selection::CheckDataState(*this, folder, false, false, &stateInfo);
        if (IsAllowedDataState(state, core::ConnectMode)) {
            companydata::TDataInfomationRec changes;
            companydata::ClearDataInfoRec(changes);
            changes.DataListName = box.ListName;
            changes.UpdateLock = box.UpdateLock;
            changes.ReadOnly = box.ReadOnlyFlag;
            companydata::TDataInfomation info;
            info.DataPlace = quint8(core::ConnectMode);
            info.UpdateDataInfomation(core::SystemDef.HOSTNAME, folder, changes);
            rec.EntText = box.ListName;
            rec.DispName = box.ListName;
            rec.UpdateLock = box.UpdateLock;
            rec.ReadOnly = box.ReadOnlyFlag;
            Grid->SetCells(colName, row, rec.DispName);
            Grid->SetCellInt(colUpdateMark, row, rec.UpdateLock);
            Grid->SetCellInt(colReadOnly, row, rec.ReadOnly);
            info.WriteIniValue(folder, companydata::kSectionDataInfo, false, rec.EntText, QStringLiteral("DATALISTNAME"));
            info.WriteIniValue(folder, companydata::kSectionDataSts, false, rec.UpdateLock, QStringLiteral("UPDATE_LOCK"));
            info.WriteIniValue(folder, companydata::kSectionDataSts, false, rec.ReadOnly, QStringLiteral("READ_ONLY"));
            if (rec.NetDrive != 0)
                UpdateServerRow(rec);
        }
        if (box.ClearState == 1) {
            selection::SetDataStatus(folder, 1);
            PastePending = false;
            rec.DataLock = 0;
            Grid->SetCellPicture(colLockPic, row, List.BlankPicture);
            Grid->SetCellInt(colLock, row, 0);
        }
        KeepRowRec(row, rec);
        UpdateListRow(*this, rec);
        List.CheckUpdateMark(*Grid, row, true);
    }
    if (box.Rebuilt == 1) {
        rec.DataStatus = 0;
        KeepRowRec(row, rec);
        UpdateListRow(*this, rec);
        ShowRowStatus(row, rec.DataStatus);
        Grid->SetRow(row);
    }
    SetFKeyCaptions();
}

void TDataSentakuBox::ShowRowStatus(int row, quint8 dataStatus)
{
    Grid->SetCellInt(colStatus, row, dataStatus);
    List.PaintRow(*Grid, row, List.CheckUpdateMark(*Grid, row, true), dataStatus == 1);
}

void TDataSentakuBox::KeepRowRec(int row, const companydata::TDataListRec& rec)
{
    // The list's own record, and the children's numbered names of a consolidation parent.
    const int parent = Grid->CellInt(colParent, row);
    if (parent >= 0 && parent < List.Records.size()) {
        companydata::TDataSentakuRec& owner = List.Records[parent];
        if (rec.Gassan == companydata::kGassanBunsan) {
            const int child = Grid->CellInt(colChild, row);
            if (child >= 0 && child < owner.Children.size())
                owner.Children[child] = rec;
            companydata::TDataSentakuListCtl::NumberChildNames(owner);
            if (child >= 0 && child < owner.Children.size())
                Grid->SetCells(colName, row, owner.Children.at(child).DispName);
        } else {
            static_cast<companydata::TDataListRec&>(owner) = rec;
        }
    }
}

} // namespace selection
