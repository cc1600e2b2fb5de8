// The operations on data sets of the data-selection dialog that are not built yet: copy and
// paste, new data, distributed-input data, delete, areas, save and restore,
// take-out and bring-back, shared data and the cloud share (the refresh's update of the
// shared-data list row is the kept shared-data selection's). Each one reports that it is not
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

int TDataSentakuBox::SaveData(const QString& /*folder*/)
{
    NotYetAvailable();
    return -1;
}

int TDataSentakuBox::RestoreData(const QString& /*folder*/)
{
    NotYetAvailable();
    return -1;
}

int TDataSentakuBox::TakeOutBringBack()
{
    NotYetAvailable();
    return 1;
}

int TDataSentakuBox::FetchSharedRow(int /*row*/, bool /*automatic*/)
{
    NotYetAvailable();
    return 0;
}

int TDataSentakuBox::StoreSharedRow(int /*row*/, bool /*automatic*/)
{
    NotYetAvailable();
    return 0;
}

TServerSentakuBox& TDataSentakuBox::ServerSentaku()
{
    if (!ServerBox)
        ServerBox = std::make_unique<TServerSentakuBox>(this);
    return *ServerBox;
}

void TDataSentakuBox::UpdateServerRow(const companydata::TDataListRec& rec) { ServerSentaku().UpdateServerRow(rec); }

void TDataSentakuBox::btnKyoyuDataDownClick()
{
    // A shared row is fetched, an empty local row gets a shared data set assigned (the
    // shared-data selection); a local row with data is refused.
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return;
    const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    if (ShareStateOf(rec) != 0) {
        FetchSharedRow(row, false);
    } else if (!rec.EntText.isEmpty()) {
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("選択したフォルダには既にデータが登録されています。\r"), core::mbYes);
    } else {
        NotYetAvailable();
    }
    raise();
    SetFKeyCaptions();
}

void TDataSentakuBox::btnKyoyuDataUpClick()
{
    const int row = Grid->Row();
    if (row >= 0 && row < Grid->RowCount())
        StoreSharedRow(row, false);
    raise();
    SetFKeyCaptions();
}

void TDataSentakuBox::btnCloudShareClick()
{
    NotYetAvailable();
    SetFKeyCaptions();
}

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
