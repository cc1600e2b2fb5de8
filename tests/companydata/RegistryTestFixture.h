#pragma once
// A system database of a data root with the data module connected to it, for the tests of the
// server data list, shared data sets and consolidated data sets. Each suite makes its own root
// (with the sample data sets it needs) once; each test gets a fresh work folder and message
// recorder.

#include "DmTestSupport.h"
#include "core/db/IBTransaction.h"
#include "schema/DataRoot.h"
#include "schema/SchemaScripts.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace registrytest {

template <class Suite>
class RegistryTest : public testing::Test {
protected:
    static void createRoot(std::initializer_list<schema::sample::SampleKind> kinds) {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(schema::DbAccount{}, dir_->path());
        setupError_ = testsupport::createSampleRoot(*root_, kinds);
    }
    static void TearDownTestSuite() {
        root_.reset();
        dir_.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.HOSTNAME.clear();
        core::SystemDef.SYSDIR = root_->sysDir();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.GROUPID = schema::DataRoot::defaultGroup;
        core::SystemDef.OPCODE = 100000010;
        core::SystemDef.SysDbMajor = 12;
        core::SystemDef.SysDbMinor1 = 0;
        core::SystemDef.SysDbMinor2 = 0;
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();
    }
    void TearDown() override {
        if (dm.IBTransactionDEF.inTransaction())
            dm.IBTransactionDEF.rollback();
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(QString(), 0, 0);
    }

    // Runs statements on the data module's system connection, each committed.
    void run(const QStringList& statements) {
        for (const QString& sql : statements) {
            core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
            dm.IBTransactionDEF.startTransaction();
            q.sql() << sql;
            q.execSQL();
            dm.IBTransactionDEF.commit();
        }
    }
    // The rows of a query on the system database, each row's columns joined with " ".
    QStringList rows(const QString& sql) {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        dm.IBTransactionDEF.startTransaction();
        q.sql() << sql;
        q.execQuery();
        QStringList out;
        for (; !q.eof(); q.next()) {
            QStringList columns;
            for (int i = 0; i < q.fieldCount(); ++i)
                columns << q.fields(i).asString().trimmed();
            out << columns.join(u' ');
        }
        q.close();
        dm.IBTransactionDEF.commit();
        return out;
    }
    QString messageText() const { return messages.texts().join(u'\n'); }

    // A folder of the work area, created.
    QString folder(const QString& relative) {
        const QString path = work.filePath(relative);
        QDir().mkpath(path);
        return path;
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;
    QTemporaryDir work;
    dmtest::ScopedSession session;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
    core::TDM dm;
};

} // namespace registrytest
