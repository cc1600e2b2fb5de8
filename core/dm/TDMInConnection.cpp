// Whether a database file of a data folder is attached by anybody.
#include "core/dm/TDM.h"

#include "core/Globals.h"
#include "core/dm/ConnectionSetup.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/session/Identity.h"

#include <QDir>

namespace core {

namespace {

// Locally both names lie in this machine's file system and links are resolved. A server names
// its files as it sees them, which this machine cannot resolve: those names are compared after
// lexical normalisation only. File names are case-sensitive here, so case counts. A name that
// could not be formed (empty) matches nothing.
bool sameDatabase(const QString& attached, const QString& key, bool local) {
    if (attached.isEmpty() || key.isEmpty())
        return false;
    if (local)
        return sameDatabaseFile(attached, key);
    return QDir::cleanPath(attached) == QDir::cleanPath(key);
}

} // namespace

bool TDM::AccDatInConnection(quint8 kind, const QString& hostArg, quint8 keepOwnConnection, const QString& folder) {
    if (folder.trimmed().isEmpty())
        return false;
    const QString host = connectHost(hostArg);
    const bool local = opensLocally(ConnectMode, host);
    const QString file = kind == kSystemDatabase ? Identity.DataDefFile : Identity.DataFile;
    TIBDatabase& own = kind == kSystemDatabase ? IBDatabaseDEF : IBDatabaseDAT;
    const bool reopenOwn = keepOwnConnection != 1 && own.connected();

    bool attached = false;
    std::exception_ptr failure;
    try {
        const QString key = LongToShortFileName(QDir(folder).filePath(file), ConnectMode);
        TIBServerProperties service;
        service.setLoginPrompt(false);
        service.setProtocol(local ? Protocol::Local : Protocol::TCP);
        if (!local)
            service.setServerName(host);
        // The embedded engine lists only this process's attachments, and only to its
        // administrator; it checks no password and grants nothing the process does not have.
        service.params() = local ? QStringList{QStringLiteral("user_name=SYSDBA")} : serviceParams();
        if (reopenOwn)
            own.close(); // our own attachment must not count
        service.attach();
        for (const QString& name : service.fetchDatabaseInfo().dbName)
            if (sameDatabase(LongToShortFileName(name, ConnectMode), key, local))
                attached = true;
        service.detach();
    } catch (...) {
        failure = std::current_exception();
    }
    if (reopenOwn) {
        try {
            own.open();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure) {
        const QString message = QStringLiteral("データベースの使用情報の取得に失敗しました。");
        try {
            std::rethrow_exception(failure);
        } catch (const EIBError& e) {
            ReportFbAccessError(e, QStringLiteral("TDM.AccDatInConnection"), message, 1);
        } catch (const std::exception& e) {
            ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
        }
    }
    return attached;
}

} // namespace core
