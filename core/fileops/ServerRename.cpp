#include "core/fileops/ServerRename.h"

#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

namespace core {

bool ServerRenameFile(TIBDatabase& db, const QString& from, const QString& to) {
    TIBTransaction transaction;
    transaction.setDefaultDatabase(&db);
    transaction.params() = {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
    transaction.startTransaction();
    TIBSQL query(&db, &transaction);
    query.sql().append(QStringLiteral("SELECT WBOOL FROM FILERENAME(:FILEPATH1,:FILEPATH2)"));
    query.paramByName(QStringLiteral("FILEPATH1")).setString(from);
    query.paramByName(QStringLiteral("FILEPATH2")).setString(to);
    query.execQuery();
    const bool renamed = !query.eof() && query.fieldByName(QStringLiteral("WBOOL")).asInteger() == 1;
    query.close();
    transaction.commit();
    return renamed;
}

} // namespace core
