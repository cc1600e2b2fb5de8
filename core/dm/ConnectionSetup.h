#pragma once
// How the data module names and prepares every connection it makes: the three databases, the
// temporary connection of a drop and the services.

#include <QString>
#include <QStringList>

namespace core {

class TIBDatabase;

// The host argument of the connect operations; an empty one means SystemDef.HOSTNAME.
QString connectHost(const QString& host);

// No login prompt, SQL dialect 3, the name, and a parameter list of exactly "user_name=",
// "password=" (the session's database user and password) and "lc_ctype=SJIS_0208".
void prepareConnection(TIBDatabase& db, const QString& databaseName);

// The session's "user_name=" and "password=" lines, as the services take them.
QStringList serviceParams();

// Whether the database of a connect mode and host is opened locally rather than through the
// server: mode 0, or the loopback address "127.0.0.1".
bool opensLocally(int connectMode, const QString& host);

} // namespace core
