#include "schema/DbAccount.h"

#include "core/db/IBDatabase.h"

namespace schema {

QString databaseName(const DbAccount& account, const QString& path) {
    return account.host.isEmpty() ? path : account.host + QLatin1Char(':') + path;
}

void configure(core::TIBDatabase& db, const DbAccount& account, const QString& path) {
    db.setDatabaseName(databaseName(account, path));
    db.params() = QStringList{QStringLiteral("user_name=") + account.user,
                              QStringLiteral("password=") + account.password,
                              QStringLiteral("lc_ctype=SJIS_0208")};
    db.setSQLDialect(3);
    db.setLoginPrompt(false);
}

} // namespace schema
