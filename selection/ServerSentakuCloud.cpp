// A cloud-share area as the copy source of the shared-data selection: the copy step fetches
// the newest cloud copy of its data set through the data communication, and the paste copies
// from the folder that the fetch filled instead of the area itself.
#include "selection/ServerSentakuBox.h"

#include "communication/DataTusin.h"
#include "companydata/CloudShareIO.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/SystemDef.h"

#include <QFileInfo>

namespace selection {

communication::TfmDataTusin& TServerSentakuBox::CloudTusinForm()
{
    if (!CloudTusin)
        CloudTusin = std::make_unique<communication::TfmDataTusin>(this);
    return *CloudTusin;
}

int TServerSentakuBox::FetchCloudSource(const companydata::TDataListRec& rec)
{
    CloudSourceFolder.clear();
    // The data set's cloud line is that of its working copy on the data list.
    QString sharePath;
    ListCtl.GetSharePathByPasName(rec.PasName, quint8(rec.Gassan), sharePath);
    if (sharePath.isEmpty())
        return 1;
    Grid->setEnabled(false);
    BottomPanel->setEnabled(false);
    const auto enable = [this] {
        Grid->setEnabled(true);
        BottomPanel->setEnabled(true);
    };
    int result = 1;
    try {
        communication::TfmDataTusin& tusin = CloudTusinForm();
        result = tusin.CloudShareReceiveNew(sharePath, 0);
        if (result == 0) {
            CloudSourceFolder = tusin.ReceivedDataFolder();
            result = CloudSourceFolder.isEmpty() ? 1 : tusin.CloudShareRelease(sharePath);
        }
    } catch (...) {
        enable();
        throw;
    }
    enable();
    if (result != 0)
        CloudSourceFolder.clear();
    return result;
}

bool TServerSentakuBox::PrepareCloudSource(const QString& folder)
{
    core::TDM* dm = core::DM;
    if (!dm || folder.isEmpty() || !QFileInfo::exists(DataFileOf(folder)))
        return false;
    const QString host = core::SystemDef.HOSTNAME;
    // The cloud-line clear works on an open company database: it must be the copy's.
    if (dm->IBDatabaseDAT.connected())
        dm->AccDatDisconnect(QString(), 0, 0);
    if (!companydata::TCloudShareIO(dm).ClearSetting(host, folder))
        return false;
    if (dm->IBDatabaseDAT.connected())
        dm->AccDatDisconnect(QString(), 0, 0);
    const bool opened = dm->fnAccDatConnected(host, folder, 1);
    if (dm->IBDatabaseDAT.connected())
        dm->AccDatDisconnect(folder, 1, 0);
    return opened;
}

} // namespace selection
