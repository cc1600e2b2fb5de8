// The data-set information read from and written to a company database.
#include "DmTestSupport.h"
#include "companydata/DataInfomation.h"
#include "companydata/DataInfomationMarks.h"
#include "platform/IniFile.h"
#include "schema/DataRoot.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/SampleDataSet.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using companydata::TDataInfomation;
using companydata::TDataInfomationRec;

namespace {

class DataInfomationDbTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(schema::DbAccount{}, dir_->path());
        setupError_ = testsupport::createSampleRoot(*root_, {schema::sample::SampleKind::Ordinary});
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
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.OPCODE = 100000003;
        core::SystemDef.OPNAME = QStringLiteral("経理担当");
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
    }

    // A copy of the sample's company database in a folder of its own, with the statements run.
    QString copyOfSample(const QStringList& statements = {}) {
        const QString folder = work.filePath(QStringLiteral("copy%1").arg(++copies_));
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/qmacc.fdb");
        EXPECT_TRUE(QFile::copy(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"), file));
        for (const QString& sql : statements)
            execute(file, sql);
        return folder;
    }

    // Runs one statement on the database file in a transaction of its own.
    static void execute(const QString& file, const QString& sql) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.setParamCheck(false);
        q.sql() << sql;
        q.execSQL();
        t.commit();
    }

    // The first column of the first row of the query on the database file.
    static QString scalarIn(const QString& file, const QString& sql) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << sql;
        q.execQuery();
        return q.eof() ? QStringLiteral("<no row>") : q.fields(0).asString();
    }

    static QString scalar(const QString& folder, const QString& sql) {
        return scalarIn(folder + QStringLiteral("/qmacc.fdb"), sql);
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;
    int copies_ = 0;

    dmtest::ScopedSession session;
    QTemporaryDir work;
    dmtest::FakeDM dm;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
};

TEST_F(DataInfomationDbTest, UpdateCutsTheNameAt40BytesAndWritesReadOnlyFrom12) {
    // 39 single-byte characters and a double-byte one across the 40th byte.
    const QString longName = QString(39, QLatin1Char('A')) + QStringLiteral("漢字");
    struct Case {
        QString version;
        QString readOnlyAfter;
    };
    const Case cases[] = {{QStringLiteral("12.0.0"), QStringLiteral("0")},
                          {QStringLiteral("11.9.9"), QStringLiteral("1")}};
    for (const Case& c : cases) {
        const QStringList v = c.version.split(QLatin1Char('.'));
        const QString folder = copyOfSample(
            {QStringLiteral("UPDATE ACCVERSION SET MAJOR=%1,MINOR1=%2,MINOR2=%3 WHERE REC=1").arg(v[0], v[1], v[2]),
             QStringLiteral("UPDATE ACCDEF1 SET READ_ONLY=1 WHERE REC=1")});
        TDataInfomation info;
        TDataInfomationRec rec;
        rec.DataListName = longName;
        rec.UpdateLock = 7;
        rec.ReadOnly = 0;
        info.UpdateDataInfomation(QString(), folder, rec);
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'\n').toStdString();
        EXPECT_FALSE(dm.IBDatabaseDAT.connected());
        EXPECT_EQ(scalar(folder, QStringLiteral("SELECT ENTTEXT FROM ACCDEF1 WHERE REC=1")), QString(39, u'A'));
        EXPECT_EQ(scalar(folder, QStringLiteral("SELECT DATALOCK FROM ACCDEF1 WHERE REC=1")), QStringLiteral("7"));
        EXPECT_EQ(scalar(folder, QStringLiteral("SELECT READ_ONLY FROM ACCDEF1 WHERE REC=1")), c.readOnlyAfter)
            << c.version.toStdString();
    }
}

TEST_F(DataInfomationDbTest, AnEmptyNameKeepsTheStoredOne) {
    const QString folder = copyOfSample({QStringLiteral("UPDATE ACCDEF1 SET ENTTEXT='　登録名　' WHERE REC=1")});
    TDataInfomation info;
    TDataInfomationRec rec;
    rec.DataListName = QStringLiteral("　");
    info.UpdateDataInfomation(QString(), folder, rec);
    EXPECT_EQ(scalar(folder, QStringLiteral("SELECT ENTTEXT FROM ACCDEF1 WHERE REC=1")), QStringLiteral("登録名"));
}

TEST_F(DataInfomationDbTest, GetDataInfoOfFolderReadsTheCompanyDatabase) {
    const QString folder = copyOfSample({QStringLiteral("UPDATE ACCDEF1 SET ENTTEXT='' WHERE REC=1")});
    TDataInfomation info;
    info.SeihinVersions = {{scalar(folder, QStringLiteral("SELECT MAJOR||'.'||MINOR1 FROM ACCVERSION WHERE REC=1")),
                            QStringLiteral("製品名")}};
    TDataInfomationRec rec;
    ASSERT_EQ(info.GetDataInfoOfFolder(folder, rec), 1);
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());
    EXPECT_EQ(rec.Shougou, scalar(folder, QStringLiteral("SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1")));
    EXPECT_EQ(rec.Kishu, scalar(folder, QStringLiteral("SELECT KISHU FROM ACCDEF1 WHERE REC=1")).left(10).replace(u'-', u'/'));
    EXPECT_GT(rec.Siwake, 0);
    EXPECT_GE(rec.TotalSiwake, rec.Siwake);
    EXPECT_GT(rec.VerMajor, 0);
    EXPECT_EQ(rec.VerName, QStringLiteral("製品名"));

    EXPECT_EQ(info.GetDataInfoOfFolder(work.filePath(QStringLiteral("none")), rec), 0);
}

TEST_F(DataInfomationDbTest, ReadingAFolderWithoutItsFileWritesItFromTheDatabase) {
    companydata::DataInfomationMarks marks;
    dmtest::ScopedMarks scopedMarks(marks);
    const QString folder = copyOfSample();
    TDataInfomation info;
    TDataInfomationRec rec;
    ASSERT_EQ(info.ReadIni(folder, rec), 1);
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/qmacc.ini")));
    EXPECT_EQ(rec.Status, 1); // opened and closed again
    EXPECT_EQ(rec.OpCode, 0);
    EXPECT_EQ(rec.Shougou, scalar(folder, QStringLiteral("SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1")));
    EXPECT_GT(rec.Siwake, 0);
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());

    // Opening a local copy that is taken out of its shared area keeps it marked as taken out.
    info.SetShareStatus(folder, 2);
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder, 1));
    info.ReadIni(folder, rec);
    EXPECT_EQ(std::tuple(rec.Status, rec.OpCode, rec.ShareStatus), std::tuple(quint8(2), 100000003, quint8(2)));
    dm.AccDatDisconnect(folder, 1, 0);
    info.ReadIni(folder, rec);
    EXPECT_EQ(std::tuple(rec.Status, rec.ShareStatus), std::tuple(quint8(1), quint8(2)));
}

TEST_F(DataInfomationDbTest, ADatabaseThatCannotBeOpenedReadsAsStatusZero) {
    companydata::DataInfomationMarks marks;
    dmtest::ScopedMarks scopedMarks(marks);
    const QString folder = work.filePath(QStringLiteral("damaged"));
    QDir().mkpath(folder);
    QFile f(folder + QStringLiteral("/qmacc.fdb"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    TDataInfomation info;
    TDataInfomationRec rec;
    EXPECT_EQ(info.ReadIni(folder, rec), 1);
    EXPECT_EQ(rec.Status, 0);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/qmacc.ini")));
}

TEST_F(DataInfomationDbTest, RefreshDataInfoRewritesTheIdentityAndKeepsItWhenTheDatabaseIsUnreadable) {
    const QString folder = copyOfSample();
    TDataInfomation info;
    info.RefreshIniFile(folder, QStringLiteral("DATAINFO"));
    platform::TIniFile file(folder + QStringLiteral("/qmacc.ini"));
    const QString shougou = file.ReadString(QStringLiteral("DATAINFO"), QStringLiteral("SHOUGOU"), {});
    EXPECT_EQ(shougou, scalar(folder, QStringLiteral("SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1")));

    QFile::remove(folder + QStringLiteral("/qmacc.fdb"));
    info.RefreshIniFile(folder, QStringLiteral("DATAINFO"));
    EXPECT_EQ(file.ReadString(QStringLiteral("DATAINFO"), QStringLiteral("SHOUGOU"), {}), shougou);
}

TEST_F(DataInfomationDbTest, ServerModeReadsTheLockFromTheRegistryElseTheDatabase) {
    TAXLINK_REQUIRE_SERVER(account);
    core::SystemDef.USER = account.user;
    core::SystemDef.PASSWORD = account.password;
    core::SystemDef.HOSTNAME = account.host;
    core::SystemDef.SYSDIR = root_->sysDir();
    core::SystemDef.GROUPID = schema::DataRoot::defaultGroup;
    core::ConnectMode = 1;
    const schema::DbAccount server{account.host, account.user, account.password};
    const auto setLock = [&](int opCode) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(server, root_->systemDatabasePath());
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << QStringLiteral("UPDATE DATALIST SET DATALOCK=%1 WHERE REC=1").arg(opCode);
        q.execSQL();
        t.commit();
    };
    const QString folder = root_->dataFolder(1);
    // The operator the data root registers by default.
    const int lockCode = 10;
    const QString lockName = QStringLiteral("テスト担当者");
    TDataInfomation info;
    info.DataPlace = 1;
    TDataInfomationRec rec;

    setLock(lockCode);
    EXPECT_EQ(info.ReadIni(folder, rec), 0);
    EXPECT_EQ(rec.Status, 3);
    EXPECT_EQ(rec.OpCode, lockCode + schema::DataRoot::defaultGroup * 10000);
    EXPECT_EQ(rec.OpName, lockName);
    EXPECT_FALSE(rec.Shougou.isEmpty());
    EXPECT_FALSE(dm.IBDatabaseDEF.connected());

    setLock(0);
    EXPECT_EQ(info.ReadIni(folder, rec), 1);
    EXPECT_EQ(rec.Status, 1);
    EXPECT_EQ(rec.OpCode, 0);
    EXPECT_GT(rec.Siwake, 0);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(DataInfomationDbTest, OperatorRightsAndPassword) {
    const QString folder = copyOfSample();
    const QString missing = work.filePath(QStringLiteral("missing"));
    TDataInfomation info;
    core::SystemDef.LocalAdmin = 0;
    core::SystemDef.Supervisor = 0;
    core::SystemDef.JobLevel = 1;

    EXPECT_FALSE(info.IsDataSiyouKengen(QString()));
    EXPECT_TRUE(info.IsDataSiyouKengen(missing));
    // An operator without facility rights of his own in the data set is refused with the hint.
    EXPECT_FALSE(info.IsDataSiyouKengen(folder));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.startsWith(
        QStringLiteral("このデータを扱う権限がありません、他のデータを選択して下さい。\r権限を付与するには")));
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());
    core::SystemDef.JobLevel = 9;
    EXPECT_TRUE(info.IsDataSiyouKengen(folder));

    EXPECT_FALSE(info.IsDataPasswordAuth(QString()));
    EXPECT_TRUE(info.IsDataPasswordAuth(missing));
    EXPECT_TRUE(info.IsDataPasswordAuth(folder)); // the sample has no data password
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());
    EXPECT_EQ(messages.messages.size(), 1);
}

} // namespace

TEST_F(DataInfomationDbTest, ClosingWithTheListUpdateCopiesTheInformationIntoTheRegistryRow) {
    companydata::DataInfomationMarks marks;
    companydata::InstallRegistryRowUpdate(marks);
    dmtest::ScopedMarks scopedMarks(marks);
    core::SystemDef.SYSDIR = root_->sysDir();
    ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1));
    const QString folder = root_->dataFolder(1);
    auto setNendo = [&](int nendo) {
        execute(folder + QStringLiteral("/qmacc.fdb"), QStringLiteral("UPDATE ACCDEF1 SET NENDO=%1 WHERE REC=1").arg(nendo));
    };
    auto registryNendo = [&] {
        return scalarIn(root_->systemDatabasePath(), QStringLiteral("SELECT NENDO FROM DATALIST WHERE REC=1")).toInt();
    };
    const int stored = registryNendo();
    setNendo(stored + 1);
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder, 1));
    dm.AccDatDisconnect(folder, 1, 1);
    EXPECT_EQ(registryNendo(), stored + 1);

    // Without the list update the row keeps what it holds.
    setNendo(stored);
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder, 1));
    dm.AccDatDisconnect(folder, 1, 0);
    EXPECT_EQ(registryNendo(), stored + 1);
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder, 1));
    dm.AccDatDisconnect(folder, 1, 1);
    EXPECT_EQ(registryNendo(), stored);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'\n').toStdString();
    dm.IBDatabaseDEF.close();
}
