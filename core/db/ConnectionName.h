#pragma once
// Database names built from the connection settings (connect mode, server host, folder and
// file name), in the form the Firebird client takes them.

#include <QByteArray>
#include <QString>

namespace core {

// Whether a database of the connect mode and host is reached through the server over TCP: in
// the client/server modes (1, 2) with a host, the loopback address "127.0.0.1" included. A
// bare path would be opened by the engine inside this process, which then holds the file: the
// server (every other operator) could not open it, and no password would be checked. Mode 0,
// and an empty host, name the file for the engine of this process.
bool throughServer(int connectMode, const QString& host);

// "host:folder/file" when throughServer, else "folder/file".
QString databaseConnectionName(int connectMode, const QString& host, const QString& folder, const QString& file);

// Database, backup and service names as the client takes them: the bytes the file system uses
// (UTF-8). Firebird on Linux opens the name bytes as they are, so a CP932 name for a folder with
// a Japanese name is not found. Names the server reports come back the same way.
QByteArray toNativeName(const QString& name);
QString fromNativeName(const QByteArray& bytes);

} // namespace core
