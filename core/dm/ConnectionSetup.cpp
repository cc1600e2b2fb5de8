#include "core/dm/ConnectionSetup.h"

#include "core/Globals.h"
#include "core/db/ConnectionName.h"
#include "core/db/IBDatabase.h"

namespace core {

QString connectHost(const QString& host) {
    return host.isEmpty() ? SystemDef.HOSTNAME : host;
}

void prepareConnection(TIBDatabase& db, const QString& databaseName) {
    db.setLoginPrompt(false);
    db.setSQLDialect(3);
    db.setDatabaseName(databaseName);
    db.params().clear();
    db.params() << serviceParams() << QStringLiteral("lc_ctype=SJIS_0208");
}

QStringList serviceParams() {
    return {QStringLiteral("user_name=") + SystemDef.USER, QStringLiteral("password=") + SystemDef.PASSWORD};
}

bool opensLocally(int connectMode, const QString& host) {
    return !throughServer(connectMode, host);
}

} // namespace core
