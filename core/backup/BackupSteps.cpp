#include "core/backup/BackupSteps.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/ConnectionSetup.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/session/Identity.h"

#include <QDir>

#include <exception>

namespace core {

void reportCurrentFailure(const QString& context, const QString& message) {
    try {
        throw;
    } catch (const EIBError& e) {
        ReportFbAccessError(e, context, message, 1);
    } catch (const std::exception& e) {
        ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
    } catch (...) {
        ShowMessageWithDetail(message, QString(), MessageKind::Error);
    }
}

void configureService(TIBCustomService& service, Protocol protocol, const QString& server) {
    service.setLoginPrompt(false);
    service.setProtocol(protocol);
    service.setServerName(QString());
    if (protocol != Protocol::Local)
        service.setServerName(server);
    service.params() = serviceParams();
}

QString folderOfFile(const QString& file) {
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : file.left(slash == 0 ? 1 : slash);
}

ServerRoutines sessionServerRoutines(const QString& host) {
    return {host, QDir(SystemDef.SYSDIR).filePath(Identity.DataDefFile), serviceParams()};
}

void putRestoredDatabaseInPlace(const QString& fileHost, const QString& restored, const QString& target) {
    if (fileHost.isEmpty())
        swapLocalDatabase(restored, target);
    else
        swapServerDatabase(sessionServerRoutines(fileHost), restored, target);
}

} // namespace core
