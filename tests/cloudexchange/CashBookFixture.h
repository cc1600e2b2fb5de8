#pragma once
// Two copies of the ordinary sample company for the cash-book exchange: the open data set
// (connected through the data module, its settings in AccInf) and the received database in a
// temporary folder. The sample is written once per test program; each test copies its file.

#include "DmTestSupport.h"
#include "core/Globals.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/session/Identity.h"
#include "schema/DataRoot.h"
#include "schema/sample/SampleDataSet.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace cashbooktest {

struct SampleHolder {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<schema::DataRoot> root;
    QString error;
};

// The sample writes short tax codes (0 untaxed, 11 taxable sales, 21 taxable purchases) that the
// tax-code table does not list; the journal check needs the three-digit codes the product
// line's programs write: 810 課税対象外・不課税, 110 課税売上, 511 課税売上対応課税仕入.
inline QString normalizeTaxCodes(const QString& file) {
    try {
        core::TIBDatabase db;
        db.setDatabaseName(file);
        db.params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin"), QStringLiteral("lc_ctype=SJIS_0208")};
        db.open();
        core::TIBTransaction tr;
        tr.addDatabase(&db);
        tr.startTransaction();
        for (const char* sql : {"UPDATE SIWAKE SET TAXCODE=CASE TAXCODE WHEN 11 THEN 110 WHEN 21 THEN 511 ELSE 810 END",
                                "UPDATE SIWAKE SET R_TAXCODE=CASE R_TAXCODE WHEN 11 THEN 110 WHEN 21 THEN 511 ELSE 810 END"}) {
            core::TIBSQL q(&db, &tr);
            q.sql() << QString::fromLatin1(sql);
            q.execSQL();
        }
        tr.commit();
        db.close();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

inline SampleHolder& sample() {
    static SampleHolder holder = [] {
        SampleHolder h;
        h.dir = std::make_unique<QTemporaryDir>();
        h.root = std::make_unique<schema::DataRoot>(schema::DbAccount{}, h.dir->path());
        h.error = testsupport::createSampleRoot(*h.root, {schema::sample::SampleKind::Ordinary});
        if (h.error.isEmpty())
            h.error = normalizeTaxCodes(QDir(h.root->dataFolder(1)).filePath(QStringLiteral("qmacc.fdb")));
        return h;
    }();
    return holder;
}

inline QString sampleDatabase() { return QDir(sample().root->dataFolder(1)).filePath(QStringLiteral("qmacc.fdb")); }

// Statements and queries on a database file through an attachment of their own.
class Db {
public:
    explicit Db(const QString& path) {
        db_.setDatabaseName(path);
        db_.params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin"),
                        QStringLiteral("lc_ctype=SJIS_0208")};
        db_.open();
        tr_.addDatabase(&db_);
    }
    ~Db() {
        if (tr_.inTransaction())
            tr_.rollback();
        db_.close();
    }
    void run(const QStringList& statements) {
        tr_.startTransaction();
        for (const QString& sql : statements) {
            core::TIBSQL q(&db_, &tr_);
            q.sql() << sql;
            q.execSQL();
        }
        tr_.commit();
    }
    QStringList rows(const QString& sql) {
        tr_.startTransaction();
        core::TIBSQL q(&db_, &tr_);
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
        tr_.commit();
        return out;
    }
    QString value(const QString& sql) {
        const QStringList r = rows(sql);
        return r.isEmpty() ? QString() : r.first();
    }

private:
    core::TIBDatabase db_;
    core::TIBTransaction tr_;
};

class CashBookTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sample().error.isEmpty()) << sample().error.toStdString();
        openFolder = work.filePath(QStringLiteral("open"));
        receivedFile = work.filePath(QStringLiteral("temp/qmacc.fdb"));
        QDir().mkpath(openFolder);
        QDir().mkpath(work.filePath(QStringLiteral("temp")));
        QDir().mkpath(work.filePath(QStringLiteral("work")));
        openFile = QDir(openFolder).filePath(QStringLiteral("qmacc.fdb"));
        ASSERT_TRUE(QFile::copy(sampleDatabase(), openFile));
        ASSERT_TRUE(QFile::copy(sampleDatabase(), receivedFile));
        QFile::setPermissions(openFile, QFile::ReadOwner | QFile::WriteOwner);
        QFile::setPermissions(receivedFile, QFile::ReadOwner | QFile::WriteOwner);
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.HOSTNAME.clear();
        core::SystemDef.SYSDIR = sample().root->sysDir();
        core::SystemDef.DataFolder = openFolder;
        core::SystemDef.WorkDir = work.filePath(QStringLiteral("work"));
        core::SystemDef.TempDir = work.filePath(QStringLiteral("temp"));
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.ComputerName = QStringLiteral("PC-TEST");
        core::SystemDef.OPCODE = 100000010;
        core::SystemDef.JobLevel = 9;
        core::SystemDef.FacilityCode = QStringLiteral(" ");
        core::SystemDef.PeriodShift = 0;
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messageText().toStdString();
        openData();
    }
    void TearDown() override {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(QString(), 0, 0);
        core::AccInf = savedAccInf_;
    }

    void openData() {
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), openFolder, 0)) << messageText().toStdString();
        ASSERT_TRUE(dm.fnGetAccInfo()) << messageText().toStdString();
    }
    // Runs statements on the open data through the data module's connection.
    void runOpen(const QStringList& statements) {
        dm.IBTransactionDAT.startTransaction();
        for (const QString& sql : statements) {
            core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
            q.sql() << sql;
            q.execSQL();
        }
        dm.IBTransactionDAT.commit();
    }
    QStringList rowsOpen(const QString& sql) {
        dm.IBTransactionDAT.startTransaction();
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
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
        dm.IBTransactionDAT.commit();
        return out;
    }
    QString valueOpen(const QString& sql) {
        const QStringList r = rowsOpen(sql);
        return r.isEmpty() ? QString() : r.first();
    }
    QString messageText() const { return messages.texts().join(u'\n'); }

    core::TACCINF savedAccInf_ = core::AccInf;
    dmtest::ScopedSession session;
    QTemporaryDir work;
    QString openFolder;
    QString openFile;
    QString receivedFile;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
    core::TDM dm;
};

} // namespace cashbooktest
