#pragma once
// Forced writes make Firebird flush every commit to disk. Creating a database commits after
// every DDL statement, hundreds of times, so the creation tool switches them off while it
// fills a new database and on again when it is done (the setting is kept in the database).

#include "schema/DbAccount.h"

namespace schema {

// Attaches once as the account (the owner may change the setting) and sets the write mode.
// Throws std::runtime_error with Firebird's message on failure.
void setForcedWrites(const DbAccount& account, const QString& path, bool on);

} // namespace schema
