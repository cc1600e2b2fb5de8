#pragma once
// Renames a file on the database server, through the server routine FILERENAME of our
// Firebird plugin (declared in the system and in the file-management database). The restore
// uses it to swap a restored file into place in server mode, where this program has no file
// access of its own: the caller makes sure beforehand that nobody has either file attached.

#include <QString>

namespace core {

class TIBDatabase;

// Renames `from` to `to` on the server of the connected database db, replacing a file `to`
// in one step. True when the server renamed the file; false when it refused (a path outside
// the folders the server allows, not a plain file, a missing source) or the rename failed.
// Runs in a transaction of its own; database errors raise EIBError for the caller to report.
bool ServerRenameFile(TIBDatabase& db, const QString& from, const QString& to);

} // namespace core
