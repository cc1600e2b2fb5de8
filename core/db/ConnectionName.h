#pragma once
// Database names built from the connection settings (connect mode, server host, folder and
// file name), in the form the Firebird client takes them.

#include <QByteArray>
#include <QString>

namespace core {

// connectMode 0 is a local database; any other mode goes through the server at host, unless
// the host is the loopback address, which is opened locally like mode 0.
QString databaseConnectionName(int connectMode, const QString& host, const QString& folder, const QString& file);

// The name used to drop a database: through the server whenever connectMode != 0, even on
// the loopback address.
QString dropDatabaseName(int connectMode, const QString& host, const QString& folder, const QString& file);

// Database, backup and service names as the client takes them: the bytes the file system uses
// (UTF-8). Firebird on Linux opens the name bytes as they are, so a CP932 name for a folder with
// a Japanese name is not found. Names the server reports come back the same way.
QByteArray toNativeName(const QString& name);
QString fromNativeName(const QByteArray& bytes);

} // namespace core
