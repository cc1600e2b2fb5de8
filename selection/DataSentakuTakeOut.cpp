// Take-out and bring-back (client/server mode 1): the current row's data set travels as a
// backup file in the session's work folder between the server and the local data area of this
// computer, where a second data selection in processing type 5 restores or saves it. While a
// data set is taken out its server row carries the operator's lock.
#include "selection/DataSentakuBox.h"

#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/Exception.h"
#include "core/files/SystemFolders.h"
#include "core/session/SystemDef.h"
#include "selection/DataSentakuOpsSupport.h"
#include "selection/DataSentakuState.h"
#include "selection/ServerWorkFolder.h"
#include "selection/WhichDataSetBox.h"

#include <QDir>

namespace selection {

namespace {

// Connects the system database again for the session's values; true when connected.
bool ReconnectSystem(const QString& host)
{
    core::TDM& dm = core::RequireDM();
    if (dm.IBTransactionDEF.inTransaction())
        dm.IBTransactionDEF.rollback();
    if (dm.IBDatabaseDEF.connected())
        dm.IBDatabaseDEF.close();
    return dm.fnAccDefConnected(host, 1);
}

// The second data selection on the local data area; its result (-1 when none was started).
int LaunchLocalSelection(const QString& syori, const QString& workFolder)
{
    if (!core::LaunchModuleHook)
        return -1;
    const QString params = QStringLiteral("SyoriType=5\rOnlySA_Syori=%1\rOnlySA_BackupPath=%2").arg(syori, workFolder);
    return core::LaunchModuleHook(QStringLiteral("VxDataSenkaku"), 1, params);
}

} // namespace

void TDataSentakuBox::SwitchConnection(TKeptConnection& keep, const QString& kind)
{
    core::TSystemDef& def = core::SystemDef;
    if (kind == u"backup") {
        keep.ConnectMode = core::ConnectMode;
        keep.HostName = def.HOSTNAME;
        keep.SysDir = def.SYSDIR;
        keep.DataFolder = def.DataFolder;
        keep.LocalAdmin = def.LocalAdmin;
        keep.SysDbMajor = def.SysDbMajor;
        keep.SysDbMinor1 = def.SysDbMinor1;
        keep.SysDbMinor2 = def.SysDbMinor2;
    } else if (kind == u"local") {
        const QString appData = core::GetAppDataDir(true);
        if (appData.isEmpty())
            throw core::Exception(QStringLiteral("アプリケーションの初期化に失敗しました。\r%1を終了します。\rデータフォルダの取得に失敗しました。")
                                      .arg(def.AppName));
        QString home = core::AppInfo.HomeDir;
        home.replace(u'\\', u'/');
        core::ConnectMode = 0;
        def.HOSTNAME.clear();
        def.SYSDIR = QDir::cleanPath(appData + u'/' + home + QStringLiteral("/data"));
        def.LocalAdmin = 1;
    } else if (kind == u"server") {
        core::ConnectMode = keep.ConnectMode;
        def.HOSTNAME = keep.HostName;
        def.SYSDIR = keep.SysDir;
        def.DataFolder = keep.DataFolder;
        def.LocalAdmin = keep.LocalAdmin;
        def.SysDbMajor = keep.SysDbMajor;
        def.SysDbMinor1 = keep.SysDbMinor1;
        def.SysDbMinor2 = keep.SysDbMinor2;
    }
}

void TDataSentakuBox::SetLockMark(bool taken, qint32 code)
{
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return;
    const qint32 lock = taken ? (code != 0 ? code : SessionLoginCode()) : 0;
    Grid->SetCellPicture(colLockPic, row, taken ? List.LockPicture : List.BlankPicture);
    Grid->SetCellInt(colLock, row, lock);
    companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    rec.DataLock = lock;
    StoreRowRec(*this, row, rec);
}

int TDataSentakuBox::TakeOutBringBack()
{
    const int row = Grid->Row();
    if (core::ConnectMode != 1 || row < 0 || row >= Grid->RowCount())
        return 1;
    const companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    if (List.CloudShareMode && rec.Cloud) {
        ShowLines(*this, 2, {QStringLiteral("クラウドシェアデータのため持ち出し処理は行えません。")});
        return 1;
    }
    TKeptConnection keep;
    SwitchConnection(keep, QStringLiteral("backup"));
    const qint32 lockBefore = Grid->CellInt(colLock, row);
    bool taken = lockBefore != 0;
    bool bringBack = false;
    {
        TWhichDataSetBox which(this);
        which.BringBack = 0;
        which.TakenOut = taken ? 1 : 0;
        which.Prepare(1);
        if (ShowWhichBox(which) != core::mrOk)
            return 1;
        bringBack = which.BringBack == 1;
    }
    const QString work = ServerWorkFolder();

    if (!bringBack) {
        // Take-out: the backup into the work folder, restored on the local side.
        if (SaveData(work) != 1)
            return 1;
        ShowLines(*this, 2,
                  {QStringLiteral("続いて、このコンピュータのデータリストを表示します。"), QStringLiteral("持ち出し先を選んで下さい。")});
        bool launched = false;
        try {
            SwitchConnection(keep, QStringLiteral("local"));
            if (!core::SystemDef.SYSDIR.isEmpty() && ReconnectSystem(QString())) {
                core::RequireDM().GetSystemVersion();
                launched = true;
                if (LaunchLocalSelection(QStringLiteral("Restore"), work) == 1)
                    taken = true;
            }
        } catch (...) {
            SwitchConnection(keep, QStringLiteral("server"));
            ReconnectSystem(keep.HostName);
            throw;
        }
        SwitchConnection(keep, QStringLiteral("server"));
        // Without a local run the row is left as it was.
        if (ReconnectSystem(keep.HostName) && launched)
            SetLockMark(taken, 0);
        return 1;
    }

    {
        // Bring-back: the local side saves into the work folder, restored here.
        companydata::TDataInfomation info;
        info.DataPlace = quint8(core::ConnectMode);
        if (!info.IsDataSiyouKengen(List.GetRowDataPath(*Grid, row)))
            return 1;
        ShowLines(*this, 2,
                  {QStringLiteral("このコンピュータのデータリストを表示します。"), QStringLiteral("持ち帰ったデータを選んで下さい。")});
        int r = -1;
        try {
            SwitchConnection(keep, QStringLiteral("local"));
            if (!core::SystemDef.SYSDIR.isEmpty() && ReconnectSystem(QString())) {
                core::RequireDM().GetSystemVersion();
                r = LaunchLocalSelection(QStringLiteral("Backup"), work);
            }
        } catch (...) {
            SwitchConnection(keep, QStringLiteral("server"));
            ReconnectSystem(keep.HostName);
            throw;
        }
        SwitchConnection(keep, QStringLiteral("server"));
        if (!ReconnectSystem(keep.HostName) || r != 1)
            return 1;
        const qint32 v = Grid->CellInt(colLock, row);
        if (v != 0)
            SetLockMark(false, 0);
        if (RestoreData(work) == -1)
            SetLockMark(true, v);
    }
    return 1;
}

} // namespace selection
