#include "schema/SchemaScripts.h"

#include "core/db/IBDatabase.h"
#include "schema/ForcedWrites.h"
#include "schema/ScriptRunner.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace schema {
namespace {

QString folderOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::System:
        return QStringLiteral(":/schema/system");
    case DatabaseKind::Company:
        return QStringLiteral(":/schema/company");
    case DatabaseKind::FileMan:
        return QStringLiteral(":/schema/fileman");
    }
    return {};
}

} // namespace

QStringList schemaScripts(DatabaseKind kind) {
    const QDir folder(folderOf(kind));
    QStringList files;
    for (const QString& name : folder.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}

QString readScript(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("SQL script not found: " + resourcePath.toStdString());
    return QString::fromUtf8(file.readAll());
}

void runSchemaScripts(core::TIBDatabase& db, DatabaseKind kind) {
    const QStringList files = schemaScripts(kind);
    if (files.isEmpty())
        throw std::runtime_error("no SQL scripts built into the program for " + folderOf(kind).toStdString());
    for (const QString& file : files)
        runScript(db, file.mid(QStringLiteral(":/schema/").size()), readScript(file));
}

QStringList trialBalanceScripts(const QString& kindName) {
    const QString set = kindName == QLatin1String("iryou") ? QStringLiteral("medical") : QStringLiteral("ordinary");
    return {QStringLiteral(":/schema/company/trial-balance/common.sql"),
            QStringLiteral(":/schema/company/trial-balance/%1.sql").arg(set)};
}

void runKindScript(core::TIBDatabase& db, const QString& kindName) {
    const QString file = QStringLiteral(":/schema/company/kind/%1.sql").arg(kindName);
    runScript(db, file.mid(QStringLiteral(":/schema/").size()), readScript(file));
    for (const QString& script : trialBalanceScripts(kindName))
        runScript(db, script.mid(QStringLiteral(":/schema/").size()), readScript(script));
}

std::unique_ptr<core::TIBDatabase> createSchemaDatabase(const DbAccount& account, const QString& path,
                                                        DatabaseKind kind) {
    {
        core::TIBDatabase created;
        configure(created, account, path);
        created.createDatabase();
        created.close();
    }
    // Off while the scripts run; the caller switches it on again when the database is filled.
    setForcedWrites(account, path, false);
    auto db = openDatabase(account, path);
    runSchemaScripts(*db, kind);
    return db;
}

void finishDatabase(std::unique_ptr<core::TIBDatabase> db, const DbAccount& account, const QString& path) {
    db->close();
    db.reset();
    setForcedWrites(account, path, true);
}

std::unique_ptr<core::TIBDatabase> openDatabase(const DbAccount& account, const QString& path) {
    auto db = std::make_unique<core::TIBDatabase>();
    configure(*db, account, path);
    db->open();
    return db;
}

} // namespace schema
