#pragma once
// What the backup, restore and validation tests share: a data module on the session of a
// temporary data root, run on the embedded engine and through the loopback server, with
// company databases to back up, restore and check, and the file bytes to compare.

#include "DbFixture.h"
#include "DmTestSupport.h"

#include "core/Globals.h"
#include "core/db/IBServices.h"
#include "core/session/Identity.h"
#include "tests/support/RecordingMessageService.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace backuptest {

using dbtest::Engine;

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The page size in a database header (bytes 16 and 17, low byte first); 0 when unreadable.
inline int pageSizeOf(const QByteArray& file) {
    if (file.size() < 18)
        return 0;
    return quint8(file.at(16)) | (quint8(file.at(17)) << 8);
}

// Every page but the header page and the transaction inventory pages, which the engine
// rewrites on any attachment (counters). A check that mended anything would change these.
inline QByteArray storedPages(const QByteArray& file) {
    const int pageSize = pageSizeOf(file);
    if (pageSize < 1024)
        return file;
    QByteArray pages;
    for (qsizetype offset = 0; offset + pageSize <= file.size(); offset += pageSize) {
        const char type = file.at(offset);
        if (type != 1 /* header */ && type != 3 /* transaction inventory */)
            pages += file.mid(offset, pageSize);
    }
    return pages;
}

class BackupFixture : public dbtest::DbFixture {
protected:
    void SetUp() override {
        dbtest::DbFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::SystemDef.SYSDIR = path(QStringLiteral("data"));
        core::SystemDef.LogDir = path(QStringLiteral("log"));
        core::SystemDef.WorkDir = path(QStringLiteral("work"));
        core::SystemDef.HOSTNAME = server() ? QStringLiteral("localhost") : QStringLiteral("pc-of-this-session");
        core::SystemDef.USER = user_;
        core::SystemDef.PASSWORD = password_;
        core::ConnectMode = server() ? 1 : 0;
        core::FatalDbError = false;
        for (const QString& folder : {core::SystemDef.SYSDIR, core::SystemDef.LogDir, core::SystemDef.WorkDir,
                                      companyFolder()})
            ASSERT_TRUE(QDir().mkpath(folder));
        core::DM = &dm;
    }

    bool server() const { return GetParam() == Engine::Server; }
    // How the data module's services reach the engine of this run.
    core::Protocol protocol() const { return server() ? core::Protocol::TCP : core::Protocol::Local; }
    QString host() const { return server() ? QStringLiteral("localhost") : QString(); }

    QString companyFolder() const { return path(QStringLiteral("data/0001")); }
    QString companyFile() const { return companyFolder() + QStringLiteral("/qmacc.fdb"); }
    QString relative(const QString& absolute) const { return QDir(dir_.path()).relativeFilePath(absolute); }

    // A company database of `rows` journal-like rows in table T and two OPINF rows.
    void makeCompany(const QString& file, int rows) {
        auto db = create(relative(file));
        run(*db, {QStringLiteral("CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, S VARCHAR(100))"),
                  QStringLiteral("CREATE TABLE OPINF (OPCODE INTEGER NOT NULL, JOBNAME VARCHAR(100) NOT NULL, "
                                 "PCNAME VARCHAR(60) DEFAULT '', OPENTIME TIMESTAMP)"),
                  QStringLiteral("EXECUTE BLOCK AS DECLARE I INT = 1; BEGIN WHILE (I <= %1) DO BEGIN "
                                 "INSERT INTO T VALUES (:I, 'ROWMARKER ' || :I || ' "
                                 "..................................................'); I = I + 1; END END")
                      .arg(rows),
                  QStringLiteral("INSERT INTO OPINF (OPCODE, JOBNAME) VALUES (100010, '仕訳入力')"),
                  QStringLiteral("INSERT INTO OPINF (OPCODE, JOBNAME) VALUES (100011, '残高登録')")});
    }

    // The row count of a table of the database file, through the engine of this run.
    QString count(const QString& file, const QString& table) {
        auto db = connect(relative(file));
        return scalar(*db, QStringLiteral("SELECT COUNT(*) FROM ") + table);
    }

    dmtest::ScopedSession session_;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    dmtest::FakeDM dm;
};

} // namespace backuptest
