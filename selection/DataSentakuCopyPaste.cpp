// F2 of the data-selection dialog: the first press marks the current row's data set as the copy
// source (state 6), the second press pastes it into the current row (state 7 while it is
// written). Every refusal comes before anything changes. A stand-alone paste replaces the
// target only by a complete copy (TAreaCopySwap); a client/server paste copies the database on
// the server through a backup and restore, and a failure there leaves the target as it was.
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuOpsSupport.h"

#include "communication/DataTusin.h"
#include "companydata/BackupRestoreThread.h"
#include "companydata/CloudShareIO.h"
#include "companydata/DataInfomation.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/session/SystemDef.h"
#include "core/ui/MessageService.h"
#include "selection/AreaCopySwap.h"
#include "selection/DataMatchCheck.h"
#include "selection/DataSentakuRowOps.h"
#include "selection/DataSentakuState.h"
#include "selection/ServerWorkFolder.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <optional>

namespace selection {

using companydata::TDataInfomation;
using companydata::TDataInfomationRec;
using companydata::TDataListRec;

namespace {

// The worker of the client/server copy is looked at every 500 ms.
constexpr int kServerCopyPollMs = 500;

TDataInfomation SessionInfo()
{
    TDataInfomation info;
    info.DataPlace = quint8(core::ConnectMode);
    return info;
}

bool IsCloudRow(const TDataSentakuBox& box, const TDataListRec& rec) { return box.List.CloudShareMode && rec.Cloud != 0; }

// A cloud-share row brought up to date from the cloud before it is copied: 0 when it may be
// copied. The row is locked for the time of the transfer in the client/server modes.
int ReceiveCloudRow(TDataSentakuBox& box, int row, const QString& folder)
{
    if (IsClientServerMode() && box.CheckDataFolder(folder) != 1)
        return 1;
    box.BottomPanel->setEnabled(false);
    SetRowDataLock(box, row, core::SystemDef.LoginCode);
    int result = 1;
    try {
        communication::TfmDataTusin tusin(&box);
        result = tusin.CloudShareReceive(folder, 0, 0);
        if (result == 0)
            tusin.CloudShareRelease(folder);
    } catch (...) {
        SetRowDataLock(box, row, 0);
        box.BottomPanel->setEnabled(true);
        throw;
    }
    SetRowDataLock(box, row, 0);
    box.BottomPanel->setEnabled(true);
    return result;
}

// The first F2: 1 when the row became the copy source.
int CopyStep(TDataSentakuBox& box, int row)
{
    const TDataListRec rec = box.List.GetRowRec(*box.Grid, row);
    const QString folder = box.List.GetRowDataPath(*box.Grid, row);
    const auto stop = [&] {
        box.PastePending = false;
        DataListRefresh(box, row);
        return 0;
    };
    if (IsCloudRow(box, rec)) {
        const int received = ReceiveCloudRow(box, row, folder);
        if (received >= 1 && received <= 9)
            return stop();
    }
    if (DataCheckRejects(folder, false)) {
        MarkRowBroken(box, row);
        return stop();
    }
    const companydata::TDataSentakuRec* parent = ParentRecordOf(box, row);
    if (companydata::HasChildren(rec.Gassan) && parent && HasBrokenChild(*parent)) {
        box.PastePending = false;
        ShowBrokenMemberBox(box, QStringLiteral("コピー"));
        return 0;
    }
    const int state = CheckDataState(box, folder, true, true);
    if (!IsAllowedDataState(state, core::ConnectMode) || !SessionInfo().IsDataSiyouKengen(folder))
        return stop();
    if (IsClientServerMode() && state == companydata::kDataInUse
        && ShowLines(box, 3, {QStringLiteral("このデータは他のオペレータが使用中です。コピーしますか？")}) != core::mrOk)
        return stop();
    box.CopySource = folder;
    box.CopyRec = rec;
    box.CopyRec.EntText = CopyNameOf(rec.EntText);
    box.CopyRec.DispName = box.CopyRec.EntText;
    box.CopyIndex = box.Grid->CellInt(colParent, row);
    SetDataStatus(folder, companydata::kDataCopy);
    return 1;
}

// The target's information file as it was before the paste marked it, put back after a failed
// copy (a folder that had none gets none).
struct TIniSnapshot {
    QString File;
    std::optional<QByteArray> Bytes;

    explicit TIniSnapshot(const QString& folder) : File(TDataInfomation::IniFileName(folder))
    {
        QFile f(File);
        if (f.open(QIODevice::ReadOnly))
            Bytes = f.readAll();
    }
    void Restore() const
    {
        if (!Bytes) {
            QFile::remove(File);
            return;
        }
        QFile f(File);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(*Bytes);
    }
};

// Stand-alone: the source folder's contents into the target, complete or not at all. A
// distributed child gets only the database file. The target's old children go once the copy is
// in place: their rows, and for a fetched shared target their folders on the share.
bool CopyLocal(TDataSentakuBox& box, int row, const TDataListRec& target, const QString& source, const QString& folder)
{
    if (core::DM)
        core::DM->AccDatDisconnect(folder, 0, 0);
    TAreaCopySwap copy;
    if (box.CopyFolder)
        copy.CopyTree = box.CopyFolder;
    if (target.Gassan == companydata::kGassanBunsan)
        return copy.CopyDatabaseFile(TDataInfomation::DataFileName(source), TDataInfomation::DataFileName(folder));
    QStringList sharedChildren;
    const bool parentTarget = companydata::HasChildren(target.Gassan);
    if (parentTarget && ShareStateOf(target) == 2)
        companydata::TDataSentakuListCtl::GetDataSubFolders(target, sharedChildren);
    if (!copy.CopyArea(source, folder))
        return false;
    if (parentTarget) {
        if (companydata::TDataSentakuRec* parent = ParentRecordOf(box, row)) {
            box.ListCtl.DeleteDataListChildRecord(*parent, 1);
            parent->Children.clear();
            parent->ChildCount = 0;
        }
        for (const QString& child : sharedChildren)
            QDir(child).removeRecursively();
    }
    return true;
}

// Client/server modes: the database copied on the server by the backup and restore worker,
// the backup file kept in the session's work folder on the server. The row is locked while
// the worker runs.
bool CopyOnServer(TDataSentakuBox& box, int row, const QString& source, const QString& folder)
{
    core::TDM& dm = core::RequireDM();
    SetRowDataLock(box, row, core::SystemDef.LoginCode);
    bool copied = false;
    try {
        const QString work = ServerWorkFolder();
        if (!core::fileops::DExist(dm, work, core::ConnectMode))
            core::fileops::MkDir(dm, work, core::ConnectMode);
        QFile::remove(QDir(core::SystemDef.TempDir).filePath(QStringLiteral("qmacc.fbk")));
        companydata::TBackupRestoreThread thread(true);
        thread.Mode = 2;
        thread.HostName = core::SystemDef.HOSTNAME;
        thread.DatabaseName = TDataInfomation::DataFileName(source);
        thread.RestoreName = TDataInfomation::DataFileName(folder);
        thread.BackupFileName = work + QStringLiteral("/qmacc.") + QString::number(core::SystemDef.OPCODE);
        thread.ProcessName = QStringLiteral("データ選択");
        companydata::RunBackupRestoreThread(thread, kServerCopyPollMs);
        copied = thread.Succeeded;
        if (!copied && !thread.ErrorMessage.isEmpty())
            core::showMessage(core::MessageKind::Warning, companydata::BackupRestoreErrorText(thread));
    } catch (...) {
        SetRowDataLock(box, row, 0);
        throw;
    }
    SetRowDataLock(box, row, 0);
    return copied;
}

// After the copy: the target's state, consolidation setting, cloud line, name and children.
void FinishPaste(TDataSentakuBox& box, int row, const TDataListRec& target, const QString& folder)
{
    SetDataStatus(folder, companydata::kDataNormal);
    int childCount = 0;
    if (target.Gassan != companydata::kGassanBunsan && box.CopyIndex >= 0 && box.CopyIndex < box.List.Records.size()
        && companydata::HasChildren(box.CopyRec.Gassan))
        childCount = int(box.List.Records.at(box.CopyIndex).Children.size());
    SyncGassanSetting(folder, box.CopyRec.Gassan, target.Gassan, childCount);
    companydata::TCloudShareIO(core::DM).ClearSetting(core::SystemDef.HOSTNAME, folder);

    TDataInfomation info = SessionInfo();
    TDataInfomationRec infoRec;
    TDataListRec* rec = RowRecordOf(box, row);
    if (!rec)
        return;
    if (info.GetDataInfoOfFolder(folder, infoRec) == 0) {
        MarkRowBroken(box, row);
        return;
    }
    infoRec.DataListName = box.CopyRec.EntText;
    infoRec.UpdateLock = box.CopyRec.UpdateLock;
    infoRec.ReadOnly = box.CopyRec.ReadOnly;
    info.UpdateDataInfomation(core::SystemDef.HOSTNAME, folder, infoRec);
    info.WriteIniFile(folder, companydata::kSectionDataInfo, infoRec);
    rec->DataCode = infoRec.Code;
    rec->EntText = box.CopyRec.EntText;
    rec->DispName = box.CopyRec.EntText;
    rec->UpdateLock = box.CopyRec.UpdateLock;
    rec->ReadOnly = box.CopyRec.ReadOnly;
    rec->Gassan = infoRec.GassanKbn;
    rec->DataStatus = 0;
    box.Grid->SetCells(colCode, row, rec->DataCode);
    box.Grid->SetCells(colName, row, rec->DispName);
    box.Grid->SetCellInt(colUpdateMark, row, rec->UpdateLock);
    box.Grid->SetCellInt(colGassan, row, rec->Gassan);
    box.Grid->SetCellInt(colReadOnly, row, rec->ReadOnly);
    CopyChildren(box, row, box.CopyIndex);
}

// The second F2: 1 when the source was pasted into the row.
int PasteStep(TDataSentakuBox& box, int row)
{
    const QString source = box.CopySource;
    const TDataListRec target = box.List.GetRowRec(*box.Grid, row);
    const QString folder = box.List.GetRowDataPath(*box.Grid, row);
    const auto release = [&] {
        SetDataStatus(source, companydata::kDataNormal);
        return 0;
    };
    if (folder == source)
        return release();
    if (IsCloudRow(box, target)) {
        ShowLines(box, 2, {QStringLiteral("クラウドシェアデータのため貼り付け処理は行えません。")});
        return release();
    }
    if (box.CopyRec.Gassan == companydata::kGassanBunsan && target.Rec == box.CopyRec.Rec) {
        ShowLines(box, 2, {QStringLiteral("同ブロックの分散入力データからの貼り付けは行えません。")});
        return release();
    }
    const int state = CheckDataState(box, folder, false, true);
    const bool broken = state == companydata::kDataBroken;
    if (broken) {
        if (core::DM)
            core::DM->AccDatDisconnect(folder, 0, 0);
    } else if (state == companydata::kDataNormal) {
        if (!SessionInfo().IsDataSiyouKengen(folder))
            return release();
    } else {
        if (IsClientServerMode() && state == companydata::kDataInUse)
            ShowLines(box, 2, {QStringLiteral("このデータは他のオペレータが使用中のため貼り付けは行えません。")});
        return release();
    }
    // A target inside the source would be copied into itself: refused before anything changes.
    if (!IsClientServerMode() && target.Gassan != companydata::kGassanBunsan
        && (folder + QLatin1Char('/')).startsWith(source + QLatin1Char('/'))) {
        core::showMessage(core::MessageKind::Error, QStringLiteral("貼付先にコピー元のパスが含まれています。処理を中断します。"));
        return release();
    }

    const auto progress = ShowProgress(box, QStringLiteral("コピー中"), QStringLiteral("データのコピー中…"));
    int done = 0;
    try {
        TDataInfomationRec sourceInfo;
        SessionInfo().ReadIni(source, sourceInfo);
        bool goOn;
        if (broken) {
            goOn = ShowLines(box, 3,
                                {QStringLiteral("このデータは破損データのため、データ間の照合チェックは行わずに貼り付けを行います。"),
                                 QStringLiteral("よろしいですか？")}) == core::mrOk;
        } else {
            TDataMatchCheck check;
            check.Owner = &box;
            check.Progress = progress.get();
            check.ConnectMode = core::ConnectMode;
            check.ShowDetailBox = box.ShowDetailBox;
            goOn = check.CheckKindPair(kVerbPaste, sourceInfo, folder) == 1;
        }
        if (goOn) {
            const TIniSnapshot ini(folder);
            SetDataStatus(folder, companydata::kDataPaste);
            bool copied;
            if (IsClientServerMode()) {
                progress->SetInfoLabel(QStringLiteral("データをコピー中…"));
                copied = CopyOnServer(box, row, source, folder);
            } else {
                copied = CopyLocal(box, row, target, source, folder);
                if (!copied)
                    core::showMessage(core::MessageKind::Error, QStringLiteral("データの貼り付けに失敗しました。"));
            }
            if (copied) {
                FinishPaste(box, row, target, folder);
                done = 1;
            } else if (!IsClientServerMode()) {
                ini.Restore();
            }
        }
    } catch (...) {
        progress->Close();
        release();
        box.raise();
        throw;
    }
    progress->Close();
    release();
    if (done == 1) {
        DataListRefresh(box, row);
        box.Grid->SetRow(row);
        const TDataListRec pasted = box.List.GetRowRec(*box.Grid, row);
        if (ShareStateOf(pasted) == 2 && box.StoreSharedRow(row, true) == 1) {
            if (companydata::TDataSentakuRec* stored = ParentRecordOf(box, row))
                box.SetShareLock(1, *stored);
            DataListRefresh(box, row);
            box.Grid->SetRow(row);
        }
    }
    box.raise();
    return done;
}

} // namespace

int TDataSentakuBox::CopyPaste()
{
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return 0;
    if (KeyState == 1) {
        PastePending = true;
        return CopyStep(*this, row);
    }
    if (KeyState != 2)
        return 0;
    PastePending = false;
    int done = 0;
    try {
        done = PasteStep(*this, row);
    } catch (...) {
        CopySource.clear();
        CopyIndex = -1;
        throw;
    }
    CopySource.clear();
    CopyIndex = -1;
    return done;
}

void TDataSentakuBox::CancelCopy()
{
    if (PastePending && !CopySource.isEmpty())
        selection::SetDataStatus(CopySource, companydata::kDataNormal);
    PastePending = false;
    CopySource.clear();
    CopyIndex = -1;
}

} // namespace selection
