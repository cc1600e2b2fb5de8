#pragma once
// How the creation tool reaches Firebird: through the embedded engine (no host) or a server,
// always as the product line's database user, so that the user owns what is created.

#include <QString>

namespace core {
class TIBDatabase;
}

namespace schema {

struct DbAccount {
    QString host;                               // empty: embedded engine on a plain path
    QString user = QStringLiteral("TALLEK");
    QString password = QStringLiteral("vorbin");
};

// "path" for the embedded engine, "host:path" through the server.
QString databaseName(const DbAccount& account, const QString& path);

// Sets the name and the connection lines (user, password, SJIS_0208) of a database
// object; it is neither opened nor created here.
void configure(core::TIBDatabase& db, const DbAccount& account, const QString& path);

} // namespace schema
