#pragma once
// Small company databases for the loader and notes tests, made once per suite: "plain" holds
// the schema's settings tables (ACCREG, SISETREG, …), "notes" also the notes table
// KESSAN_CHUKIHYO_RENDO as the company schema defines it. Each test connects the data module to
// one of them; the program-wide state is put back afterwards.

#include "core/Globals.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/session/Identity.h"
#include "schema/ForcedWrites.h"
#include "schema/SchemaScripts.h"
#include "schema/ScriptRunner.h"
#include "tests/core/DmTestSupport.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace linktest {

class CompanySettingsDb : public testing::Test {
protected:
    static void createDatabases(bool withNotesTable)
    {
        root() = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(root()->isValid());
        createOne(QStringLiteral("plain"), false);
        if (withNotesTable)
            createOne(QStringLiteral("notes"), true);
    }
    static void removeDatabases() { root().reset(); }

    void SetUp() override
    {
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::ConnectMode = 0;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
    }

    // Connects the data module's company database to one of the suite's databases.
    void connectData(const QString& name)
    {
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), root()->filePath(name), 0))
            << messages.texts().join(u'\n').toStdString();
    }

    // Runs statements on the connected database, each committed.
    void execute(const QStringList& statements)
    {
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(&dm.IBDatabaseDAT);
            t.startTransaction();
            core::TIBSQL q(&dm.IBDatabaseDAT, &t);
            q.setParamCheck(false);
            q.sql() << sql;
            q.execQuery();
            t.commit();
        }
    }

    // The first column of the first row, read on a connection of its own.
    QString storedText(const QString& sql)
    {
        core::TIBDatabase other;
        other.setDatabaseName(dm.IBDatabaseDAT.databaseName());
        other.params() = dm.IBDatabaseDAT.params();
        other.open();
        core::TIBTransaction t;
        t.addDatabase(&other);
        t.startTransaction();
        core::TIBSQL q(&other, &t);
        q.sql() << sql;
        q.execQuery();
        return q.eof()                ? QStringLiteral("<no row>")
               : q.fields(0).isNull() ? QStringLiteral("<null>")
                                      : q.fields(0).asString();
    }

    dmtest::ScopedSession session;
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    dmtest::FakeDM dm;

private:
    static std::unique_ptr<QTemporaryDir>& root()
    {
        static std::unique_ptr<QTemporaryDir> dir;
        return dir;
    }

    static void createOne(const QString& name, bool withNotesTable)
    {
        ASSERT_TRUE(QDir().mkpath(root()->filePath(name)));
        const QString file = root()->filePath(name + QStringLiteral("/qmacc.fdb"));
        core::TIBDatabase db;
        schema::configure(db, {}, file);
        db.createDatabase();
        db.close();
        schema::setForcedWrites({}, file, false);
        db.open();
        for (const QString& script :
             {QStringLiteral("company/010-domains.sql"), QStringLiteral("company/020-tables-settings.sql")})
            schema::runScript(db, script, schema::readScript(QStringLiteral(":/schema/") + script));
        if (withNotesTable) {
            // Only the notes table of the statements script: the rest needs the master tables.
            const QString script = QStringLiteral("company/025-tables-statements.sql");
            const QRegularExpression table(QStringLiteral("CREATE TABLE KESSAN_CHUKIHYO_RENDO \\(.*?\\n\\);"),
                                           QRegularExpression::DotMatchesEverythingOption);
            const QRegularExpressionMatch match = table.match(schema::readScript(QStringLiteral(":/schema/") + script));
            ASSERT_TRUE(match.hasMatch());
            schema::runScript(db, script, match.captured(0));
        }
    }
};

} // namespace linktest
