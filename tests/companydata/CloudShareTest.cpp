// The cloud-share line of a company data set: stored only above schema 11.0.0, mirrored into
// the information file of local data folders, and the connection left as it was found.
#include "DmTestSupport.h"
#include "companydata/CloudShareIO.h"
#include "companydata/DataInfomation.h"
#include "platform/IniFile.h"
#include "schema/DataRoot.h"
#include "schema/SchemaScripts.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using companydata::TCloudShareIO;
using companydata::TDataInfomation;

namespace {

class CloudShareTest : public testing::Test {
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
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
    }
    void TearDown() override {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(QString(), 0, 0);
    }

    // A copy of the sample's company database whose version history is the one given ("" none)
    // and whose cloud-share line is 5.
    QString dataSet(const QString& version) {
        const QString folder = work.filePath(QStringLiteral("copy%1").arg(++copies_));
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(QFile::copy(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"), folder + QStringLiteral("/qmacc.fdb")));
        QStringList statements = {QStringLiteral("DELETE FROM ACCVERSION"),
                                  QStringLiteral("UPDATE ACCDEF1 SET CLOUD_LINE=5 WHERE REC=1")};
        if (!version.isEmpty()) {
            const QStringList v = version.split(u'.');
            statements << QStringLiteral("INSERT INTO ACCVERSION (REC,MAJOR,MINOR1,MINOR2) VALUES (1,%1,%2,%3)")
                              .arg(v[0], v[1], v[2]);
        }
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, folder + QStringLiteral("/qmacc.fdb"));
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(db.get());
            t.startTransaction();
            core::TIBSQL q(db.get(), &t);
            q.sql() << sql;
            q.execSQL();
            t.commit();
        }
        return folder;
    }
    static int storedLine(const QString& folder) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, folder + QStringLiteral("/qmacc.fdb"));
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << QStringLiteral("SELECT CLOUD_LINE FROM ACCDEF1 WHERE REC=1");
        q.execQuery();
        return q.fields(0).asInteger();
    }
    static QString iniShare(const QString& folder) {
        return platform::TIniFile(TDataInfomation::IniFileName(folder))
            .ReadString(QStringLiteral("DATAINFO"), QStringLiteral("CLOUD_SHARE"), QStringLiteral("<none>"));
    }
    QString messageText() const { return messages.texts().join(u'\n'); }

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

TEST_F(CloudShareTest, TheLineIsStoredOnlyAbove11_0_0AndMirroredIntoTheInformationFile) {
    struct Case {
        QString version;
        int lineAfterSet;     // in the database after SetSetting(3)
        QString iniAfterSet;  // CLOUD_SHARE of the information file
        int readBefore;       // GetSetting before the change
    };
    const Case cases[] = {
        {QStringLiteral("11.0.0"), 5, QStringLiteral("<none>"), 0},
        {QString(), 5, QStringLiteral("<none>"), 0}, // no version row counts as 0.0.0
        {QStringLiteral("11.0.1"), 3, QStringLiteral("1"), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version.toStdString());
        const QString folder = dataSet(c.version);
        TCloudShareIO io(&dm);
        EXPECT_EQ(io.GetSetting(QString(), folder), c.readBefore);
        EXPECT_TRUE(io.SetSetting(QString(), folder, 3));
        EXPECT_EQ(storedLine(folder), c.lineAfterSet);
        EXPECT_EQ(iniShare(folder), c.iniAfterSet);
        EXPECT_EQ(io.GetSetting(QString(), folder), c.readBefore == 0 ? 0 : 3);
        EXPECT_FALSE(dm.IBDatabaseDAT.connected());
        EXPECT_TRUE(messages.texts().isEmpty()) << messageText().toStdString();
    }
}

TEST_F(CloudShareTest, ClearSettingKeepsTheConnectionAsItWas) {
    const QString folder = dataSet(QStringLiteral("11.0.1"));
    TCloudShareIO io(&dm);
    EXPECT_TRUE(io.ClearSetting(QString(), folder));
    EXPECT_EQ(storedLine(folder), 0);
    EXPECT_EQ(iniShare(folder), QStringLiteral("0"));
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());

    ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder, 0));
    core::ConnectMode = 1; // folders on a server: the information file is not touched
    EXPECT_TRUE(io.SetSetting(QString(), folder, 2));
    EXPECT_EQ(iniShare(folder), QStringLiteral("0"));
    core::ConnectMode = 0;
    EXPECT_TRUE(dm.IBDatabaseDAT.connected());
    EXPECT_EQ(io.GetSetting(QString(), folder), 2);
    EXPECT_TRUE(io.ClearSetting(QString(), folder));
    EXPECT_TRUE(dm.IBDatabaseDAT.connected());
    EXPECT_EQ(io.GetSetting(QString(), folder), 0);
    dm.AccDatDisconnect(folder, 0, 0);
    EXPECT_EQ(iniShare(folder), QStringLiteral("0"));
}

TEST_F(CloudShareTest, AFolderWithoutADatabaseAnswersFailure) {
    const QString folder = work.filePath(QStringLiteral("empty"));
    QDir().mkpath(folder);
    TCloudShareIO io(&dm);
    EXPECT_FALSE(io.SetSetting(QString(), folder, 1));
    EXPECT_EQ(io.GetSetting(QString(), folder), 0);
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());
    EXPECT_EQ(iniShare(folder), QStringLiteral("<none>"));
    EXPECT_FALSE(messages.texts().isEmpty()); // the data module reported the failed connection
}

} // namespace
