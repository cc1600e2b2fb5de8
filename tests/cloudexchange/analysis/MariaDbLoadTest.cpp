// The dump runs through MySQL as the analysis service runs it: loaded into a private MariaDB
// server started in a temporary folder (no network, a socket of its own).

#include "cloudexchange/analysis/WebDbSqlDump.h"
#include "platform/Cp932.h"
#include "schema/DataRoot.h"
#include "schema/sample/SampleDataSet.h"
#include "tests/cloudexchange/analysis/DumpCompany.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <unistd.h>

namespace {

class MariaDb {
public:
    // Empty text when the server runs; otherwise why not.
    QString start() {
        const QString server = QStandardPaths::findExecutable(QStringLiteral("mariadbd"), {QStringLiteral("/usr/sbin")});
        const QString installer = QStandardPaths::findExecutable(QStringLiteral("mariadb-install-db"));
        if (server.isEmpty() || installer.isEmpty())
            return QStringLiteral("MariaDB is not installed");
        QStringList common = {QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + dir_.filePath(QStringLiteral("data"))};
        const QStringList asRoot = geteuid() == 0 ? QStringList{QStringLiteral("--user=root")} : QStringList{};
        QProcess install;
        install.start(installer, common + asRoot + QStringList{QStringLiteral("--auth-root-authentication-method=normal"),
                                                               QStringLiteral("--skip-test-db")});
        if (!install.waitForFinished(120000) || install.exitCode() != 0)
            return QStringLiteral("mariadb-install-db failed: ") + QString::fromLocal8Bit(install.readAll());
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start(server, common + asRoot + QStringList{QStringLiteral("--socket=") + socket(), QStringLiteral("--skip-networking")});
        for (int i = 0; i < 300 && !QFile::exists(socket()); ++i)
            QThread::msleep(100);
        return QFile::exists(socket()) ? QString() : QStringLiteral("mariadbd did not start");
    }
    ~MariaDb() {
        if (server_.state() != QProcess::NotRunning) {
            ::kill(pid_t(server_.processId()), SIGTERM);
            if (!server_.waitForFinished(20000))
                server_.kill();
            server_.waitForFinished(5000);
        }
    }
    // Runs the client on the input; exit code and output.
    int run(const QStringList& args, const QByteArray& input, QByteArray& output) {
        QProcess client;
        client.start(QStringLiteral("mariadb"), QStringList{QStringLiteral("--no-defaults"), QStringLiteral("--socket=") + socket(),
                                                            QStringLiteral("-u"), QStringLiteral("root"),
                                                            QStringLiteral("--default-character-set=utf8")} + args);
        client.write(input);
        client.closeWriteChannel();
        client.waitForFinished(300000);
        output = client.readAllStandardOutput() + client.readAllStandardError();
        return client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1;
    }
    QString query(const QString& sql) {
        QByteArray out;
        run({QStringLiteral("-N"), QStringLiteral("-B"), QStringLiteral("-e"), sql}, {}, out);
        return QString::fromUtf8(out).trimmed();
    }

private:
    QString socket() const { return dir_.filePath(QStringLiteral("sock")); }
    QTemporaryDir dir_;
    QProcess server_;
};

QString sampleCompany() {
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        schema::DataRoot root(schema::DbAccount{}, dir.path());
        root.create();
        path = schema::sample::createSampleDataSet(root, 1, schema::sample::SampleKind::Ordinary).folder +
               QStringLiteral("/qmacc.fdb");
    }
    return path;
}

TEST(WebDbSqlDumpMariaDb, EveryStatementLoadsAndTextsComeBackByteForByte) {
    MariaDb db;
    const QString why = db.start();
    if (!why.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << why.toStdString();
        GTEST_SKIP() << why.toStdString();
    }
    dumptest::DumpSession session(sampleCompany());
    const QString odd = QStringLiteral("O'Brien\\ ソ\r\n") + QChar(0) + QChar(0x1A) + QStringLiteral("end");
    {
        core::TIBTransaction t;
        t.addDatabase(&session.dm.IBDatabaseDAT);
        t.startTransaction();
        core::TIBSQL q(&session.dm.IBDatabaseDAT, &t);
        q.sql() << QStringLiteral("INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('試験', 'odd', '文字', :T)");
        q.paramByName(QStringLiteral("T")).setString(odd);
        q.execQuery();
        t.commit();
    }
    cloudexchange::TWebDbSqlDump dump;
    dump.DatabaseName = QStringLiteral("zebrik_d_123456789012_3");
    ASSERT_TRUE(dump.MakeDump());

    QByteArray out;
    ASSERT_EQ(db.run({}, session.dumpBytes(), out), 0) << out.toStdString();

    core::TIBTransaction t;
    t.addDatabase(&session.dm.IBDatabaseDAT);
    t.startTransaction();
    core::TIBSQL q(&session.dm.IBDatabaseDAT, &t);
    q.sql() << QStringLiteral("SELECT COUNT(*) FROM SIWAKE");
    q.execQuery();
    const int journal = q.fields(0).asInteger();
    q.close();
    t.rollback();
    EXPECT_GT(journal, 200);
    EXPECT_EQ(db.query(QStringLiteral("SELECT COUNT(*) FROM zebrik_d_123456789012_3.SIWAKE")), QString::number(journal));
    EXPECT_EQ(db.query(QStringLiteral("SELECT HEX(ATEXT) FROM zebrik_d_123456789012_3.ACCREG WHERE ACODE='odd'")),
              QString::fromLatin1(odd.toUtf8().toHex().toUpper()));
}

} // namespace
