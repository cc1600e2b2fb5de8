// The data-selection operations in the client/server mode, on the loopback server and a data
// root of the suite's own: the paste through the server's backup and restore, a failing worker,
// the delete with its drop of the database, a drop refused while the database is attached, and
// adding areas.

#include "DmTestSupport.h"
#include "companydata/BackupRestoreThread.h"
#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/db/IBTransaction.h"
#include "core/errors/ConnectionLoss.h"
#include "core/session/AppInfo.h"
#include "core/modules/ModuleRegistry.h"
#include "schema/DataRoot.h"
#include "schema/SchemaScripts.h"
#include "selection/DataSentakuBox.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace selection;

namespace {

const QString kCopyName = QStringLiteral("みなと商事 第15期～コピー");

class DataSentakuServerOpsTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const auto server = testsupport::serverAccount();
        if (!server)
            return;
        account_ = {server->host, server->user, server->password};
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(account_, dir_->filePath(QStringLiteral("root")));
        setupError_ = testsupport::createSampleRoot(*root_, {schema::sample::SampleKind::Ordinary});
    }
    static void TearDownTestSuite()
    {
        root_.reset();
        dir_.reset();
    }

    void SetUp() override
    {
        TAXLINK_REQUIRE_SERVER(server);
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        core::SystemDef.USER = server.user;
        core::SystemDef.PASSWORD = server.password;
        core::SystemDef.HOSTNAME = server.host;
        core::SystemDef.SYSDIR = root_->sysDir();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.TempDir = work.path();
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.GROUPID = schema::DataRoot::defaultGroup;
        core::SystemDef.OPCODE = schema::DataRoot::defaultGroup * 10000 + 10;
        core::SystemDef.LoginCode = 10;
        core::SystemDef.JobLevel = 9;
        core::SystemDef.OPNAME = QStringLiteral("山田");
        core::SystemDef.DataFolder.clear();
        core::SystemDef.ServerDataPlace = 0;
        core::SystemDef.ServerWorkDir.clear();
        core::SystemDef.DataCheck = 0;
        core::ConnectMode = 1;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(server.host, 1)) << messages.texts().join(u'\n').toStdString();
    }
    void TearDown() override
    {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(QString(), 0, 0);
        core::ConnectMode = 0;
    }

    QStringList rows(const QString& sql)
    {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        dm.IBTransactionDEF.startTransaction();
        q.sql() << sql;
        q.execQuery();
        QStringList out;
        for (; !q.eof(); q.next())
            out << q.fields(0).asString().trimmed();
        q.close();
        dm.IBTransactionDEF.commit();
        return out;
    }
    void run(const QString& sql)
    {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        dm.IBTransactionDEF.startTransaction();
        q.sql() << sql;
        q.execSQL();
        dm.IBTransactionDEF.commit();
    }
    QString registry(int rec, const QString& column = QStringLiteral("ENTTEXT"))
    {
        return rows(QStringLiteral("SELECT %1 FROM DATALIST WHERE REC=%2").arg(column).arg(rec)).value(0);
    }
    QString companyName(const QString& folder)
    {
        if (!dm.fnAccDatConnected(core::SystemDef.HOSTNAME, folder, 0))
            return QStringLiteral("<no database>");
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        dm.IBTransactionDAT.startTransaction();
        q.sql() << QStringLiteral("SELECT ENTTEXT FROM ACCDEF1 WHERE REC=1");
        q.execQuery();
        const QString name = q.eof() ? QString() : q.fields(0).asString().trimmed();
        q.close();
        dm.IBTransactionDAT.commit();
        dm.AccDatDisconnect(folder, 0, 0);
        return name;
    }
    // A copy of the sample data set in the registered row rec, named in the registry.
    QString copyInto(int rec, const QString& name)
    {
        const QString path = root_->dataFolder(rec);
        QDir().mkpath(path);
        QFile::remove(path + QStringLiteral("/qmacc.fdb"));
        EXPECT_TRUE(QFile::copy(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"), path + QStringLiteral("/qmacc.fdb")));
        run(QStringLiteral("UPDATE DATALIST SET ENTTEXT='%1',SHOUGOU='%1' WHERE REC=%2").arg(name).arg(rec));
        return path;
    }

    std::unique_ptr<TDataSentakuBox> open()
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams(core::ModuleLaunchParams(QStringLiteral("SyoriType=0\r\nManualFree=1"), true));
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info.Lines[0].Text;
            return int(core::mrOk);
        };
        box->ShowDetailBox = [this](const controls::TMessageInfoRec& info) {
            details << info;
            return int(core::mrOk);
        };
        box->Prepare(1);
        return box;
    }
    static int rowOf(TDataSentakuBox& box, int rec)
    {
        for (int r = 0; r < box.Grid->RowCount(); ++r)
            if (box.Grid->RowValue(r) == rec)
                return r;
        return -1;
    }
    void paste(TDataSentakuBox& box, int source, int target)
    {
        for (int rec : {source, target}) {
            box.Grid->SetRow(rowOf(box, rec));
            box.SetFKeyCaptions();
            box.Keys[fkF2]->click();
        }
    }

    static inline schema::DbAccount account_;
    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;
    QTemporaryDir work;
    dmtest::ScopedSession session;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
    core::TDM dm;
    QStringList boxes;
    QList<controls::TMessageInfoRec> details;
};

} // namespace

// A paste copies the database on the server into the empty row, which takes the copy's name;
// the delete drops that database again and the row is empty once more.
TEST_F(DataSentakuServerOpsTest, PasteThenDelete)
{
    const QString target = root_->dataFolder(2);
    auto box = open();
    paste(*box, 1, 2);
    EXPECT_FALSE(box->PastePending);
    EXPECT_EQ(registry(2), kCopyName) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(registry(2, QStringLiteral("DATALOCK")), QStringLiteral("0"));
    EXPECT_EQ(companyName(target), kCopyName);
    EXPECT_TRUE(details.isEmpty());
    // The server copy kept its backup file in the session's work folder on the server.
    EXPECT_TRUE(core::SystemDef.ServerWorkDir.endsWith(QStringLiteral("/%1").arg(core::SystemDef.OPCODE)));

    box->Grid->SetRow(rowOf(*box, 2));
    EXPECT_EQ(box->DeleteData(true), 1) << messages.texts().join(u'\n').toStdString();
    ASSERT_EQ(details.size(), 1);
    EXPECT_EQ(details.first().Caption, QStringLiteral("データの削除"));
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(registry(2), QString());
}

// A worker that fails (here its backup file cannot be made: a file stands where the work
// folder belongs) is reported, and the target keeps its database, name and lock.
TEST_F(DataSentakuServerOpsTest, FailingCopyLeavesTheTarget)
{
    const QString target = copyInto(3, QStringLiteral("元のデータ"));
    const QString blocked = QFileInfo(root_->sysDir()).path() + u'/'
                            + QFileInfo(core::NativeSubPath(core::Identity.ServerTempDir)).fileName();
    QDir().mkpath(QFileInfo(blocked).path());
    QDir(blocked).removeRecursively();
    {
        QFile f(blocked);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    auto box = open();
    paste(*box, 1, 3);
    QFile::remove(blocked);
    EXPECT_FALSE(messages.messages.isEmpty());
    EXPECT_EQ(registry(3), QStringLiteral("元のデータ"));
    EXPECT_EQ(registry(3, QStringLiteral("DATALOCK")), QStringLiteral("0"));
    EXPECT_EQ(companyName(target), QStringLiteral("みなと商事 第15期"));
}

// When another attachment takes the database after the checks (here while the agree box is
// up) the server refuses the drop: the folder and the row stay.
TEST_F(DataSentakuServerOpsTest, DropRefusedWhileAttachedKeepsFolderAndRow)
{
    const QString target = copyInto(4, QStringLiteral("使用中"));
    std::unique_ptr<core::TIBDatabase> other;
    auto box = open();
    box->ShowDetailBox = [&](const controls::TMessageInfoRec&) {
        other = schema::openDatabase(account_, target + QStringLiteral("/qmacc.fdb"));
        return int(core::mrOk);
    };
    box->Grid->SetRow(rowOf(*box, 4));
    EXPECT_EQ(box->DeleteData(true), 0);
    ASSERT_TRUE(other);
    EXPECT_TRUE(messages.texts().join(u'\n').contains(QStringLiteral("ユーザーデータベースの削除処理に失敗しました。")));
    EXPECT_TRUE(QFile::exists(target + QStringLiteral("/qmacc.fdb")));
    EXPECT_EQ(registry(4), QStringLiteral("使用中"));
}

TEST_F(DataSentakuServerOpsTest, AddArea)
{
    const QString sys = root_->sysDir();
    QDir().mkpath(sys + QStringLiteral("/made"));
    auto box = open();
    QStringList inputs;
    box->InputAreaName = [&inputs](const QString&) -> std::optional<QString> { return inputs.takeFirst(); };
    struct Case {
        QString input;
        QString message;
    } cases[] = {
        {QStringLiteral("0001"), QStringLiteral("\"%1/0001\"は既にデータリスト上に作成されています。\r").arg(sys)},
        {QStringLiteral("made"), QStringLiteral("\"%1/made\"に会計データが作成されています。\r").arg(sys)},
        {QStringLiteral("../x"), QStringLiteral("\"../x\"はフォルダ名として使用できません。")},
        {QStringLiteral(".."), QStringLiteral("\"..\"はフォルダ名として使用できません。")},
        {QStringLiteral("a:b"), QStringLiteral("\"a:b\"はフォルダ名として使用できません。")},
        {QStringLiteral("  "), QString()},
    };
    const QString before = rows(QStringLiteral("SELECT COUNT(*) FROM DATALIST")).value(0);
    for (const Case& c : cases) {
        messages.messages.clear();
        inputs = {c.input};
        EXPECT_TRUE(box->AddArea());
        EXPECT_EQ(messages.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.input.toStdString();
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM DATALIST")).value(0), before);

    // A new name becomes a registry row of its own; its folder is made later.
    inputs = {QStringLiteral("new1")};
    EXPECT_TRUE(box->AddArea());
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM DATALIST WHERE PASNAME='%1/new1'").arg(sys)).value(0),
              QStringLiteral("1"));
    EXPECT_FALSE(QFileInfo::exists(sys + QStringLiteral("/new1")));

    // 2000 rows are the most.
    messages.messages.clear();
    box->List.Records.resize(2000);
    EXPECT_TRUE(box->AddArea());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("これ以上の領域追加は行えません。(最大2000件)")});
}

// A restore from a damaged backup (cut in half, its information block written again) through
// the server: the failure is reported, the target keeps its database, name and lock, and the
// session's connection to the system database stays usable.
TEST_F(DataSentakuServerOpsTest, DamagedBackupRestoreLeavesTheTargetAndTheSession)
{
    const QString target = copyInto(5, QStringLiteral("復元先"));
    const QString place = work.filePath(QStringLiteral("backup"));
    QDir().mkpath(place);
    core::SystemDef.ServerTempDir = work.filePath(QStringLiteral("servertemp"));
    auto box = open();
    box->Grid->SetRow(rowOf(*box, 1));
    ASSERT_EQ(box->SaveData(place), 1) << messages.texts().join(u'\n').toStdString();
    const QString fbk = place + QStringLiteral("/qmacc.fbk");
    companydata::TBackupRestoreThread zone(true);
    ASSERT_TRUE(zone.ReadZoneInfo(fbk, true));
    {
        QFile cut(fbk);
        ASSERT_TRUE(cut.resize(cut.size() / 2));
    }
    ASSERT_TRUE(zone.WriteZoneInfo(fbk));

    messages.messages.clear();
    box->Grid->SetRow(rowOf(*box, 5));
    EXPECT_EQ(box->RestoreData(place), -1);
    // The server's restore itself stops at the early end with its error.
    ASSERT_FALSE(messages.messages.isEmpty());
    EXPECT_TRUE(messages.messages.first().detail.contains(QStringLiteral("unexpected end of file on backup file")))
        << messages.messages.first().detail.toStdString();
    EXPECT_FALSE(core::ConnectionLossPending()) << messages.texts().join(u'\n').toStdString();
    EXPECT_FALSE(core::FatalDbError);
    EXPECT_EQ(registry(5), QStringLiteral("復元先"));
    EXPECT_EQ(registry(5, QStringLiteral("DATALOCK")), QStringLiteral("0"));
    EXPECT_EQ(companyName(target), QStringLiteral("みなと商事 第15期"));

    // An intact backup restores through the same way.
    const QString good = work.filePath(QStringLiteral("good"));
    QDir().mkpath(good);
    box->Grid->SetRow(rowOf(*box, 1));
    ASSERT_EQ(box->SaveData(good), 1) << messages.texts().join(u'\n').toStdString();
    messages.messages.clear();
    box->Grid->SetRow(rowOf(*box, 5));
    EXPECT_EQ(box->RestoreData(good), 1) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(registry(5), QStringLiteral("みなと商事 第15期"));
    EXPECT_EQ(registry(5, QStringLiteral("DATALOCK")), QStringLiteral("0"));
}
