// The backup and restore worker on copies of the sample company: the information block, backup
// and restore run on the worker thread, its refusals, a failed restore, the My Number rules
// and, through the loopback server, the transfer through FILETRANS.
#include "DmTestSupport.h"

#include "companydata/BackupRestoreThread.h"
#include "companydata/MyNumberCodec.h"
#include "companydata/MyNumberIO.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/DataRoot.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/SampleDataSet.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"
#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using companydata::TBackupRestoreThread;

const QString kShougou = QStringLiteral("株式会社みなと商事");
const QString kBackupStopped = QStringLiteral("データベースの保存処理を中止しました。");
const QString kRestoreStopped = QStringLiteral("データベースの復元処理を中止しました。");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program-wide values a test changes that ScopedSession does not put back.
class ScopedAppInfo {
public:
    ScopedAppInfo() : appInfo_(core::AppInfo) { core::AppInfo = core::DefaultAppInfo(); }
    ~ScopedAppInfo() { core::AppInfo = appInfo_; }

private:
    core::TAppInfoRec appInfo_;
};

class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

// What every test shares: the worker's fields for one operation, and statements on a database
// file on a connection of their own.
class WorkerFixture : public testing::Test {
protected:
    schema::DbAccount account;

    std::unique_ptr<TBackupRestoreThread> worker(qint32 mode, const QString& database, const QString& backup) {
        auto thread = std::make_unique<TBackupRestoreThread>(true);
        thread->Mode = mode;
        thread->DatabaseName = database;
        thread->BackupFileName = backup;
        thread->KeepIndexes = 1;
        thread->HostName = account.host;
        return thread;
    }
    // Runs it as a starter does and returns the error record, for messages.
    std::string run(TBackupRestoreThread& thread) {
        companydata::RunBackupRestoreThread(thread);
        EXPECT_TRUE(thread.IsTerminated());
        EXPECT_EQ(thread.Failed, !thread.Succeeded);
        return (thread.ErrorCode + QLatin1Char(' ') + companydata::BackupRestoreErrorText(thread) + QLatin1Char('\n') +
                messages.texts().join(u'\n'))
            .toStdString();
    }
    // A backup of the data set with its information block.
    QString backupOf(const QString& database, const QString& name, const QString& shougou = kShougou) {
        const QString backup = work.filePath(name);
        auto thread = worker(0, database, backup);
        thread->WriteZone = true;
        thread->ZoneShougou = shougou;
        const std::string why = run(*thread);
        EXPECT_TRUE(thread->Succeeded) << why;
        return backup;
    }

    void exec(const QString& file, const QStringList& statements) const {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(account, file);
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(db.get());
            t.startTransaction();
            core::TIBSQL q(db.get(), &t);
            q.setParamCheck(false);
            q.sql() << sql;
            q.execSQL();
            t.commit();
        }
    }
    QString scalar(const QString& file, const QString& sql) const {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(account, file);
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << sql;
        q.execQuery();
        return q.eof() ? QStringLiteral("<no row>") : q.fields(0).isNull() ? QStringLiteral("<null>") : q.fields(0).asString();
    }
    QString shougou(const QString& file) const { return scalar(file, QStringLiteral("SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1")); }
    QString accReg(const QString& file, const QString& key) const {
        return scalar(file, QStringLiteral("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='%1'").arg(key));
    }
    int logRows(const QString& file, int state) const {
        return scalar(file, QStringLiteral("SELECT COUNT(*) FROM MYNUMBER_LOG WHERE FSTATE=%1").arg(state)).toInt();
    }

    QTemporaryDir work;
    dmtest::ScopedSession session;
    ScopedAppInfo appInfo;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    dmtest::FakeDM dm;
};

// ---- the information block ----

TEST(BackupInfoBlockTest, WrittenExactlyAndReadBackWithTheCut) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("qmacc.fbk"));
    // Backup bytes that happen to hold the marker text themselves.
    const QByteArray body = QByteArray("GBAK\0\x01## TessaroZone\r\nX", 24) + QByteArray(3000, '\x5C');
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(body);
    }
    TBackupRestoreThread writer(true);
    writer.ZoneShougou = QStringLiteral("株式会社ソ表");
    writer.ZoneKishu = QStringLiteral("2025/04/01");
    writer.ZoneKimatu = QStringLiteral("2026/03/31");
    writer.ZoneSiwake = 1103;
    writer.ZoneTotalSiwake = 1200;
    writer.ZoneDataVersion = QStringLiteral("12.0.3");
    writer.ZoneGassan = 2;
    writer.ZoneUseMyNumber = 1;
    ASSERT_TRUE(writer.WriteZoneInfo(file));
    const QByteArray block = QByteArray("## TessaroZone\r\nSHOUGOU=") + QByteArray("\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\x83\x5C\x95\x5C") +
                             "\r\nKISHU=2025/04/01\r\nKIMATU=2026/03/31\r\nSIWAKE=1103\r\nTOTALSIWAKE=1200\r\n"
                             "DATAVARSION=12.0.3\r\nGASSAN=2\r\nUSEMYNUMBER=1\r\n";
    EXPECT_EQ(fileBytes(file), body + block);

    TBackupRestoreThread reader(true);
    reader.ZoneSiwake = 7;
    ASSERT_TRUE(reader.ReadZoneInfo(file, false));
    EXPECT_EQ(fileBytes(file), body + block);
    ASSERT_TRUE(reader.ReadZoneInfo(file, true));
    EXPECT_EQ(fileBytes(file), body);
    EXPECT_EQ(reader.ZoneShougou, writer.ZoneShougou);
    EXPECT_EQ(reader.ZoneKishu, writer.ZoneKishu);
    EXPECT_EQ(reader.ZoneKimatu, writer.ZoneKimatu);
    EXPECT_EQ(reader.ZoneSiwake, 1103);
    EXPECT_EQ(reader.ZoneTotalSiwake, 1200);
    EXPECT_EQ(reader.ZoneDataVersion, QStringLiteral("12.0.3"));
    EXPECT_EQ(reader.ZoneGassan, 2);
    EXPECT_EQ(reader.ZoneUseMyNumber, 1);

    // No block left: false with every value cleared. An empty trade name writes nothing.
    EXPECT_FALSE(reader.ReadZoneInfo(file, true));
    EXPECT_TRUE(reader.ZoneShougou.isEmpty() && reader.ZoneKishu.isEmpty() && reader.ZoneDataVersion.isEmpty());
    EXPECT_EQ(reader.ZoneSiwake + reader.ZoneTotalSiwake + reader.ZoneGassan + reader.ZoneUseMyNumber, 0);
    writer.ZoneShougou.clear();
    EXPECT_TRUE(writer.WriteZoneInfo(file));
    EXPECT_EQ(fileBytes(file), body);
}

TEST(BackupInfoBlockTest, ConstructionDefaults) {
    ScopedAppInfo appInfo;
    TBackupRestoreThread thread(true);
    EXPECT_EQ(thread.ProcessName, QStringLiteral("タレック財務"));
    EXPECT_TRUE(thread.MyNumberStep);
    EXPECT_EQ(thread.TransferKind, 0);
    EXPECT_FALSE(thread.WriteZone || thread.AskIncludeMyNumber || thread.LogMyNumber || thread.ExcludeMyNumber);
    EXPECT_EQ(thread.MyNumberAnswer, 0);
    EXPECT_FALSE(thread.IsTerminated());
}

// ---- the embedded engine ----

class BackupRestoreThreadTest : public WorkerFixture {
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
        core::SystemDef.SYSDIR = root_->sysDir();
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.OPCODE = 100000012;
        core::SystemDef.LoginCode = 12;
        core::SystemDef.OPNAME = QStringLiteral("経理担当");
        core::SystemDef.ComputerName = QStringLiteral("PC01");
        core::SystemDef.MyNumberAdmin = 1;
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
    }

    // A copy of the sample company in a data folder of its own.
    QString dataSet(const QString& name) {
        const QString folder = work.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/qmacc.fdb");
        EXPECT_TRUE(QFile::copy(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"), file));
        return file;
    }
    // Gives the data set My Number settings.
    void manageMyNumber(const QString& file) {
        companydata::TMyNumberIO io;
        io.UseMyNumber = 1;
        io.MyNumberKey = QStringLiteral("Pass1234");
        io.MyNumberValue = QStringLiteral("値ソ");
        io.PutMyNumberSetting(QString(), file);
        ASSERT_EQ(accReg(file, QStringLiteral("＃USE")), QStringLiteral("1"));
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;
};

TEST_F(BackupRestoreThreadTest, BackupRestoreCopyAndRebuildOnTheWorker) {
    const QString live = dataSet(QStringLiteral("0001"));
    const QString backup = backupOf(live, QStringLiteral("qmacc.fbk"));
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());

    TBackupRestoreThread reader(true);
    ASSERT_TRUE(reader.ReadZoneInfo(backup, true));
    EXPECT_EQ(reader.ZoneShougou, kShougou);

    exec(live, {QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='変更後' WHERE REC=1")});
    auto restore = worker(1, live, backup);
    restore->ZoneUseMyNumber = reader.ZoneUseMyNumber;
    const std::string why = run(*restore);
    ASSERT_TRUE(restore->Succeeded) << why;
    EXPECT_EQ(shougou(live), kShougou);
    EXPECT_EQ(restore->MyNumberAnswer, 0);
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());

    // A copy into another file, and a rebuild of the copy in place.
    const QString copy = work.filePath(QStringLiteral("0002/qmacc.fdb"));
    ASSERT_TRUE(QDir().mkpath(work.filePath(QStringLiteral("0002"))));
    auto copying = worker(2, live, work.filePath(QStringLiteral("copy.fbk")));
    copying->RestoreName = copy;
    const std::string copyWhy = run(*copying);
    ASSERT_TRUE(copying->Succeeded) << copyWhy;
    EXPECT_EQ(shougou(copy), kShougou);
    exec(copy, {QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='再構築' WHERE REC=1")});
    auto rebuild = worker(3, copy, work.filePath(QStringLiteral("rebuild.fbk")));
    const std::string rebuildWhy = run(*rebuild);
    ASSERT_TRUE(rebuild->Succeeded) << rebuildWhy;
    EXPECT_EQ(rebuild->RestoreName, copy);
    EXPECT_EQ(shougou(copy), QStringLiteral("再構築"));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(BackupRestoreThreadTest, RefusalsTouchNoFile) {
    const QString live = dataSet(QStringLiteral("0001"));
    manageMyNumber(live);
    const QString backup = backupOf(dataSet(QStringLiteral("0009")), QStringLiteral("plain.fbk"));
    const QString other = work.filePath(QStringLiteral("0001/other.fdb"));

    struct Case {
        const char* name;
        qint32 mode;
        QString database;
        QString backupFile;
        bool holdTarget;
        qint32 zoneUseMyNumber;
        const char* code;
        QString message;
        QString detail;
    };
    const QString notOurs = QStringLiteral("指定されたファイルはタレック財務用のデータではありません。");
    const Case cases[] = {
        {"backup of a foreign file", 0, live.chopped(3) + QStringLiteral("gdb"), work.filePath(QStringLiteral("new.fbk")),
         false, 0, "101", notOurs, kBackupStopped},
        {"restore into a foreign file", 1, other, backup, false, 0, "201", notOurs, kRestoreStopped},
        {"restore onto an attached data set", 1, live, backup, true, 1, "202",
         QStringLiteral("このデータは、他のオペレータが使用中のため復元処理を行うことが出来ません。"), kRestoreStopped},
        // The backup carries no My Number information (USEMYNUMBER=0); the target manages it.
        {"restore without My Number onto ＃USE=1", 1, live, backup, false, 0, "200",
         QStringLiteral("マイナンバー情報を管理しているデータへの復元はおこなえません。"), kRestoreStopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.messages.clear();
        std::unique_ptr<core::TIBDatabase> holder;
        if (c.holdTarget)
            holder = schema::openDatabase(account, c.database);
        auto thread = worker(c.mode, c.database, c.backupFile);
        thread->ZoneUseMyNumber = c.zoneUseMyNumber;
        const std::string why = run(*thread);
        EXPECT_TRUE(thread->Failed) << why;
        EXPECT_EQ(thread->ErrorCategory, c.mode == 0 ? QStringLiteral("BackupDatabase") : QStringLiteral("RestoreDatabase"));
        EXPECT_EQ(thread->ErrorCode, QLatin1String(c.code));
        EXPECT_EQ(thread->ErrorMessage, c.message);
        EXPECT_EQ(thread->ErrorDetail, c.detail);
        holder.reset();
        EXPECT_FALSE(QFile::exists(work.filePath(QStringLiteral("new.fbk"))));
        EXPECT_FALSE(QFile::exists(other));
        EXPECT_EQ(shougou(live), kShougou);
        EXPECT_EQ(accReg(live, QStringLiteral("＃USE")), QStringLiteral("1"));
    }
    EXPECT_TRUE(QDir(work.filePath(QStringLiteral("0001"))).entryList({QStringLiteral("*.new")}).isEmpty());
}

TEST_F(BackupRestoreThreadTest, AFailedRestoreLeavesTheTargetIntact) {
    const QString live = dataSet(QStringLiteral("0001"));
    const QString broken = work.filePath(QStringLiteral("broken.fbk"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(64 * 1024, 'x'));
    }
    const QByteArray before = fileBytes(live);
    auto restore = worker(1, live, broken);
    restore->MyNumberStep = false;
    run(*restore);
    EXPECT_TRUE(restore->Failed);
    EXPECT_EQ(restore->ErrorCode, QStringLiteral("200"));
    EXPECT_EQ(restore->ErrorMessage, QStringLiteral("データベースの復元に失敗しました。"));
    EXPECT_EQ(restore->ErrorDetail, kRestoreStopped);
    EXPECT_TRUE(fileBytes(live) == before);
    EXPECT_EQ(QDir(work.filePath(QStringLiteral("0001"))).entryList(QDir::Files), QStringList{QStringLiteral("qmacc.fdb")});
    EXPECT_EQ(shougou(live), kShougou);
}

// A data set that manages My Number information, backed up without it and with it, and the
// restores of both.
TEST_F(BackupRestoreThreadTest, MyNumberRoundTrip) {
    const QString live = dataSet(QStringLiteral("0001"));
    manageMyNumber(live);
    const QString key = companydata::EncodeMyNumberSetting(QStringLiteral("Pass1234"));
    const auto myNumberBackup = [&](const QString& name) {
        auto thread = worker(0, live, work.filePath(name));
        thread->ZoneUseMyNumber = 1;
        thread->AskIncludeMyNumber = true;
        thread->LogMyNumber = true;
        thread->WriteZone = true;
        thread->ZoneShougou = kShougou;
        return thread;
    };

    // No: the backup carries ＃USE 0, no key rows and the code-3 row; the live data ends as it was.
    messages.answers = {core::mrNo};
    auto without = myNumberBackup(QStringLiteral("without.fbk"));
    std::string why = run(*without);
    ASSERT_TRUE(without->Succeeded) << why;
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].kind, core::MessageKind::Confirmation);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("保存データにマイナンバー情報を含めますか？"));
    EXPECT_TRUE(without->ExcludeMyNumber);
    EXPECT_EQ(without->ZoneUseMyNumber, 1);
    EXPECT_EQ(accReg(live, QStringLiteral("＃USE")), QStringLiteral("1"));
    EXPECT_EQ(accReg(live, QStringLiteral("＃KEY")), key);
    EXPECT_EQ(logRows(live, 3), 0);

    TBackupRestoreThread reader(true);
    ASSERT_TRUE(reader.ReadZoneInfo(without->BackupFileName, true));
    EXPECT_EQ(reader.ZoneUseMyNumber, 0);
    const QString probe = work.filePath(QStringLiteral("probe/qmacc.fdb"));
    ASSERT_TRUE(QDir().mkpath(work.filePath(QStringLiteral("probe"))));
    auto toProbe = worker(1, probe, without->BackupFileName);
    why = run(*toProbe);
    ASSERT_TRUE(toProbe->Succeeded) << why;
    EXPECT_EQ(accReg(probe, QStringLiteral("＃USE")), QStringLiteral("0"));
    EXPECT_EQ(accReg(probe, QStringLiteral("＃KEY")), QStringLiteral("<no row>"));
    EXPECT_EQ(accReg(probe, QStringLiteral("＃VALUE")), QStringLiteral("<no row>"));
    EXPECT_EQ(logRows(probe, 3), 1);

    // Yes with the management password: the backup carries it all and the code-6 row.
    messages.messages.clear();
    messages.answers = {core::mrYes};
    messages.textAnswers = {QStringLiteral("Pass1234")};
    auto with = myNumberBackup(QStringLiteral("with.fbk"));
    why = run(*with);
    ASSERT_TRUE(with->Succeeded) << why;
    EXPECT_EQ(with->MyNumberAnswer, 6);
    EXPECT_FALSE(with->ExcludeMyNumber);
    EXPECT_EQ(logRows(live, 6), 1);
    ASSERT_TRUE(reader.ReadZoneInfo(with->BackupFileName, true));
    EXPECT_EQ(reader.ZoneUseMyNumber, 1);

    // A wrong password three times stops the backup with the first 100 record.
    messages.answers = {core::mrYes};
    messages.textAnswers = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    auto refused = myNumberBackup(QStringLiteral("refused.fbk"));
    run(*refused);
    EXPECT_EQ(refused->ErrorCode, QStringLiteral("100"));
    EXPECT_EQ(refused->ErrorMessage, kBackupStopped);
    EXPECT_TRUE(refused->ErrorDetail.isEmpty());
    EXPECT_FALSE(QFile::exists(refused->BackupFileName));

    // The restore of the backup with My Number: code 7 logged, the target's newer rows merged.
    exec(live, {QStringLiteral("INSERT INTO MYNUMBER_LOG (FHIZUKE,FSERIAL,FOPCODE,FHOST,FSTATE) "
                               "VALUES ('2030-01-02 03:04:05','S','99','PC09',8)")});
    auto restore = worker(1, live, with->BackupFileName);
    restore->ZoneUseMyNumber = reader.ZoneUseMyNumber;
    restore->LogMyNumber = true;
    restore->ProcessName = QStringLiteral("データ選択");
    why = run(*restore);
    ASSERT_TRUE(restore->Succeeded) << why;
    EXPECT_EQ(restore->MyNumberAnswer, 7);
    EXPECT_EQ(logRows(live, 6), 1);
    EXPECT_EQ(logRows(live, 8), 1);
    EXPECT_EQ(scalar(live, QStringLiteral("SELECT FCOMMENT FROM MYNUMBER_LOG WHERE FSTATE=7")),
              QStringLiteral("マイナンバー情報を含むデータが復元されました。"));
    EXPECT_EQ(accReg(live, QStringLiteral("＃KEY")), key);
}

// The gbak backup raises its failures; the settings cleared for it are written back anyway.
TEST_F(BackupRestoreThreadTest, AFailingBackupStillWritesTheMyNumberSettingsBack) {
    const QString live = dataSet(QStringLiteral("0001"));
    manageMyNumber(live);
    // Without a file-management database the transfer falls back to gbak, which fails here.
    core::SystemDef.SYSDIR = work.filePath(QStringLiteral("nosys"));
    ScopedEnv gbak("TAXLINK_GBAK", "/bin/false");
    messages.answers = {core::mrNo};
    auto thread = worker(0, live, work.filePath(QStringLiteral("qmacc.fbk")));
    thread->TransferKind = 1;
    thread->ZoneUseMyNumber = 1;
    thread->AskIncludeMyNumber = true;
    run(*thread);
    EXPECT_TRUE(thread->Failed);
    EXPECT_EQ(thread->ErrorCode, QStringLiteral("100"));
    EXPECT_EQ(thread->ErrorMessage, QStringLiteral("データベースの保存に失敗しました。"));
    EXPECT_TRUE(thread->ErrorDetail.startsWith(kBackupStopped + QStringLiteral("\r[詳細]\r"))) << thread->ErrorDetail.toStdString();
    EXPECT_EQ(thread->ZoneUseMyNumber, 1);
    EXPECT_EQ(accReg(live, QStringLiteral("＃USE")), QStringLiteral("1"));
    EXPECT_EQ(accReg(live, QStringLiteral("＃KEY")), companydata::EncodeMyNumberSetting(QStringLiteral("Pass1234")));
    EXPECT_EQ(logRows(live, 3), 0);
}

// ---- through the loopback server: the transfer through FILETRANS ----

class BackupRestoreServerTest : public WorkerFixture {
protected:
    void SetUp() override {
        TAXLINK_REQUIRE_SERVER(server);
        account = {server.host, server.user, server.password};
        root_ = std::make_unique<schema::DataRoot>(account, work.filePath(QStringLiteral("root")));
        const QString error = testsupport::createSampleRoot(*root_, {schema::sample::SampleKind::Ordinary});
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        core::SystemDef.USER = server.user;
        core::SystemDef.PASSWORD = server.password;
        core::SystemDef.HOSTNAME = server.host;
        core::SystemDef.SYSDIR = root_->sysDir();
        core::SystemDef.ServerTempDir = work.filePath(QStringLiteral("servertemp"));
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.OPCODE = 100000012;
        core::ConnectMode = 1;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        live = root_->dataFolder(1) + QStringLiteral("/qmacc.fdb");
    }
    std::unique_ptr<TBackupRestoreThread> transfer(qint32 mode, const QString& backup) {
        auto thread = worker(mode, live, backup);
        thread->TransferKind = 1;
        return thread;
    }
    QString serverFile() const { return core::SystemDef.ServerTempDir + QStringLiteral("/qmacc.100000012"); }
    int transferRows() const {
        return scalar(root_->fileManDatabasePath(), QStringLiteral("SELECT COUNT(*) FROM FILETRANS")).toInt();
    }

    std::unique_ptr<schema::DataRoot> root_;
    QString live;
};

TEST_F(BackupRestoreServerTest, TransferRoundTripAndAFailingBlobToFile) {
    // Backup: made on the server, fetched through FILETRANS, the block appended here.
    const QString backup = work.filePath(QStringLiteral("local/qmacc.fbk"));
    ASSERT_TRUE(QDir().mkpath(work.filePath(QStringLiteral("local"))));
    auto save = transfer(0, backup);
    save->WriteZone = true;
    save->ZoneShougou = kShougou;
    std::string why = run(*save);
    ASSERT_TRUE(save->Succeeded) << why;
    EXPECT_FALSE(QFile::exists(serverFile()));
    EXPECT_EQ(transferRows(), 0);
    TBackupRestoreThread reader(true);
    ASSERT_TRUE(reader.ReadZoneInfo(backup, true));
    EXPECT_EQ(reader.ZoneShougou, kShougou);

    // Restore: sent through FILETRANS, written on the server by SP_BLOBTOFILE, restored there.
    exec(live, {QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='変更後' WHERE REC=1")});
    auto restore = transfer(1, backup);
    why = run(*restore);
    ASSERT_TRUE(restore->Succeeded) << why;
    EXPECT_EQ(shougou(live), kShougou);
    EXPECT_FALSE(QFile::exists(serverFile()));
    EXPECT_EQ(transferRows(), 0);

    // SP_BLOBTOFILE refuses a folder outside the plugin's roots, where an older transfer file
    // of the session lies: that file must never be restored in place of the one sent.
    QTemporaryDir outside(QCoreApplication::applicationDirPath() + QStringLiteral("/servertemp-XXXXXX"));
    ASSERT_TRUE(outside.isValid());
    if (outside.path().startsWith(QDir::tempPath()))
        GTEST_SKIP() << "the build tree lies under the plugin's root " << QDir::tempPath().toStdString();
    exec(live, {QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='古い控え' WHERE REC=1")});
    const QString stale = backupOf(live, QStringLiteral("stale.fbk"), QString());
    exec(live, {QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='現在' WHERE REC=1")});
    core::SystemDef.ServerTempDir = outside.path();
    ASSERT_TRUE(QFile::copy(stale, serverFile()));
    messages.messages.clear();
    auto refused = transfer(1, backup);
    run(*refused);
    EXPECT_TRUE(refused->Failed);
    EXPECT_EQ(refused->ErrorCategory, QStringLiteral("RestoreDatabase"));
    EXPECT_EQ(refused->ErrorCode, QStringLiteral("203"));
    EXPECT_EQ(refused->ErrorMessage, QStringLiteral("バックアップファイルの転送処理（qmfileman.fdb）に失敗しました。"));
    EXPECT_EQ(refused->ErrorDetail, kRestoreStopped);
    EXPECT_EQ(shougou(live), QStringLiteral("現在"));
    EXPECT_EQ(transferRows(), 0);
}

} // namespace
