// The kept shared-data selection of the data-selection dialog, its update of the shared-data
// list row, and the automatic shared fetch and store.
#include "selection/DataSentakuBox.h"

#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuList.h"
#include "selection/ServerSentakuBox.h"

namespace selection {

TServerSentakuBox& TDataSentakuBox::ServerSentaku()
{
    if (!ServerBox)
        ServerBox = std::make_unique<TServerSentakuBox>(this);
    return *ServerBox;
}

void TDataSentakuBox::UpdateServerRow(const companydata::TDataListRec& rec) { ServerSentaku().UpdateServerRow(rec); }

int TDataSentakuBox::AutoFetchShared(int row)
{
    const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    if (core::SystemDef.AutoShare == 0 || ShareStateOf(rec) != 1)
        return 1;
    return FetchSharedRow(row, true);
}

int TDataSentakuBox::AutoStoreShared(int row)
{
    const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    if (core::SystemDef.AutoShare == 0 || ShareStateOf(rec) != 2)
        return 1;
    return StoreSharedRow(row, true);
}

} // namespace selection
