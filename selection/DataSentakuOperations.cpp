// The one operation of the data-selection dialog that is not built yet, the list print: it
// reports that it is not available and changes nothing. The kept shared-data selection and its
// update of the shared-data list row live here too.
#include "selection/DataSentakuBox.h"

#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuList.h"
#include "selection/ServerSentakuBox.h"

namespace selection {

void TDataSentakuBox::NotYetAvailable()
{
    core::showMessage(core::MessageKind::Information, QStringLiteral("この機能はまだ使用できません。"));
}

void TDataSentakuBox::PrintList() { NotYetAvailable(); }

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
