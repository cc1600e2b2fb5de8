// The button "情報" of the shared-data selection: the details of the current area, read-only
// but for the state clear, whose result is stored in the server data list.
#include "selection/ServerSentakuBox.h"

#include "controls/grid/TxGrid.h"
#include "selection/DataSyosaiInfoBox.h"

namespace selection {

void TServerSentakuBox::btnDataInfoClick()
{
    if (!HasDataRow())
        return;
    const int row = Grid->Row();
    companydata::TDataListRec rec = GetRowRec(row);
    if (!SyosaiBox)
        SyosaiBox = std::make_unique<TDataSyosaiInfoBox>(this);
    TDataSyosaiInfoBox& box = *SyosaiBox;
    box.ShareMode = 1;
    box.DataRec = rec;
    box.DataPath = rec.PasName;
    box.UpdateLock = rec.UpdateLock;
    box.ReadOnlyFlag = rec.ReadOnly;
    box.ListName = rec.EntText;
    box.NameEditable = 0;
    box.Prepare(1);
    const int result = ShowSyosaiBox ? ShowSyosaiBox(box) : box.exec();
    if (result == core::mrOk) {
        if (box.ClearState == 1) {
            rec.DataLock = 0;
            SetDataStatus(rec.PasName, companydata::kDataNormal);
            Grid->SetCellPicture(scSharePic, row, List.NormalPicture);
            Grid->SetCellInt(scShareValue, row, 0);
        }
        rec.UpdateLock = box.UpdateLock;
        rec.ReadOnly = box.ReadOnlyFlag;
        rec.NetDrive = 1;
        ListCtl.UpdateServerDataListRecord(rec, 1, 1);
    }
    if (box.Rebuilt == 1) {
        SetDataStatus(rec.PasName, companydata::kDataNormal);
        rec.DataStatus = 0;
        rec.NetDrive = 1;
        ListCtl.UpdateServerDataListRecord(rec, 1, 1);
        RefreshList();
    }
    SetFKeyCaptions();
}

} // namespace selection
