#pragma once
// Steps the data module's backups, restores and validations share.

#include "core/backup/FileSwap.h"
#include "core/db/IBServices.h"

#include <QString>

namespace core {

// Call inside a catch block: reports the exception being handled with the context and the
// message; database errors go to ReportFbAccessError (reconnect flag 1), others are shown with
// their text as the detail.
void reportCurrentFailure(const QString& context, const QString& message);

// The settings every service of the data module starts from: no login prompt, the protocol,
// the server name (cleared for the local protocol) and the session's user and password.
void configureService(TIBCustomService& service, Protocol protocol, const QString& server);

// The folder of a file path as the engine sees it ("/" separates).
QString folderOfFile(const QString& file);

// The server routines of the session on the host: the system database of SystemDef.SYSDIR
// (a path on the server in the client modes), the session's user and password.
ServerRoutines sessionServerRoutines(const QString& host);

// The restored scratch database takes the place of the target: in this machine's file system
// when fileHost is empty, else on that server. Raises as swapLocalDatabase and
// swapServerDatabase.
void putRestoredDatabaseInPlace(const QString& fileHost, const QString& restored, const QString& target);

} // namespace core
