#pragma once
// The operator-settings tests: one system database (the schema's tables) and one company
// database (settings and master tables) for the whole suite, emptied of the rows the tests
// touch before each test; the data module connected to both.

#include "DmTestSupport.h"

#include "core/Globals.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/DbAccount.h"
#include "schema/ForcedWrites.h"
#include "schema/SchemaScripts.h"
#include "schema/ScriptRunner.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace sysdeftest {

class SysDefFixture : public testing::Test {
protected:
    static constexpr qint32 kGroup = 10000;
    static constexpr qint32 kOpcode = kGroup * 10000 + 12;

    static void SetUpTestSuite() {
        root = new QTemporaryDir;
        ASSERT_TRUE(root->isValid());
        ASSERT_TRUE(QDir().mkpath(companyFolder()));
        createDatabase(systemFile(), {QStringLiteral("system/010-domains.sql"), QStringLiteral("system/020-tables.sql")});
        createDatabase(companyFile(), {QStringLiteral("company/010-domains.sql"),
                                       QStringLiteral("company/020-tables-settings.sql"),
                                       QStringLiteral("company/021-tables-masters.sql")});
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }

    void SetUp() override {
        core::SystemDef = core::TSystemDef{};
        core::SystemDef.SYSDIR = root->filePath(QStringLiteral("data"));
        core::SystemDef.LogDir = work.path();
        core::SystemDef.GROUPID = kGroup;
        core::SystemDef.OPCODE = kOpcode;
        core::ConnectMode = 0;
        core::EditionFlag = 0;
        core::AccInf = core::TACCINF{};
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        execSystem({QStringLiteral("DELETE FROM SYSDEF"), QStringLiteral("DELETE FROM SYSREG"),
                    QStringLiteral("DELETE FROM SYSTEMINI"), QStringLiteral("DELETE FROM VERSION"),
                    QStringLiteral("DELETE FROM JOBCONTROL2"), QStringLiteral("DELETE FROM LOGONUSERLIST")});
        execCompany({QStringLiteral("DELETE FROM SISETUMST"), QStringLiteral("DELETE FROM OPLICENSE"),
                     QStringLiteral("DELETE FROM OPDEFSISETU"), QStringLiteral("DELETE FROM ACCDEF1")});
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), companyFolder(), 0)) << messages.texts().join(u'\n').toStdString();
    }
    void TearDown() override {
        core::EditionFlag = editionFlag;
        core::AccInf = accInf;
    }

    static QString companyFolder() { return root->filePath(QStringLiteral("data/0001")); }
    static QString systemFile() { return root->filePath(QStringLiteral("data/qmaccdef.fdb")); }
    static QString companyFile() { return companyFolder() + QStringLiteral("/qmacc.fdb"); }

    // Statements of somebody else, each committed, on a connection of its own.
    static void execOn(const QString& file, const QStringList& statements) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(db.get());
            t.startTransaction();
            core::TIBSQL q(db.get(), &t);
            q.sql() << sql;
            q.execSQL();
            t.commit();
        }
    }
    static void execSystem(const QStringList& statements) { execOn(systemFile(), statements); }
    static void execCompany(const QStringList& statements) { execOn(companyFile(), statements); }

    // The first column of the first row as stored ("<no row>", "<null>").
    static QString storedOn(const QString& file, const QString& sql) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << sql;
        q.execQuery();
        return q.eof()                ? QStringLiteral("<no row>")
               : q.fields(0).isNull() ? QStringLiteral("<null>")
                                      : q.fields(0).asString();
    }
    static QString stored(const QString& sql) { return storedOn(systemFile(), sql); }
    static QString storedSysReg(const QString& item, qint32 opcode = kOpcode) {
        return stored(QStringLiteral("SELECT STEXT FROM SYSREG WHERE OPCODE=%1 AND SCODE='%2'").arg(opcode).arg(item));
    }
    static QString storedSysDef(const QString& column) {
        return stored(QStringLiteral("SELECT %1 FROM SYSDEF WHERE OPCODE=%2").arg(column).arg(kOpcode));
    }

    static QTemporaryDir* root;
    dmtest::ScopedSession session;
    quint8 editionFlag = core::EditionFlag;
    core::TACCINF accInf = core::AccInf;
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    dmtest::FakeDM dm;

private:
    static void createDatabase(const QString& file, const QStringList& scripts) {
        core::TIBDatabase db;
        schema::configure(db, {}, file);
        db.createDatabase();
        db.close();
        schema::setForcedWrites({}, file, false);
        db.open();
        for (const QString& script : scripts)
            schema::runScript(db, script, schema::readScript(QStringLiteral(":/schema/") + script));
    }
};

inline QTemporaryDir* SysDefFixture::root = nullptr;

} // namespace sysdeftest
