#include "core/settings/QueryFactory.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"

namespace core {

namespace {

std::unique_ptr<TIBSQL> createStatement(const QString& databaseName, bool snapshot) {
    if (!DM)
        return nullptr;
    try {
        if (databaseName == QLatin1String("ACCDEF"))
            return std::make_unique<TIBSQL>(&DM->IBDatabaseDEF, &DM->IBTransactionDEF);
        return std::make_unique<TIBSQL>(&DM->IBDatabaseDAT, snapshot ? &DM->IBTransactionDATSS : &DM->IBTransactionDAT);
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace

std::unique_ptr<TIBQuery> CreateIBQuery(const QString& databaseName, bool snapshot) {
    return createStatement(databaseName, snapshot);
}

std::unique_ptr<TIBSQL> CreateIBSQL(const QString& databaseName, quint8 snapshotKind) {
    return createStatement(databaseName, snapshotKind == 1);
}

} // namespace core
