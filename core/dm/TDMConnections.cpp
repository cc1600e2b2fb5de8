// Connecting and disconnecting the three databases of the data module.
#include "core/dm/TDM.h"

#include "core/Globals.h"
#include "core/db/ConnectionName.h"
#include "core/dm/ConnectionSetup.h"
#include "core/dm/DataSetMarks.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/session/Identity.h"

#include <QDir>

namespace core {

namespace {

const QString kSystemConnectFailed = QStringLiteral("システムデータベースの接続処理に失敗しました。");
const QString kCompanyConnectFailed =
    QStringLiteral("ユーザーデータベースの接続処理に失敗しました。\rDBファイルが削除、破損 または "
                   "使用中の可能性がありますので接続パスを確認して下さい。");

void openDatabase(TIBDatabase& db, const QString& host, const QString& folder, const QString& file) {
    prepareConnection(db, databaseConnectionName(ConnectMode, host, folder, file));
    db.open();
}

} // namespace

bool TDM::fnAccDefConnected(const QString& host, quint8 reportErrors) {
    if (IBDatabaseDEF.connected())
        return true;
    try {
        openDatabase(IBDatabaseDEF, connectHost(host), SystemDef.SYSDIR, Identity.DataDefFile);
    } catch (const EIBError& e) {
        if (reportErrors != 1)
            throw;
        ReportFbAccessError(e, QStringLiteral("TDM.fnAccDefConnected"), kSystemConnectFailed, 0);
        return false;
    } catch (const std::exception& e) {
        if (reportErrors != 1)
            throw;
        ShowMessageWithDetail(kSystemConnectFailed, exceptionText(e), MessageKind::Error);
        return false;
    }
    return true;
}

bool TDM::fnFileManConnected(const QString& host) {
    try {
        if (!FExist(QDir(SystemDef.SYSDIR).filePath(kFileManDataFile), ConnectMode))
            return false;
        if (IBFileMan.connected())
            return true;
        openDatabase(IBFileMan, connectHost(host), SystemDef.SYSDIR, kFileManDataFile);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TDM::fnAccDatConnected(const QString& hostArg, const QString& folderArg, quint8 writeInfo) {
    const QString host = connectHost(hostArg);
    const QString folder = folderArg.isEmpty() ? SystemDef.DataFolder : folderArg;
    return connectCompanyDatabase(*this, databaseConnectionName(ConnectMode, host, folder, Identity.DataFile), host,
                                  folder, writeInfo);
}

bool connectCompanyDatabase(TDM& dm, const QString& databaseName, const QString& host, const QString& folder,
                            quint8 writeInfo) {
    try {
        dm.IBDatabaseDAT.close();
        prepareConnection(dm.IBDatabaseDAT, databaseName);
        dm.IBDatabaseDAT.open();
        if (writeInfo == 1)
            if (DataSetMarks* marks = dataSetMarks())
                marks->MarkInUse(folder, ConnectMode == 0);
    } catch (const EIBError& e) {
        ReportFbAccessError(e, QStringLiteral("TDM.fnAccDatConnected"), kCompanyConnectFailed, 0);
        // A file that cannot be read at all (missing, locked, being restored) is not damaged;
        // and once the program is ending no check is started.
        if (e.ibErrorCode() != isc::io_error && !FatalDbError)
            dm.CallDataCheckHook(host, folder, 0, 1);
    } catch (const std::exception& e) {
        ShowMessageWithDetail(kCompanyConnectFailed, exceptionText(e), MessageKind::Error);
    }
    return dm.IBDatabaseDAT.connected();
}

bool TDM::AccDatDisconnect(const QString& folderArg, quint8 writeInfo, quint8 updateList) {
    const QString folder = folderArg.isEmpty() ? SystemDef.DataFolder : folderArg;
    // The connection is closed and its parameters cleared even when marking the data set fails;
    // the failure then reaches the caller.
    std::exception_ptr markFailure;
    if (writeInfo == 1 || updateList == 1) {
        try {
            if (DataSetMarks* marks = dataSetMarks())
                marks->MarkClosed(folder, writeInfo == 1 && ConnectMode == 0, updateList == 1);
        } catch (...) {
            markFailure = std::current_exception();
        }
    }
    IBDatabaseDAT.params().clear(); // before close(), which may raise on a lost connection
    IBDatabaseDAT.close();
    if (markFailure)
        std::rethrow_exception(markFailure);
    return true;
}

} // namespace core
