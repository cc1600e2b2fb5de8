#include "tests/dbupgrade/UpgradeTestSupport.h"

#include "core/Globals.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/session/Identity.h"
#include "dbupgrade/runner/UpdateScript.h"
#include "platform/Cp932.h"
#include "schema/DbAccount.h"
#include "schema/ForcedWrites.h"
#include "schema/SchemaScripts.h"
#include "schema/ScriptRunner.h"

#include <QDir>
#include <QFile>
#include <QMutex>

#include <map>

namespace upgradetest {

namespace {

QString readUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + path).toStdString());
    return QString::fromUtf8(file.readAll());
}

QTemporaryDir& templateDir()
{
    static QTemporaryDir dir;
    return dir;
}

std::unique_ptr<core::TIBDatabase> createEmpty(const QString& path)
{
    const schema::DbAccount account;
    {
        core::TIBDatabase created;
        schema::configure(created, account, path);
        created.createDatabase();
        created.close();
    }
    schema::setForcedWrites(account, path, false);
    return schema::openDatabase(account, path);
}

void runFiles(core::TIBDatabase& db, const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        schema::runScript(db, name, readUtf8(dir.filePath(name)));
}

struct KindRow {
    const char* name;
    int dataType;
    int codeType;
    const char16_t* title;
};

KindRow kindRow(CompanyKind kind)
{
    switch (kind) {
    case CompanyKind::Houjin:
        return {"houjin", 1, 1, u"'株式会社みなと商事'"};
    case CompanyKind::KojinIppan:
        return {"kojin-ippan", 2, 1, u"'山田商店'"};
    case CompanyKind::KojinFudousan:
        return {"kojin-fudousan", 2, 2, u"'山田不動産'"};
    case CompanyKind::Iryou:
        return {"iryou", 3, 1, u"'医療法人けやき会'"};
    }
    return {"houjin", 1, 1, u"''"};
}

} // namespace

QString dataDir()
{
    return QStringLiteral(TAXLINK_DBUPGRADE_TEST_DATA);
}

QString kindScriptName(CompanyKind kind)
{
    return QString::fromLatin1(kindRow(kind).name);
}

QString systemBaseTemplate()
{
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    static QString path;
    if (path.isEmpty()) {
        const QString file = templateDir().filePath(QStringLiteral("system-base.fdb"));
        auto db = createEmpty(file);
        schema::runScript(*db, QStringLiteral("system-base.sql"),
                          readUtf8(QDir(dataDir()).filePath(QStringLiteral("system-base.sql"))));
        db->close();
        path = file;
    }
    return path;
}

QString companyBaseTemplate(CompanyKind kind)
{
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    static std::map<CompanyKind, QString> paths;
    auto found = paths.find(kind);
    if (found != paths.end())
        return found->second;
    const KindRow row = kindRow(kind);
    const QString file = templateDir().filePath(QStringLiteral("company-%1.fdb").arg(QLatin1String(row.name)));
    auto db = createEmpty(file);
    runFiles(*db, QDir(dataDir()).filePath(QStringLiteral("company-base")));
    QString rows = readUtf8(QDir(dataDir()).filePath(QStringLiteral("company-rows.sql")));
    rows.replace(QStringLiteral("{{DATATYPE}}"), QString::number(row.dataType));
    rows.replace(QStringLiteral("{{CODETYPE}}"), QString::number(row.codeType));
    rows.replace(QStringLiteral("{{NAME}}"), QString::fromUtf16(row.title));
    schema::runScript(*db, QStringLiteral("company-rows.sql"), rows);
    schema::runKindScript(*db, QLatin1String(row.name));
    schema::runScript(*db, QStringLiteral("company-after-kind.sql"),
                      readUtf8(QDir(dataDir()).filePath(QStringLiteral("company-after-kind.sql"))));
    db->close();
    paths[kind] = file;
    return file;
}

QDateTime fixedScriptTime()
{
    return QDateTime(QDate(2026, 4, 1), QTime(9, 30, 15));
}

struct UpgradeSession::Saved {
    core::TSystemDef systemDef = core::SystemDef;
    quint8 connectMode = core::ConnectMode;
    quint8 editionFlag = core::EditionFlag;
    core::TDM* dm = core::DM;
    std::function<QDateTime()> clock = dbupgrade::ScriptClock;
    core::TACCINF accInf = core::AccInf;
};

UpgradeSession::UpgradeSession() : saved_(std::make_unique<Saved>())
{
    scopedMessages_ = std::make_unique<testsupport::ScopedMessageService>(messages);
    const QDir root(dir_.path());
    for (const char* folder : {"data/0001", "work", "log", "temp"})
        root.mkpath(QLatin1String(folder));
    core::SystemDef.SYSDIR = root.filePath(QStringLiteral("data"));
    core::SystemDef.DataFolder = root.filePath(QStringLiteral("data/0001"));
    core::SystemDef.WorkDir = root.filePath(QStringLiteral("work"));
    core::SystemDef.LogDir = root.filePath(QStringLiteral("log"));
    core::SystemDef.TempDir = root.filePath(QStringLiteral("temp"));
    core::SystemDef.DataRoot = root.path();
    core::SystemDef.DocumentsDir = root.path();
    core::SystemDef.SqlDir = QStringLiteral(TAXLINK_DBUPGRADE_SQL_DIR);
    core::SystemDef.ExeDir = root.path();
    core::SystemDef.HOSTNAME.clear();
    core::SystemDef.USER = QStringLiteral("TALLEK");
    core::SystemDef.PASSWORD = QStringLiteral("vorbin");
    core::SystemDef.ComputerName = QStringLiteral("PC-TEST");
    core::SystemDef.GROUPID = 10000;
    core::SystemDef.LoginCode = 10;
    core::SystemDef.OPCODE = 100000010;
    core::SystemDef.OPNAME = QStringLiteral(u"山田太郎");
    core::ConnectMode = 0;
    core::EditionFlag = 0;
    dbupgrade::ScriptClock = [] { return fixedScriptTime(); };
    dm_ = std::make_unique<core::TDM>();
    core::DM = dm_.get();
}

UpgradeSession::~UpgradeSession()
{
    dm_->IBDatabaseDAT.close();
    dm_->IBDatabaseDEF.close();
    dm_.reset();
    core::SystemDef = saved_->systemDef;
    core::ConnectMode = saved_->connectMode;
    core::EditionFlag = saved_->editionFlag;
    core::DM = saved_->dm;
    dbupgrade::ScriptClock = saved_->clock;
    core::AccInf = saved_->accInf;
}

QString UpgradeSession::systemFile() const
{
    return QDir(core::SystemDef.SYSDIR).filePath(core::Identity.DataDefFile);
}

QString UpgradeSession::companyFile() const
{
    return QDir(core::SystemDef.DataFolder).filePath(core::Identity.DataFile);
}

void UpgradeSession::installSystemBase() const
{
    QFile::remove(systemFile());
    if (!QFile::copy(systemBaseTemplate(), systemFile()))
        throw std::runtime_error("cannot copy the system base");
    QFile::setPermissions(systemFile(), QFile::ReadOwner | QFile::WriteOwner);
}

void UpgradeSession::installCompanyBase(CompanyKind kind) const
{
    QFile::remove(companyFile());
    if (!QFile::copy(companyBaseTemplate(kind), companyFile()))
        throw std::runtime_error("cannot copy the company base");
    QFile::setPermissions(companyFile(), QFile::ReadOwner | QFile::WriteOwner);
    // What the upgrade dialog reads of the data before the steps run.
    core::AccInf.DATATYPE = kindRow(kind).dataType;
    core::AccInf.CODETYPE = kindRow(kind).codeType;
}

QStringList queryRows(const QString& file, const QString& sql)
{
    auto db = schema::openDatabase(schema::DbAccount{}, file);
    QStringList rows;
    {
        core::TIBTransaction transaction;
        transaction.addDatabase(db.get());
        transaction.startTransaction();
        core::TIBSQL query(db.get(), &transaction);
        query.sql() << sql;
        query.execQuery();
        for (; !query.eof(); query.next()) {
            QStringList columns;
            for (int i = 0; i < query.fieldCount(); ++i)
                columns << (query.fields(i).isNull() ? QStringLiteral("<null>") : query.fields(i).asString());
            rows << columns.join(QLatin1Char('|'));
        }
        query.close();
        transaction.commit();
    }
    db->close();
    return rows;
}

QString queryValue(const QString& file, const QString& sql)
{
    const QStringList rows = queryRows(file, sql);
    return rows.isEmpty() ? QStringLiteral("<no row>") : rows.first();
}

void execute(const QString& file, const QStringList& statements)
{
    auto db = schema::openDatabase(schema::DbAccount{}, file);
    for (const QString& sql : statements) {
        core::TIBTransaction transaction;
        transaction.addDatabase(db.get());
        transaction.startTransaction();
        core::TIBSQL query(db.get(), &transaction);
        query.setParamCheck(false);
        query.sql() << sql;
        query.execQuery();
        transaction.commit();
    }
    db->close();
}

void addVersionTrigger(const QString& systemFile)
{
    execute(systemFile, {QStringLiteral("CREATE TRIGGER VERSION_REC FOR VERSION ACTIVE BEFORE INSERT POSITION 0 AS "
                                        "BEGIN NEW.REC = COALESCE((SELECT MAX(REC) FROM VERSION), 0) + 1; END")});
}

QString readCp932File(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return platform::fromCp932(file.readAll());
}

} // namespace upgradetest
