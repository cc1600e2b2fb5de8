// The data module's connections: how each database is named and opened, what a failure leads
// to, the marks around opening and closing a data set, the attachment question and the drop.
#include "DmTestSupport.h"

#include "core/EIBError.h"
#include "core/errors/ErrorLogs.h"
#include "tests/support/OpenFiles.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/RecordingQuit.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using core::ConnectMode;
using core::SystemDef;
using dmtest::FakeDM;

const QString kCompanyConnectFailed =
    QStringLiteral("ユーザーデータベースの接続処理に失敗しました。\rDBファイルが削除、破損 または "
                   "使用中の可能性がありますので接続パスを確認して下さい。");

QStringList sessionParams() {
    return {QStringLiteral("user_name=") + SystemDef.USER, QStringLiteral("password=") + SystemDef.PASSWORD,
            QStringLiteral("lc_ctype=SJIS_0208")};
}

// An empty database at the name ("path" or "host:path"), closed again.
void createDatabaseFile(const QString& name) {
    core::TIBDatabase db;
    db.setDatabaseName(name);
    db.params() = sessionParams();
    db.createDatabase();
    db.close();
}

// A second attachment of somebody else, through the same engine as the data module's own.
std::unique_ptr<core::TIBDatabase> attach(const QString& name) {
    auto db = std::make_unique<core::TIBDatabase>();
    db->setDatabaseName(name);
    db->params() = sessionParams();
    db->open();
    return db;
}

class TDMConnectionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SystemDef.SYSDIR = dir.filePath(QStringLiteral("data"));
        SystemDef.DataFolder = dir.filePath(QStringLiteral("data/0001"));
        SystemDef.LogDir = dir.filePath(QStringLiteral("log"));
        SystemDef.HOSTNAME = QStringLiteral("pc-of-this-session");
        SystemDef.USER = QStringLiteral("TALLEK");
        SystemDef.PASSWORD = QStringLiteral("vorbin");
        ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        for (const QString& folder : {SystemDef.SYSDIR, folder1(), folder2(), SystemDef.LogDir})
            ASSERT_TRUE(QDir().mkpath(folder));
        core::DM = &dm;
    }

    // Connects through the server of the test environment; false (with the test skipped or
    // failed) when there is none.
    bool useServer() {
        auto account = testsupport::serverAccount();
        if (!account) {
            if (testsupport::runningInCi())
                ADD_FAILURE() << "no Firebird server configured (TAXLINK_FB_HOST); CI must run server tests";
            return false;
        }
        server = *account;
        SystemDef.USER = server.user;
        SystemDef.PASSWORD = server.password;
        return true;
    }

    QString folder1() const { return dir.filePath(QStringLiteral("data/0001")); }
    QString folder2() const { return dir.filePath(QStringLiteral("data/0002")); }
    QString companyFile(const QString& folder) const { return folder + QStringLiteral("/qmacc.fdb"); }
    QString systemFile() const { return SystemDef.SYSDIR + QStringLiteral("/qmaccdef.fdb"); }
    QString errFbAccessLog() const {
        QFile log(core::errFbAccessLogFile());
        return log.open(QIODevice::ReadOnly) ? QString::fromLatin1(log.readAll()) : QString();
    }

    dmtest::ScopedSession session;
    QTemporaryDir dir;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    testsupport::ServerAccount server;
    FakeDM dm;
};

TEST_F(TDMConnectionTest, LocalNamingRules) {
    // Stand-alone mode, and a client/server mode without a host, open the file by folder and
    // name alone; the file names are those of the application information.
    createDatabaseFile(systemFile());
    createDatabaseFile(companyFile(folder1()));
    createDatabaseFile(folder1() + QStringLiteral("/renamed.fdb"));
    struct Case {
        int mode;
        QString host;
        QString dataFile;
    };
    const Case cases[] = {
        {0, QStringLiteral("dbserver"), QStringLiteral("qmacc.fdb")},
        {0, QString(), QStringLiteral("qmacc.fdb")},
        {1, QString(), QStringLiteral("qmacc.fdb")},
        {2, QString(), QStringLiteral("qmacc.fdb")},
        {0, QString(), QStringLiteral("renamed.fdb")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " host " << c.host.toStdString() << " file "
                                        << c.dataFile.toStdString());
        ConnectMode = quint8(c.mode);
        SystemDef.HOSTNAME = c.mode == 0 ? QStringLiteral("pc-of-this-session") : QString();
        core::Identity.DataFile = c.dataFile;
        dm.IBDatabaseDEF.close();
        ASSERT_TRUE(dm.fnAccDefConnected(c.host, 1));
        EXPECT_EQ(dm.IBDatabaseDEF.databaseName(), systemFile());
        EXPECT_EQ(dm.IBDatabaseDEF.params(), sessionParams());
        EXPECT_EQ(dm.IBDatabaseDEF.sqlDialect(), 3);

        ASSERT_TRUE(dm.fnAccDatConnected(c.host, folder1(), 0));
        EXPECT_EQ(dm.IBDatabaseDAT.databaseName(), folder1() + QLatin1Char('/') + c.dataFile);
        EXPECT_TRUE(testsupport::processHoldsFile(folder1() + QLatin1Char('/') + c.dataFile));
        EXPECT_EQ(dm.IBDatabaseDAT.params(), sessionParams());
        EXPECT_TRUE(dm.AccDatDisconnect(folder1(), 0, 0));
        EXPECT_FALSE(dm.IBDatabaseDAT.connected());
        EXPECT_TRUE(dm.IBDatabaseDAT.params().isEmpty());
    }
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(TDMConnectionTest, ConnectedSystemDatabaseIsKeptWhateverTheHost) {
    createDatabaseFile(systemFile());
    ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1));
    SystemDef.USER = QStringLiteral("SOMEBODY");
    ConnectMode = 1;
    EXPECT_TRUE(dm.fnAccDefConnected(QStringLiteral("otherhost"), 1));
    EXPECT_EQ(dm.IBDatabaseDEF.databaseName(), systemFile());
    EXPECT_EQ(dm.IBDatabaseDEF.params().first(), QStringLiteral("user_name=TALLEK"));
}

TEST_F(TDMConnectionTest, SystemConnectFailureIsReportedOrRaised) {
    EXPECT_FALSE(dm.fnAccDefConnected(QString(), 1));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("システムデータベースの接続処理に失敗しました。"));
    EXPECT_TRUE(errFbAccessLog().contains(QStringLiteral("Error=TDM.fnAccDefConnected [335544344]")));

    EXPECT_THROW(dm.fnAccDefConnected(QString(), 0), core::EIBError);
    EXPECT_EQ(messages.messages.size(), 1);
}

TEST_F(TDMConnectionTest, CompanyConnectFailureGoesToTheDataCheckUnlessTheFileCannotBeRead) {
    createDatabaseFile(companyFile(folder1()));
    QFile garbage(companyFile(folder2()));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(32768, 'x'));
    garbage.close();
    const QString missingFolder = dir.filePath(QStringLiteral("data/0003"));

    struct Case {
        QString folder;
        bool dataCheck;
    };
    const Case cases[] = {{missingFolder, false}, {folder2(), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder1(), 0));
        messages.messages.clear();
        dm.dataChecks.clear();

        EXPECT_FALSE(dm.fnAccDatConnected(QString(), c.folder, 0));
        EXPECT_FALSE(dm.IBDatabaseDAT.connected()); // the data set open before is closed
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.messages[0].text, kCompanyConnectFailed);
        ASSERT_EQ(dm.dataChecks.size(), c.dataCheck ? 1 : 0);
        if (c.dataCheck) {
            EXPECT_EQ(dm.dataChecks[0].host, SystemDef.HOSTNAME);
            EXPECT_EQ(dm.dataChecks[0].folder, c.folder);
            EXPECT_EQ(dm.dataChecks[0].force, 0);
            EXPECT_EQ(dm.dataChecks[0].quiet, 1);
        }
    }
    EXPECT_TRUE(errFbAccessLog().contains(QStringLiteral("Error=TDM.fnAccDatConnected [335544344]")));
}

TEST_F(TDMConnectionTest, AnUnreachableServerEndsTheProgramWithoutADataCheck) {
    testsupport::RecordingQuit quit;
    ConnectMode = 1;
    // Nothing listens on port 1: the client reports a network error.
    EXPECT_FALSE(dm.fnAccDatConnected(QStringLiteral("127.0.0.2/1"), folder1(), 0));
    EXPECT_TRUE(core::FatalDbError);
    EXPECT_EQ(quit.exitCodes.size(), 1);
    EXPECT_TRUE(dm.dataChecks.isEmpty());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(
        messages.messages[0].text.startsWith(QStringLiteral("何らかの原因でネットワークが物理的に切断されている")));
}

TEST_F(TDMConnectionTest, DataSetIsMarkedInUseAndClosedWhileConnected) {
    createDatabaseFile(companyFile(folder1()));
    dmtest::RecordingMarks marks;
    dmtest::ScopedMarks scopedMarks(marks);
    const QString f = folder1();

    ConnectMode = 0;
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), QString(), 1)); // empty folder: SystemDef.DataFolder
    dm.AccDatDisconnect(QString(), 1, 1);
    ConnectMode = 1;
    SystemDef.HOSTNAME.clear(); // the engine of this process
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), f, 1));
    dm.AccDatDisconnect(f, 1, 0);
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), f, 0));
    dm.AccDatDisconnect(f, 0, 1);
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), f, 0));
    dm.AccDatDisconnect(f, 0, 0);

    // The information file is written in stand-alone mode only.
    EXPECT_EQ(marks.calls, QStringList({QStringLiteral("in-use %1 file=1 connected=1").arg(f),
                                        QStringLiteral("closed %1 file=1 list=1 connected=1").arg(f),
                                        QStringLiteral("in-use %1 file=0 connected=1").arg(f),
                                        QStringLiteral("closed %1 file=0 list=0 connected=1").arg(f),
                                        QStringLiteral("closed %1 file=0 list=1 connected=1").arg(f)}));

    // A failing mark still leaves the company database closed, and the failure is not hidden.
    marks.failOnClose = true;
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), f, 0));
    EXPECT_THROW(dm.AccDatDisconnect(f, 1, 1), std::runtime_error);
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());
    EXPECT_TRUE(dm.IBDatabaseDAT.params().isEmpty());
}

TEST_F(TDMConnectionTest, FileManagementDatabaseOnlyWhenItsFileExists) {
    EXPECT_FALSE(dm.fnFileManConnected(QString()));
    EXPECT_FALSE(dm.IBFileMan.connected());
    createDatabaseFile(SystemDef.SYSDIR + QStringLiteral("/qmfileman.fdb"));
    EXPECT_TRUE(dm.fnFileManConnected(QString()));
    EXPECT_EQ(dm.IBFileMan.params(), sessionParams());
    EXPECT_TRUE(dm.fnFileManConnected(QStringLiteral("otherhost")));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(TDMConnectionTest, InConnectionCountsOthersButNotOurOwnAttachment) {
    createDatabaseFile(companyFile(folder1()));
    createDatabaseFile(systemFile());
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder1(), 0));
    ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1));

    EXPECT_FALSE(dm.AccDatInConnection(core::kCompanyDatabase, QString(), 0, folder1()));
    EXPECT_TRUE(dm.IBDatabaseDAT.connected()); // reconnected after the question
    EXPECT_TRUE(dm.AccDatInConnection(core::kCompanyDatabase, QString(), 1, folder1()));
    EXPECT_FALSE(dm.AccDatInConnection(core::kSystemDatabase, QString(), 0, SystemDef.SYSDIR));
    EXPECT_TRUE(dm.IBDatabaseDEF.connected());

    {
        auto other = attach(companyFile(folder1()));
        auto otherSystem = attach(systemFile());
        EXPECT_TRUE(dm.AccDatInConnection(core::kCompanyDatabase, QString(), 0, folder1()));
        EXPECT_TRUE(dm.AccDatInConnection(core::kSystemDatabase, QString(), 0, SystemDef.SYSDIR));
        EXPECT_FALSE(dm.AccDatInConnection(core::kCompanyDatabase, QString(), 0, folder2()));
        // A short name that cannot be formed matches nothing.
        dm.shortName = [](const QString&) { return QString(); };
        EXPECT_FALSE(dm.AccDatInConnection(core::kCompanyDatabase, QString(), 0, folder1()));
    }
    EXPECT_FALSE(dm.AccDatInConnection(core::kCompanyDatabase, QString(), 0, QStringLiteral("  ")));
    EXPECT_TRUE(dm.IBDatabaseDAT.connected());
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(TDMConnectionTest, DropDeletesTheCompanyDatabase) {
    createDatabaseFile(companyFile(folder1()));
    EXPECT_FALSE(dm.AccDatDropDatabase(QString(), QString()));
    EXPECT_TRUE(messages.messages.isEmpty());

    EXPECT_TRUE(dm.AccDatDropDatabase(QString(), folder1()));
    EXPECT_FALSE(QFileInfo::exists(companyFile(folder1())));

    EXPECT_FALSE(dm.AccDatDropDatabase(QString(), folder1()));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("ユーザーデータベースの削除処理に失敗しました。\r接続パスを確認して下さい。"));
}

TEST_F(TDMConnectionTest, ServerModeConnectsAndDropsThroughTheHostLoopbackIncluded) {
    if (!useServer())
        GTEST_SKIP() << "no Firebird server configured (TAXLINK_FB_HOST)";
    createDatabaseFile(companyFile(folder1()));
    ConnectMode = 1;

    ASSERT_TRUE(dm.fnAccDatConnected(server.host, folder1(), 0));
    EXPECT_EQ(dm.IBDatabaseDAT.databaseName(), server.host + QLatin1Char(':') + companyFile(folder1()));
    EXPECT_FALSE(dm.AccDatInConnection(core::kCompanyDatabase, server.host, 0, folder1()));
    {
        auto other = attach(server.host + QLatin1Char(':') + companyFile(folder1()));
        EXPECT_TRUE(dm.AccDatInConnection(core::kCompanyDatabase, server.host, 0, folder1()));
        EXPECT_TRUE(dm.IBDatabaseDAT.connected());
    }
    dm.AccDatDisconnect(folder1(), 0, 0);

    // The loopback address is the server too: while the data module holds the data set through
    // "127.0.0.1", another attachment through the server opens it, and this process holds no
    // database file of its own.
    ASSERT_TRUE(dm.fnAccDatConnected(QStringLiteral("127.0.0.1"), folder1(), 0));
    EXPECT_EQ(dm.IBDatabaseDAT.databaseName(), QStringLiteral("127.0.0.1:") + companyFile(folder1()));
    EXPECT_FALSE(testsupport::processHoldsFile(companyFile(folder1())));
    EXPECT_NO_THROW(attach(server.host + QLatin1Char(':') + companyFile(folder1())));
    EXPECT_TRUE(dm.AccDatInConnection(core::kCompanyDatabase, QStringLiteral("127.0.0.1"), 1, folder1()));
    dm.AccDatDisconnect(folder1(), 0, 0);
    EXPECT_TRUE(dm.AccDatDropDatabase(QStringLiteral("127.0.0.1"), folder1()));
    EXPECT_FALSE(QFileInfo::exists(companyFile(folder1())));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

} // namespace
