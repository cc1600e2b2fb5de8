// Dropping the company database of a data folder.
#include "core/dm/TDM.h"

#include "core/Globals.h"
#include "core/db/ConnectionName.h"
#include "core/dm/ConnectionSetup.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/session/Identity.h"

namespace core {

bool TDM::AccDatDropDatabase(const QString& hostArg, const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QString message =
        QStringLiteral("ユーザーデータベースの削除処理に失敗しました。\r接続パスを確認して下さい。");
    try {
        TIBDatabase db;
        prepareConnection(db, databaseConnectionName(ConnectMode, connectHost(hostArg), folder, Identity.DataFile));
        db.open();
        db.dropDatabase();
        return true;
    } catch (const EIBError& e) {
        ReportFbAccessError(e, QStringLiteral("TDM.AccDatDropDatabase"), message, 1);
    } catch (const std::exception& e) {
        ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
    }
    return false;
}

} // namespace core
