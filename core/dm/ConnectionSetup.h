#pragma once
// How the data module names and prepares every connection it makes: the three databases, the
// temporary connection of a drop and the services.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace core {

class TDM;
class TIBDatabase;

// The host argument of the connect operations; an empty one means SystemDef.HOSTNAME.
QString connectHost(const QString& host);

// No login prompt, SQL dialect 3, the name, and a parameter list of exactly "user_name=",
// "password=" (the session's database user and password) and "lc_ctype=SJIS_0208".
void prepareConnection(TIBDatabase& db, const QString& databaseName);

// The session's "user_name=" and "password=" lines, as the services take them.
QStringList serviceParams();

// Connects the data module's company database under the name given, as fnAccDatConnected does
// (writeInfo 1 marks the data set in use; a failure is reported and may go to the data check).
bool connectCompanyDatabase(TDM& dm, const QString& databaseName, const QString& host, const QString& folder,
                            quint8 writeInfo);

// Whether the database of a connect mode and host is opened by the engine of this process
// rather than through the server: the opposite of throughServer (core/db/ConnectionName.h).
bool opensLocally(int connectMode, const QString& host);

} // namespace core
