// Restore of a received backup over the target data set, after a collation of the two sides
// that the user must agree to when they differ.
#include "communication/CommArchive.h"
#include "communication/DataTusinCtl.h"
#include "companydata/BackupRestoreThread.h"
#include "companydata/DataInfomation.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/text/NumberText.h"
#include "core/ui/MessageService.h"

#include <QFile>

#include <optional>

namespace communication {

using companydata::TDataInfomationRec;

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

void Warn(const QString& text)
{
    core::showMessage(core::MessageKind::Warning, text);
}

// The message of a refused pair of consolidation kinds (open data, received data); empty: allowed.
QString RefusedKinds(int open, int received)
{
    const auto name = [](int kind) -> QString {
        switch (kind) {
        case 0: return QStringLiteral("通常データ");
        case 1: return QStringLiteral("合算データ");
        case 2: return QStringLiteral("合算本支店データ");
        case 10: return QStringLiteral("分散データ");
        default: return QString();
        }
    };
    if ((open != 1 && open != 2) || open == received || name(received).isEmpty())
        return {};
    return QStringLiteral("現在の処理データは、") + name(open) + QStringLiteral("ですが、受信したデータは、") + name(received)
           + QStringLiteral("なので、復元出来ません。");
}

QString DateForLine(const QString& text)
{
    if (!core::EraDisplayOn())
        return text;
    return core::FormatDateText(QStringLiteral("yy/mm/dd"), 2, core::StrToDateFixed(text), true);
}

} // namespace

bool TDataTusinCtl::CollationCheck(const QString& label, const TDataInfomationRec& source, const TDataInfomationRec& target)
{
    const auto empty = [](const TDataInfomationRec& r) { return r.Shougou.isEmpty() && r.Kishu.isEmpty() && r.Kimatu.isEmpty(); };
    if (empty(source)) {
        Warn(QStringLiteral("%1処理元のデータ情報が不正です。").arg(label) + QLatin1Char('\r'));
        return false;
    }
    if (empty(target)) {
        Warn(QStringLiteral("%1処理先のデータ情報が不正です。").arg(label) + QLatin1Char('\r'));
        return false;
    }
    CheckResultList.clear();
    const auto add = [&](const QString& heading, const QString& from, const QString& to) {
        CheckResultList << heading << QStringLiteral("　【%1元】：%2").arg(label, from) << QStringLiteral("　【%1先】：%2").arg(label, to)
                        << QString();
    };
    if (source.Shougou != target.Shougou)
        add(QStringLiteral("会社名に違いがありました。"), source.Shougou, target.Shougou);
    if (source.Kishu != target.Kishu)
        add(QStringLiteral("期首に違いがありました。"), DateForLine(source.Kishu), DateForLine(target.Kishu));
    if (source.Kimatu != target.Kimatu)
        add(QStringLiteral("期末に違いがありました。"), DateForLine(source.Kimatu), DateForLine(target.Kimatu));
    if (source.TotalSiwake < target.TotalSiwake)
        add(QStringLiteral("仕訳件数(修正・削除仕訳含む)が減っています。"), core::IntToCommaStr(source.TotalSiwake) + QStringLiteral(" 件"),
            core::IntToCommaStr(target.TotalSiwake) + QStringLiteral(" 件"));
    if (CheckResultList.isEmpty())
        return true;
    return view_.Consent(QStringLiteral("データ照合チェックの結果"), QStringLiteral("以下の項目に違いが検出されました。"), CheckResultList,
                         QStringLiteral("データ%1処理の続行に同意します。").arg(label), IsCloud());
}

bool TDataTusinCtl::CollateRestoredCopy(const QString& label, const QString& host, const QString& sourceFolder,
                                        const QString& targetFolder)
{
    CheckResultList.clear();
    if (sourceFolder.isEmpty()) {
        Warn(QStringLiteral("%1処理元のデータパスが不正です。").arg(label) + QLatin1Char('\r'));
        return false;
    }
    return CollateWithTarget(label, targetFolder, [&] {
        companydata::TDataInfomation info;
        info.DataPlace = core::ConnectMode;
        TDataInfomationRec source;
        companydata::ClearDataInfoRec(source);
        info.ReadIniFile(host, sourceFolder, source);
        return source;
    });
}

bool TDataTusinCtl::CollateBackupInfo(const QString& label, const TDataInfomationRec& source, const QString& targetFolder)
{
    return CollateWithTarget(label, targetFolder, [&] { return source; });
}

bool TDataTusinCtl::CollateWithTarget(const QString& label, const QString& targetFolder,
                                      const std::function<TDataInfomationRec()>& readSource)
{
    CheckResultList.clear();
    if (targetFolder.isEmpty()) {
        Warn(QStringLiteral("%1処理先のデータパスが不正です。").arg(label) + QLatin1Char('\r'));
        return false;
    }
    core::TDM& dm = core::RequireDM();
    if (!core::fileops::DExist(dm, targetFolder, core::ConnectMode)) {
        core::fileops::MkDir(dm, targetFolder, core::ConnectMode);
        return true;
    }
    if (!core::fileops::FExist(dm, targetFolder + QStringLiteral("/qmacc.fdb"), core::ConnectMode))
        return true;
    companydata::TDataInfomation info;
    info.DataPlace = core::ConnectMode;
    TDataInfomationRec target;
    companydata::ClearDataInfoRec(target);
    // The whole information file, its data section included, from the database as it is now.
    info.RefreshIniFile(targetFolder, QString());
    info.RefreshIniFile(targetFolder, companydata::kSectionDataInfo);
    info.ReadIni(targetFolder, target);
    if (dm.IBDatabaseDAT.connected())
        dm.AccDatDisconnect(QString(), 0, 0);
    // The source is read only now, after the target's database has been closed.
    const TDataInfomationRec source = readSource();
    return CollationCheck(label, source, target);
}

bool TDataTusinCtl::RestoreReceived()
{
    core::TDM& dm = core::RequireDM();
    companydata::TDataInfomation info;
    info.DataPlace = core::ConnectMode;
    if (IsCloud()) {
        if (GetDataListRecord() == 0)
            return false;
        if (dm.AccDatInConnection(core::kCompanyDatabase, core::SystemDef.HOSTNAME, 0, CloudDataFolder)) {
            Warn(QStringLiteral("このデータは他のオペレータが使用中です。 "));
            return false;
        }
    } else if (SyoriType == stDataReceive && (view_.SelectedRow() < 0 || view_.SelectedRow() == 32700)) {
        return false;
    }
    const QString target = OperationFolder();
    const QString received = ArchiveFiles(IsCloud(), true).Folder + QLatin1Char('/') + BackupFileName;
    if (!QFile::exists(received)) {
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("この場所には、バックアップファイル(%1)がありませんでした。").arg(BackupFileName) + QLatin1Char('\r'));
        return false;
    }
    const QString temp = core::SystemDef.TempDir;
    const QString working = temp + QLatin1Char('/') + BackupFileName;
    const QString tempDb = temp + QStringLiteral("/qmacc.fdb");
    const QString tempIni = temp + QStringLiteral("/qmacc.ini");
    const QString newFolder = temp + QStringLiteral("/receive");
    const bool takeIn = SyoriType == stCashBookReceive || SyoriType == stAutoReceive || SyoriType == stCashBookSideReceive;
    for (const QString& file : {working, tempDb, tempIni})
        if (core::fileops::FExist(dm, file, 0))
            core::fileops::FDel(dm, file, 0, false);

    bool restored = false;
    const auto body = [&]() -> bool {
        if (!core::fileops::FCopy(dm, received, working, 0)) {
            core::showMessage(core::MessageKind::Information,
                              QStringLiteral("ワーク領域にファイルをコピー出来なかったため、復元処理は失敗しました。"));
            return false;
        }
        companydata::TBackupRestoreThread zone(true);
        bool blockFound = false;
        if (SyoriType != stCloudReceiveNew)
            blockFound = zone.ReadZoneInfo(working, true);

        if (SyoriType != stCloudReceiveNew && core::fileops::FExist(dm, target + QStringLiteral("/qmacc.fdb"), core::ConnectMode)) {
            view_.BusyInfo(QStringLiteral("照合チェック中、しばらくお待ちください…"));
            if (!blockFound) {
                companydata::TBackupRestoreThread thread(true);
                thread.Mode = 1;
                thread.TransferKind = 0;
                thread.HostName = kLoopback;
                thread.DatabaseName = tempDb;
                thread.BackupFileName = working;
                thread.KeepIndexes = 0;
                companydata::RunBackupRestoreThread(thread);
                if (!thread.Succeeded || thread.Failed) {
                    Warn(companydata::BackupRestoreErrorText(thread));
                    return false;
                }
                if (!CollateRestoredCopy(QStringLiteral("復元"), kLoopback, temp, target))
                    return false;
            } else if (SyoriType == stDataReceive || SyoriType == stCloudReceive) {
                TDataInfomationRec source;
                companydata::ClearDataInfoRec(source);
                source.Shougou = zone.ZoneShougou;
                source.Kishu = zone.ZoneKishu;
                source.Kimatu = zone.ZoneKimatu;
                source.Siwake = zone.ZoneSiwake;
                source.TotalSiwake = zone.ZoneTotalSiwake;
                source.VerName = zone.ZoneDataVersion;
                source.UseMyNumber = zone.ZoneUseMyNumber;
                const QString refused = RefusedKinds(core::AccInf.GassanKbn, zone.ZoneGassan);
                if (!refused.isEmpty()) {
                    Warn(refused);
                    return false;
                }
                if (!CollateBackupInfo(QStringLiteral("復元"), source, target))
                    return false;
            }
        }

        const QString restoreFolder = SyoriType == stCloudReceiveNew ? newFolder : target;
        if (SyoriType == stCloudReceiveNew) {
            if (core::fileops::DExist(dm, newFolder, core::ConnectMode))
                core::fileops::RmDir(dm, newFolder, core::ConnectMode, false);
            core::fileops::MkDir(dm, newFolder, core::ConnectMode);
        }
        view_.BusyInfo(QStringLiteral("復元中、しばらくお待ちください…"));
        if (!core::fileops::DExist(dm, restoreFolder, core::ConnectMode))
            core::fileops::MkDir(dm, restoreFolder, core::ConnectMode);
        info.SetDataStatus(restoreFolder, 5);

        companydata::TBackupRestoreThread thread(true);
        thread.Mode = 1;
        thread.ProcessName = IsCloud() ? QStringLiteral("クラウドシェア受信") : QStringLiteral("データ受信");
        thread.ZoneUseMyNumber = (SyoriType == stDataReceive || SyoriType == stCloudReceive) ? zone.ZoneUseMyNumber : 0;
        thread.TransferKind = core::ConnectMode != 0 ? 1 : 0;
        if (takeIn || SyoriType == stCloudReceiveNew) {
            thread.HostName = kLoopback;
            if (SyoriType == stCashBookReceive && dm.fnFileManConnected(QString())) {
                thread.TransferKind = 0;
                if (dm.IBFileMan.connected())
                    dm.IBFileMan.close();
            }
            thread.DatabaseName = SyoriType == stCloudReceiveNew ? newFolder + QStringLiteral("/qmacc.fdb") : tempDb;
        } else {
            thread.HostName = core::SystemDef.HOSTNAME;
            thread.DatabaseName = target + QStringLiteral("/qmacc.fdb");
        }
        thread.BackupFileName = working;
        thread.KeepIndexes = 1;
        companydata::RunBackupRestoreThread(thread);
        if (!thread.Succeeded || thread.Failed) {
            Warn(companydata::BackupRestoreErrorText(thread));
            return false;
        }

        if (SyoriType == stDataReceive || SyoriType == stCloudReceive) {
            TDataInfomationRec rec;
            companydata::ClearDataInfoRec(rec);
            info.GetDataInfoOfFolder(target, rec);
            info.UpdateDataInfomation(core::SystemDef.HOSTNAME, target, rec);
            // The registry row of the target folder, written through a scratch record.
            companydata::TDataSentakuRec row;
            row.EntText = rec.DataListName;
            row.Shougou = rec.Shougou;
            row.PasName = target;
            row.UpdateLock = rec.UpdateLock;
            row.Nendo = rec.Nendo;
            row.Kishu = core::StrToDateFixed(rec.Kishu);
            row.Kimatu = core::StrToDateFixed(rec.Kimatu);
            row.VerMajor = rec.VerMajor;
            row.VerMinor1 = rec.VerMinor1;
            row.VerMinor2 = rec.VerMinor2;
            row.VerText = rec.VerName;
            row.ReadOnly = rec.ReadOnly;
            DataList.append(row);
            try {
                UpdateDataListRecord(int(DataList.size()) - 1);
            } catch (...) {
                DataList.removeLast();
                throw;
            }
            DataList.removeLast();
            if (SyoriType == stDataReceive)
                ClearCloudLine(false);
        }
        return true;
    };

    std::exception_ptr failure;
    try {
        restored = body();
    } catch (...) {
        failure = std::current_exception();
    }
    // End steps on every way out.
    if (SyoriType == stDataReceive)
        view_.SetNotTopmost(false);
    view_.BusyClose();
    if (core::fileops::DExist(dm, target, core::ConnectMode))
        info.SetDataStatus(target, 1);
    if (SyoriType == stDataReceive)
        view_.SetNotTopmost(true);
    // Nothing of the received backup stays in the temporary folder; the database restored
    // there for a take-in stays for it (the take-in deletes it).
    QFile::remove(working);
    QFile::remove(tempIni);
    if (!(takeIn && restored))
        QFile::remove(tempDb);
    if (failure)
        std::rethrow_exception(failure);
    if (restored)
        Restored = 1;
    return restored;
}

} // namespace communication
