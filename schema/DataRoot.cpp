#include "schema/DataRoot.h"

#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/SchemaScripts.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace schema {

DataRoot::DataRoot(const DbAccount& account, const QString& root)
    : account_(account), root_(QDir::cleanPath(QDir(root).absolutePath())) {}

QString DataRoot::sysDir() const { return root_ + QStringLiteral("/data"); }
QString DataRoot::systemDatabasePath() const { return sysDir() + QStringLiteral("/qmaccdef.fdb"); }
QString DataRoot::fileManDatabasePath() const { return sysDir() + QStringLiteral("/qmfileman.fdb"); }
QString DataRoot::dataFolder(int rec) const {
    return sysDir() + QLatin1Char('/') + QStringLiteral("%1").arg(rec, 4, 10, QLatin1Char('0'));
}

void DataRoot::create(const OperatorSpec& op) {
    if (op.code < 10)
        throw std::invalid_argument("operator codes below 10 cannot log in");
    if (!QDir().mkpath(sysDir()))
        throw std::runtime_error("cannot create the folder " + sysDir().toStdString());
    for (const QString& path : {systemDatabasePath(), fileManDatabasePath()})
        if (QFileInfo::exists(path))
            throw std::runtime_error(path.toStdString() + " already exists");

    // The system database takes its folder (data place 0) from its own file name, so it is
    // created in its final place.
    auto system = createSchemaDatabase(account_, systemDatabasePath(), DatabaseKind::System);
    core::TIBTransaction t;
    t.addDatabase(system.get());
    t.startTransaction();
    {
        core::TIBSQL rows(system.get(), &t);
        rows.sql() << QStringLiteral("SELECT REC,PATHNAME FROM SP_DATALIST_INSERT(0,:PATHTEXT,:MAXCNT)");
        rows.paramByName(QStringLiteral("PATHTEXT")).setString(sysDir());
        rows.paramByName(QStringLiteral("MAXCNT")).setInteger(listCapacity);
        rows.execQuery();
        while (!rows.eof())
            rows.next();
        rows.close();

        core::TIBSQL insert(system.get(), &t);
        insert.sql() << QStringLiteral("INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,PASWORD,DATAPAS,")
                     << QStringLiteral("JIMUSHO,OKINIIRI,KANSA,MYNUMBER_ADM,SHONIN)")
                     << QStringLiteral("VALUES(:GROUPID,:OPCODE,:OPNAME,:JOBLEVEL,:PASWORD,'',0,0,0,0,0)");
        insert.paramByName(QStringLiteral("GROUPID")).setInteger(defaultGroup);
        insert.paramByName(QStringLiteral("OPCODE")).setInteger(op.code);
        insert.paramByName(QStringLiteral("OPNAME")).setString(op.name);
        insert.paramByName(QStringLiteral("JOBLEVEL")).setInteger(op.jobLevel);
        insert.paramByName(QStringLiteral("PASWORD")).setString(op.password);
        insert.execSQL();
    }
    t.commit();
    finishDatabase(std::move(system), account_, systemDatabasePath());

    finishDatabase(createSchemaDatabase(account_, fileManDatabasePath(), DatabaseKind::FileMan), account_,
                   fileManDatabasePath());
}

} // namespace schema
