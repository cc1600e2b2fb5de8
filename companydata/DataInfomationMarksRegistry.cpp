#include "companydata/DataInfomationMarks.h"

#include "companydata/DataSentakuListCtl.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"

#include <QDebug>

namespace companydata {

namespace {

void UpdateRegistryRow(const QString& folder, const TDataInfomationRec& info)
{
    if (!core::DM || !core::DM->IBDatabaseDEF.connected())
        return;
    try {
        TDataSentakuListCtl ctl;
        ctl.LocationMode = core::ConnectMode;
        ctl.SetDataPlaceRec(core::SystemDef.ServerDataPlace);
        TDataSentakuRec parent;
        if (ctl.GetDataListRecordByPath(folder, parent) != 1)
            return;
        int rec = 0;
        int childNo = 0;
        core::DM->GetDataRecByPath(folder, rec, childNo);
        if (childNo > 0) {
            for (TDataListRec& child : parent.Children) {
                if (child.RowNo != childNo)
                    continue;
                ctl.SetDataListRecFromInfo(info, child);
                child.GroupId = core::SystemDef.GROUPID;
                ctl.UpdateDataListChildRecord(child, 0);
            }
            return;
        }
        ctl.SetDataListRecFromInfo(info, parent);
        parent.GroupId = core::SystemDef.GROUPID;
        ctl.UpdateDataListRecord(parent, 1, 0);
    } catch (const std::exception& error) {
        // The data set is closed all the same; its row keeps what it held.
        qWarning() << "registry row of" << folder << "not updated:" << error.what();
    }
}

} // namespace

void InstallRegistryRowUpdate(DataInfomationMarks& marks)
{
    marks.UpdateDataList = UpdateRegistryRow;
}

} // namespace companydata
