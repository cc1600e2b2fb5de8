#pragma once
// The DDL scripts of the three databases, built into the program as Qt resources under
// ":/schema" (the folders system/, company/, company/kind/ and fileman/ of this directory),
// and the creation of a database from them.

#include "schema/DbAccount.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace core {
class TIBDatabase;
}

namespace schema {

enum class DatabaseKind { System, Company, FileMan };

// File names of the database's "*.sql" scripts, in name order (the order they run in).
QStringList schemaScripts(DatabaseKind kind);

// A script's text (UTF-8 in the resources). Throws std::runtime_error when it does not exist.
QString readScript(const QString& resourcePath);

// Runs the scripts of a kind, in order, on an open database; throws ScriptError.
void runSchemaScripts(core::TIBDatabase& db, DatabaseKind kind);

// The trial-balance procedures of a kind of data, in the order they run: the shared helpers
// (company/trial-balance/common.sql), then the set of the kind. The procedures carry the same
// names in both sets with other parameter lists, so a database holds exactly one set:
// medical-corporation data ("iryou") the medical set, every other kind the ordinary set.
QStringList trialBalanceScripts(const QString& kindName);

// Runs the company defaults of one kind of data ("houjin", "iryou", "kojin-ippan", …;
// company/kind/<name>.sql) and then its trial-balance procedures. Run once, after the chart
// of accounts is in the database.
void runKindScript(core::TIBDatabase& db, const QString& kindName);

// Creates the database file (SJIS_0208, dialect 3, page size 16384) at path and runs its
// scripts with forced writes off; the returned connection stays open. The caller fills what
// else it needs and then calls finishDatabase.
std::unique_ptr<core::TIBDatabase> createSchemaDatabase(const DbAccount& account, const QString& path,
                                                        DatabaseKind kind);

// Closes the connection and switches forced writes on again.
void finishDatabase(std::unique_ptr<core::TIBDatabase> db, const DbAccount& account, const QString& path);

// Opens an existing database as the account.
std::unique_ptr<core::TIBDatabase> openDatabase(const DbAccount& account, const QString& path);

} // namespace schema
