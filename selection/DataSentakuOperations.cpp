// The operations on data sets of the data-selection dialog that are not built yet: copy and
// paste, new data, distributed-input data, delete, areas and list print (the refresh's update
// of the shared-data list row is the kept shared-data selection's). Each one reports that it is not
// available and changes nothing, with the result of an operation not done, so that every key,
// button and automatic step that reaches one leaves the list, the registry and the session as
// they were.
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

int TDataSentakuBox::CopyPaste()
{
    NotYetAvailable();
    return 0;
}

int TDataSentakuBox::NewData()
{
    NotYetAvailable();
    return 0;
}

void TDataSentakuBox::AddBunsanData() { NotYetAvailable(); }

int TDataSentakuBox::DeleteData(bool /*failureMessage*/)
{
    NotYetAvailable();
    return 0;
}

bool TDataSentakuBox::AddArea()
{
    NotYetAvailable();
    return false;
}

int TDataSentakuBox::UnassignSharedData()
{
    NotYetAvailable();
    return 0;
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
