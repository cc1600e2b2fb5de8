// F3 of the data-selection dialog: new data in an empty row, made by the new-data module
// "VxKihonWiz" that the host program may provide (launched by name), and a distributed-input
// child added under a consolidated data set.
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuOpsSupport.h"

#include "companydata/DataInfomation.h"
#include "companydata/GassanDataCtl.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/session/SystemDef.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuRowOps.h"
#include "selection/DataSentakuState.h"

#include <QDir>
#include <QFile>

namespace selection {

using companydata::TDataInfomation;
using companydata::TDataListRec;

namespace {

// The most children a consolidated data set can have.
constexpr int kMaxChildren = 99;

// The parent's registry row and its children read again after new data was made; a shared
// parent's children are shared too, their folders named under the parent's shared folder.
void ReadParentAgain(TDataSentakuBox& box, companydata::TDataSentakuRec& parent)
{
    box.ListCtl.GetDataListRecord(0, parent, 1);
    box.ListCtl.GetDataListChildRecord(parent, 1);
    if (parent.NetDrive == 0)
        return;
    companydata::TDataSentakuListCtl::DeriveLocalPath(parent);
    for (TDataListRec& child : parent.Children) {
        child.NetDrive = 1;
        if (child.PasName.startsWith(parent.LocalPath))
            child.PasName = parent.PasName + child.PasName.mid(parent.LocalPath.size());
        companydata::TDataSentakuListCtl::DeriveLocalPath(child);
        box.ListCtl.UpdateDataListChildRecord(child, 1);
    }
}

} // namespace

int TDataSentakuBox::NewData()
{
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return 0;
    const TDataListRec rec = List.GetRowRec(*Grid, row);
    const QString folder = List.GetRowDataPath(*Grid, row);
    if (selection::CheckDataState(*this, folder, false, false) != companydata::kDataNormal)
        return 0;
    core::TDM& dm = core::RequireDM();
    const bool hadFolder = core::fileops::DExist(dm, folder, core::ConnectMode);
    core::fileops::MkDir(dm, folder, core::ConnectMode);
    selection::SetDataStatus(folder, companydata::kDataCreate);
    SetRowDataLock(*this, row, core::SystemDef.LoginCode);

    int result = -1;
    try {
        const companydata::TDataSentakuRec* parent = ParentRecordOf(*this, row);
        const QString params = QStringLiteral("DataPath=%1\rDataListRec=%2\rPHandle=%3")
                                   .arg(folder)
                                   .arg(parent ? parent->Rec : rec.Rec)
                                   .arg(qint64(winId()));
        if (core::LaunchModuleHook)
            result = core::LaunchModuleHook(QStringLiteral("VxKihonWiz"), 1, params);
    } catch (...) {
        SetRowDataLock(*this, row, 0);
        throw;
    }
    SetRowDataLock(*this, row, 0);

    if (result == 1) {
        if (companydata::TDataSentakuRec* parent = ParentRecordOf(*this, row))
            ReadParentAgain(*this, *parent);
        selection::SetDataStatus(folder, companydata::kDataNormal);
    } else {
        // The mark of new data in progress goes with the work that did not happen: a folder
        // without database keeps no information file, and one made here goes again.
        const bool hasData = core::fileops::FExist(dm, TDataInfomation::DataFileName(folder), core::ConnectMode);
        if (!hasData && core::ConnectMode == 0)
            QFile::remove(TDataInfomation::IniFileName(folder));
        const bool local = rec.NetDrive == 0;
        if ((result == 2 && local) || (!hasData && !hadFolder && core::ConnectMode == 0 && QDir(folder).isEmpty()))
            core::fileops::RmDir(dm, folder, core::ConnectMode, false);
    }
    if (ShareStateOf(rec) == 2 && result == 1 && StoreSharedRow(row, true) == 1) {
        if (companydata::TDataSentakuRec* stored = ParentRecordOf(*this, row))
            SetShareLock(1, *stored);
    }
    DataListRefresh(*this, row);
    return result == 1 ? 1 : 0;
}

void TDataSentakuBox::AddBunsanData()
{
    const int row = Grid->Row();
    companydata::TDataSentakuRec* parent = ParentRecordOf(*this, row);
    if (!parent || !companydata::HasChildren(parent->Gassan))
        return;
    if (parent->Children.size() >= kMaxChildren) {
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("これ以上の分散データの追加は行えません。(最大%1件)\r").arg(kMaxChildren), core::mbOK);
        return;
    }
    if (core::showMessage(core::MessageKind::Confirmation, QStringLiteral("分散入力用のデータを追加します。\rよろしいですか？"),
                          core::mbYesNo)
        != core::mrYes)
        return;
    const auto progress = ShowProgress(*this, QStringLiteral("分散データの追加"), QStringLiteral("分散データの作成中…"));
    core::TDM& dm = core::RequireDM();
    const int parentRow = List.GetParentRow(*Grid, row);
    companydata::TDataListRec parentRec = *parent;
    companydata::TDataSentakuListCtl::DeriveLocalPath(parentRec);
    const int childCount = int(parent->Children.size());
    try {
        companydata::TGassanDataCtl gassan(this);
        gassan.SetDataPath(parentRec.LocalPath);
        gassan.SetDataListRec(parentRec.Rec);
        gassan.SetActive(true);
        // A child that could not be made leaves nothing behind, and the count stays.
        if (gassan.MakeBunsanData(QString()))
            gassan.PutGassanSetting(parentRec.Gassan, childCount + 1);
        ListCtl.GetDataListChildRecord(*parent, 1);
        DataListRefresh(*this, parentRow >= 0 ? parentRow : row);
    } catch (...) {
        dm.AccDatDisconnect(parentRec.LocalPath, 0, 0);
        progress->Close();
        raise();
        throw;
    }
    dm.AccDatDisconnect(parentRec.LocalPath, 0, 0);
    progress->Close();
    raise();
}

} // namespace selection
