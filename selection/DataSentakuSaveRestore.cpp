// Save (F6) and restore (F7) of the current row's data set: the backup file "qmacc.fbk" with its
// information block in a folder the user chooses (or the caller gives), and the restore of such
// a backup into the row after the data-match check.
#include "selection/DataSentakuBox.h"

#include "communication/DataTusin.h"
#include "companydata/BackupRestoreThread.h"
#include "companydata/CloudShareIO.h"
#include "companydata/DataInfomation.h"
#include "controls/chooser/TFileOperationBox.h"
#include "controls/chooser/TFileOperationBoxEx1.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/SystemFolders.h"
#include "core/fileops/FileOperations.h"
#include "core/session/SystemDef.h"
#include "core/ui/MessageService.h"
#include "selection/DataMatchCheck.h"
#include "selection/DataSentakuOpsSupport.h"
#include "selection/DataSentakuState.h"
#include "selection/ServerWorkFolder.h"

#include <QDir>
#include <QFile>

namespace selection {

using companydata::TDataInfomationRec;

namespace {

const QString kBackupName = QStringLiteral("qmacc.fbk");
const QString kProcessName = QStringLiteral("データ選択");
const QString kTempRefused = QStringLiteral("このフォルダは選択出来ません。他の場所を選んで下さい。");
const QString kInUseRestore = QStringLiteral("このデータは他のオペレータが使用中のため復元処理は行えません。");
const QString kHistFile = QStringLiteral("history.ini");
const QString kHistSection = QStringLiteral("DataBackFolder");

bool ClientServer() { return core::ConnectMode == 1 || core::ConnectMode == 2; }

QString WithoutTrailingSlash(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

void SetChooserCommon(controls::TFileOperationBox& box, const QString& caption, const QString& message,
                      const QString& hint)
{
    box.UseHistory = true;
    box.HistFolder = core::SystemDef.IniDir;
    box.HistFile = kHistFile;
    box.HistSection = kHistSection;
    box.Title = caption;
    box.Message = message;
    box.PlaceLabel = QStringLiteral("保存先の場所:");
    box.Folder = core::GetMyDocumentsDir();
    box.PlaceHint = hint;
}

// The backup-file information of the data set as the thread writes it after a backup.
void SetZoneFromInfo(companydata::TBackupRestoreThread& thread, const TDataInfomationRec& info)
{
    thread.ClearZoneInfo();
    thread.ZoneShougou = info.Shougou;
    thread.ZoneKishu = info.Kishu;
    thread.ZoneKimatu = info.Kimatu;
    thread.ZoneSiwake = info.Siwake;
    thread.ZoneTotalSiwake = info.TotalSiwake;
    thread.ZoneDataVersion = companydata::VersionText(info);
    thread.ZoneGassan = info.GassanKbn;
    thread.ZoneUseMyNumber = info.UseMyNumber;
}

TDataInfomationRec InfoFromZone(const companydata::TBackupRestoreThread& thread)
{
    TDataInfomationRec info;
    companydata::ClearDataInfoRec(info);
    info.Shougou = thread.ZoneShougou;
    info.Kishu = thread.ZoneKishu;
    info.Kimatu = thread.ZoneKimatu;
    info.Siwake = thread.ZoneSiwake;
    info.TotalSiwake = thread.ZoneTotalSiwake;
    info.VerName = thread.ZoneDataVersion;
    const QStringList parts = thread.ZoneDataVersion.split(u'.');
    if (parts.size() == 3) {
        info.VerMajor = parts[0].toInt();
        info.VerMinor1 = parts[1].toInt();
        info.VerMinor2 = parts[2].toInt();
    }
    info.GassanKbn = quint8(thread.ZoneGassan);
    info.UseMyNumber = thread.ZoneUseMyNumber;
    return info;
}

bool ThreadOk(const companydata::TBackupRestoreThread& thread) { return thread.Succeeded && !thread.Failed; }

void WarnThread(const companydata::TBackupRestoreThread& thread)
{
    core::showMessage(core::MessageKind::Warning, companydata::BackupRestoreErrorText(thread), core::mbYes);
}

} // namespace

int TDataSentakuBox::SaveData(const QString& givenFolder)
{
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return 0;
    const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    const QString f = List.GetRowDataPath(*Grid, row);
    if (!AutoShareBeforeUse(row))
        return 0;
    if (List.CloudShareMode && rec.Cloud) {
        // Brought up to date from the cloud first; the row is released again afterwards.
        if (ClientServer() && CheckDataFolder(f) != 1) {
            DataListRefresh(*this, row);
            return 0;
        }
        int r;
        {
            BottomPanel->setEnabled(false);
            companydata::TDataListRec locked = rec;
            locked.DataLock = SessionLoginCode();
            StoreRowRec(*this, row, locked);
            r = CloudTusinForm().CloudShareReceive(f, 0, 1);
            if (r == 0)
                r = CloudTusinForm().CloudShareRelease(f);
            StoreRowRec(*this, row, rec);
            BottomPanel->setEnabled(true);
        }
        if (r >= 1 && r <= 9) {
            DataListRefresh(*this, row);
            return 0;
        }
    }
    if (DataCheckRejects(f, false)) {
        MarkRowBroken(*this, row);
        return 0;
    }
    TDataInfomationRec infoRec;
    companydata::ClearDataInfoRec(infoRec);
    const int s = selection::CheckDataState(*this, f, true, true, &infoRec);
    if (s != 1) {
        if (!(ClientServer() && s == 2))
            return 0;
        if (ShowLines(*this, 3, {QStringLiteral("このデータは他のオペレータが使用中です。保存しますか？")}) != core::mrOk)
            return 0;
    }
    companydata::TDataInfomation info;
    info.DataPlace = quint8(core::ConnectMode);
    if (!info.IsDataSiyouKengen(f)) {
        DataListRefresh(*this, row);
        return 0;
    }

    // The target folder; the session's temporary folder is refused (a given one as well, which
    // ends the save since nothing can be chosen instead).
    QString folder;
    for (;;) {
        if (!givenFolder.isEmpty()) {
            folder = WithoutTrailingSlash(givenFolder);
        } else {
            if (!SaveFolderBox) {
                SaveFolderBox = std::make_unique<controls::TFileOperationBox>(this);
                SaveFolderBox->FileMode = 3;
                SetChooserCommon(
                    *SaveFolderBox, QStringLiteral("データの保存"), QStringLiteral("選択中のデータを保存します。"),
                    QStringLiteral("ﾃﾞｰﾀを保存する場所を選択します。変更する場合は［参照］を押してください。|ﾃﾞｰﾀを保存する場所を"
                                   "選択します。\r\n前回保存又は復元を行った場所を初期値として表示しています。それ以前の場所もリストから"
                                   "選択できます。その他の場所を指定する場合は［参照］を押してください。\r\n［OK］を押すと処理を実行します。"));
            }
            SaveFolderBox->Prepare(1);
            if (ShowFolderBox(*SaveFolderBox) != core::mrOk)
                return 0;
            folder = WithoutTrailingSlash(SaveFolderBox->ResultPath);
        }
        if (!SameFolder(folder, core::SystemDef.TempDir))
            break;
        ShowLines(*this, 2, {kTempRefused});
        if (!givenFolder.isEmpty())
            return 0;
    }
    const QString backupFile = QDir(folder).filePath(kBackupName);
    if (!givenFolder.isEmpty() && QFile::exists(backupFile))
        QFile::remove(backupFile);
    if (!QDir().mkpath(folder)) {
        ShowLines(*this, 2, {QStringLiteral("バックアップフォルダの作成に失敗しました。")});
        return 0;
    }
    if (QFile::exists(backupFile)
        && ShowLines(*this, 3,
                     {QStringLiteral("この場所には、同じ名前のバックアップファイルが既に存在します。"),
                      QStringLiteral("上書きしますか？")})
            != core::mrOk)
        return 0;

    SetDataStatus(f, companydata::kDataBackup);
    DataListRefresh(*this, row);
    int result = -1;
    try {
        auto progress = ShowProgress(*this, QStringLiteral("保存中"), QStringLiteral("保存中、しばらくお待ちください…"));
        companydata::TBackupRestoreThread thread(true);
        thread.Mode = 0;
        thread.HostName = core::SystemDef.HOSTNAME;
        thread.DatabaseName = QDir(f).filePath(kDataFileName);
        thread.BackupFileName = backupFile;
        thread.TransferKind = ClientServer() ? 1 : 0;
        SetZoneFromInfo(thread, infoRec);
        thread.WriteZone = true;
        thread.AskIncludeMyNumber = true;
        thread.LogMyNumber = true;
        thread.ProcessName = kProcessName;
        companydata::RunBackupRestoreThread(thread);
        result = ThreadOk(thread) ? 1 : -1;
        progress->Close();
        if (result != 1)
            WarnThread(thread);
    } catch (...) {
        SetDataStatus(f, companydata::kDataNormal);
        throw;
    }
    if (row < Grid->RowCount())
        Grid->SetRow(row);
    raise();
    SetDataStatus(f, companydata::kDataNormal);
    return result;
}

int TDataSentakuBox::RestoreData(const QString& givenFolder)
{
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return -1;
    companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    const QString f = List.GetRowDataPath(*Grid, row);
    core::TDM& dm = core::RequireDM();
    companydata::TDataInfomation info;
    info.DataPlace = quint8(core::ConnectMode);

    bool broken = rec.DataStatus == 1;
    if (broken) {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(f, 0, 0);
    } else if ((rec.Kishu.isValid() || rec.Kimatu.isValid()) && DataCheckRejects(f, false)) {
        MarkRowBroken(*this, row);
        rec.DataStatus = 1;
        broken = true;
    }
    if (!broken) {
        if (List.CloudShareMode && rec.Cloud) {
            ShowLines(*this, 2, {QStringLiteral("クラウドシェアデータのため復元処理は行えません。")});
            return -1;
        }
        const int s = selection::CheckDataState(*this, f, false, true);
        if (s != 1) {
            if (ClientServer() && s == 2)
                ShowLines(*this, 2, {kInUseRestore});
            return -1;
        }
        if (!info.IsDataSiyouKengen(f))
            return -1;
    }

    // The source: a folder of this computer (location 0) or the default place on the server,
    // the target's own data folder (location = connection mode).
    int location = 0;
    QString source;
    for (;;) {
        if (!givenFolder.isEmpty()) {
            source = WithoutTrailingSlash(givenFolder);
            break;
        }
        if (!RestoreFolderBox) {
            RestoreFolderBox = std::make_unique<controls::TFileOperationBoxEx1>(this);
            RestoreFolderBox->FileMode = 2;
            SetChooserCommon(
                *RestoreFolderBox, QStringLiteral("データの復元"),
                QStringLiteral("指定された保存先の場所にバックアップファイルがある場合は、商号、会計期間および仕訳数をチェックし、"
                               "条件が満たされれば復元されます。"),
                QStringLiteral("ﾃﾞｰﾀが保存されている場所を選択します。変更する場合は［参照］を押してください。|ﾃﾞｰﾀが保存されている"
                               "場所を選択します。\r\n前回保存又は復元を行った場所を初期値として表示しています。それ以前の場所もリストから"
                               "選択できます。その他の場所を指定する場合は［参照］を押してください。\r\n［OK］を押すと処理を実行します。"));
            RestoreFolderBox->SetSelect1Caption(QStringLiteral("保存先の場所を選択して復元する"));
            RestoreFolderBox->SetSelect2Caption(QStringLiteral("プログラムの既定の保存先の場所より復元する"));
            RestoreFolderBox->SelectKind = 1;
        }
        RestoreFolderBox->Prepare(1);
        if (ShowFolderBox(*RestoreFolderBox) != core::mrOk)
            return -1;
        if (RestoreFolderBox->SelectKind == 2) {
            location = core::ConnectMode;
            source = f;
            break;
        }
        source = WithoutTrailingSlash(RestoreFolderBox->ResultPath);
        if (!SameFolder(source, core::SystemDef.TempDir))
            break;
        ShowLines(*this, 2, {kTempRefused});
    }

    const int state = selection::CheckDataState(*this, f, false, true);
    if (state != 1 && state != companydata::kDataBroken) {
        if (ClientServer() && state == 2)
            ShowLines(*this, 2, {kInUseRestore});
        return -1;
    }
    const QString sourceFile = QDir(source).filePath(kBackupName);
    if (!core::fileops::FExist(dm, sourceFile, location)) {
        ShowLines(*this, 2, {QStringLiteral("この場所には、バックアップファイル(%1)がありませんでした。").arg(kBackupName)});
        return -1;
    }

    auto progress = ShowProgress(*this, QStringLiteral("復元中"), QStringLiteral("復元中、しばらくお待ちください…"));
    if (ClientServer()) {
        rec.DataLock = SessionLoginCode();
        StoreRowRec(*this, row, rec);
    }
    // Ends the restore in every case: the row released, the state back to normal.
    const auto finish = [&](int result) {
        if (ClientServer()) {
            companydata::TDataListRec released = List.GetRowRec(*Grid, row);
            released.DataLock = 0;
            StoreRowRec(*this, row, released);
            DataListRefresh(*this, row);
        }
        progress->Close();
        if (core::fileops::DExist(dm, f, core::ConnectMode))
            SetDataStatus(f, companydata::kDataNormal);
        if (row < Grid->RowCount())
            Grid->SetRow(row);
        raise();
        return result;
    };
    // The work between the lock and the release; whatever it throws, the row is released and
    // the state mark cleared before the error goes on.
    const auto restore = [&]() -> int {
        const QString temp = core::SystemDef.TempDir;
        for (const QString& name : {kBackupName, QStringLiteral("qmacc.fdb"), QStringLiteral("qmacc.ini")})
            QFile::remove(QDir(temp).filePath(name));

        // The source backup: on the server as it is, or a copy in the temporary folder with its
        // information block cut off.
        const bool serverSource = location != 0;
        const QString workFolder = serverSource ? ServerWorkFolder() : temp;
        QString sourceBackup;
        companydata::TBackupRestoreThread zone(true);
        bool hasBlock = false;
        if (serverSource) {
            if (!core::fileops::DExist(dm, workFolder, location))
                core::fileops::MkDir(dm, workFolder, location);
            sourceBackup = sourceFile;
        } else {
            QDir().mkpath(temp);
            sourceBackup = QDir(temp).filePath(kBackupName);
            if (!core::fileops::FCopy(dm, sourceFile, sourceBackup, 0)) {
                ShowLines(*this, 2, {QStringLiteral("ワーク領域にファイルをコピー出来なかったため、復元処理は失敗しました。")});
                return -1;
            }
            hasBlock = zone.ReadZoneInfo(sourceBackup, true);
        }

        // The data-match check against the data already in the target.
        bool ok = true;
        int useMyNumber = hasBlock ? zone.ZoneUseMyNumber : 0;
        RestoreSource = TDataInfomationRec{};
        companydata::ClearDataInfoRec(RestoreSource);
        TDataMatchCheck check;
        check.Owner = this;
        check.Progress = progress.get();
        check.ConnectMode = core::ConnectMode;
        check.ShowDetailBox = ShowDetailBox;
        if (broken) {
            ok = ShowLines(*this, 3,
                           {QStringLiteral("このデータは破損データのため、データ間の照合チェックは行わずに復元を行います。"),
                            QStringLiteral("よろしいですか？")})
                == core::mrOk;
        } else if (core::fileops::FExist(dm, QDir(f).filePath(kDataFileName), core::ConnectMode)) {
            TDataInfomationRec sourceInfo;
            if (hasBlock) {
                sourceInfo = InfoFromZone(zone);
                progress->SetInfoLabel(QStringLiteral("照合チェック中、しばらくお待ちください…"));
                ok = check.CheckKindPair(kVerbRestore, sourceInfo, f) == 1;
            } else {
                companydata::TBackupRestoreThread work(true);
                work.Mode = 1;
                work.HostName = serverSource ? core::SystemDef.HOSTNAME : QStringLiteral("127.0.0.1");
                work.TransferKind = 0;
                work.DatabaseName = QDir(workFolder).filePath(kDataFileName);
                work.BackupFileName = sourceBackup;
                work.AskIncludeMyNumber = false;
                work.ProcessName = kProcessName;
                companydata::RunBackupRestoreThread(work);
                if (ThreadOk(work)) {
                    // The restored copy's information, read from its database on the machine
                    // that holds it.
                    companydata::ClearDataInfoRec(sourceInfo);
                    if (dm.fnAccDatConnected(serverSource ? core::SystemDef.HOSTNAME : QString(), workFolder, 0)) {
                        try {
                            companydata::TDataInfomation().GetDataInfoRec(sourceInfo);
                        } catch (...) {
                            dm.AccDatDisconnect(workFolder, 0, 0);
                            throw;
                        }
                        dm.AccDatDisconnect(workFolder, 0, 0);
                    }
                    ok = check.CheckKindPair(kVerbRestore, sourceInfo, f) == 1;
                    useMyNumber = sourceInfo.UseMyNumber;
                } else {
                    progress->Close();
                    WarnThread(work);
                    ok = false;
                }
            }
            if (ok)
                RestoreSource = sourceInfo;
        }
        if (serverSource)
            core::fileops::RmDir(dm, workFolder, location, false);
        if (!ok)
            return -1;

        // The restore itself. The worker restores into a scratch database and puts it in place only
        // when complete, so a failure leaves the target as it was: nothing else is changed then.
        const bool hadDatabase = core::fileops::FExist(dm, QDir(f).filePath(kDataFileName), core::ConnectMode);
        if (!core::fileops::DExist(dm, f, core::ConnectMode))
            core::fileops::MkDir(dm, f, core::ConnectMode);
        SetDataStatus(f, companydata::kDataRestore);
        companydata::TBackupRestoreThread thread(true);
        thread.Mode = 1;
        thread.HostName = core::SystemDef.HOSTNAME;
        thread.DatabaseName = QDir(f).filePath(kDataFileName);
        thread.BackupFileName = sourceBackup;
        thread.TransferKind = ClientServer() && !serverSource ? 1 : 0;
        thread.ZoneUseMyNumber = useMyNumber;
        thread.AskIncludeMyNumber = true;
        thread.LogMyNumber = true;
        thread.KeepIndexes = 1;
        thread.ProcessName = kProcessName;
        companydata::RunBackupRestoreThread(thread);
        if (!ThreadOk(thread)) {
            progress->Close();
            WarnThread(thread);
            return -1;
        }

        // The restored data set's information into its database, its information file and the row.
        TDataInfomationRec restored;
        companydata::ClearDataInfoRec(restored);
        info.GetDataInfoOfFolder(f, restored);
        if (!hadDatabase || RestoreSource.Shougou.isEmpty())
            RestoreSource = restored;
        const bool parent = companydata::HasChildren(rec.Gassan);
        if (!ClientServer() && parent && rec.Shougou != restored.Shougou)
            ClearChildren(*this, row, true);
        companydata::TDataSentakuRec* listed = ParentRecordOf(*this, row);
        const int childCount = parent && listed ? int(listed->Children.size()) : 0;
        SyncGassanSetting(f, restored.GassanKbn, rec.Gassan, childCount);
        companydata::TCloudShareIO().ClearSetting(core::SystemDef.HOSTNAME, f);
        restored.Status = companydata::kDataNormal;
        restored.CloudShare = 0;
        info.UpdateDataInfomation(core::SystemDef.HOSTNAME, f, restored);
        if (core::ConnectMode == 0)
            info.WriteIniFile(f, companydata::kSectionDataInfo, restored);
        companydata::TDataListRec updated = List.GetRowRec(*Grid, row);
        SetListRecFromInfo(updated, restored, false);
        updated.EntText = restored.DataListName.isEmpty() ? restored.Shougou : restored.DataListName;
        updated.DispName = updated.EntText;
        updated.Cloud = 0;
        updated.DataStatus = 0;
        updated.DataLock = rec.DataLock;
        StoreRowRec(*this, row, updated);
        DataListRefresh(*this, row);
        if (ShareStateOf(updated) == 2 && row < Grid->RowCount()) {
            Grid->SetRow(row);
            if (StoreSharedRow(row, true) == 1) {
                if (companydata::TDataSentakuRec* stored = ParentRecordOf(*this, row))
                    SetShareLock(1, *stored);
            }
            DataListRefresh(*this, row);
        }
        return 1;
    };
    int result = -1;
    try {
        result = restore();
    } catch (...) {
        try {
            finish(-1);
        } catch (...) {
        }
        throw;
    }
    return finish(result);
}

} // namespace selection
