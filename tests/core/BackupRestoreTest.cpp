// Backup and restore of databases through the services and through gbak: round trips onto an
// existing target, failures that must leave the old backup or database whole, a target in use,
// and what gbak is given and how its end is judged.
#include "BackupFixture.h"

#include "core/Exception.h"
#include "core/backup/BackupBusy.h"
#include "core/backup/Gbak.h"
#include "schema/SchemaScripts.h"

#include <QProcess>
#include <QTimer>

#include <optional>
#include <unistd.h>

namespace {

using backuptest::BackupFixture;
using backuptest::fileBytes;
using backuptest::writeFile;
using core::Protocol;

const QString kRestoreFailed = QStringLiteral("データベースのリストアに失敗しました。");
const QString kBackupFailed = QStringLiteral("データベースのバックアップに失敗しました。");

enum class Way { Services, Gbak };

const char* wayName(Way way) {
    return way == Way::Services ? "services" : "gbak";
}

// An environment variable set for one scope.
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
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

// Makes a folder refuse new and renamed entries: read-only for a normal user; root passes over
// permissions, so there it is made immutable. False when this machine allows neither.
bool lockFolder(const QString& folder, bool lock) {
    if (::geteuid() != 0)
        return QFile::setPermissions(folder, lock ? QFile::ReadOwner | QFile::ExeOwner
                                                  : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess chattr;
    chattr.start(QStringLiteral("chattr"), {lock ? QStringLiteral("+i") : QStringLiteral("-i"), folder});
    return chattr.waitForFinished() && chattr.exitStatus() == QProcess::NormalExit && chattr.exitCode() == 0;
}

class BackupRestoreTest : public BackupFixture {
protected:
    void SetUp() override {
        BackupFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Through the server, a restored database and a finished backup are put in place by the
        // file routines of the system database.
        if (server()) {
            const schema::DbAccount account{host(), user_, password_};
            const QString systemFile = core::SystemDef.SYSDIR + QStringLiteral("/qmaccdef.fdb");
            schema::finishDatabase(schema::createSchemaDatabase(account, systemFile, schema::DatabaseKind::System),
                                   account, systemFile);
        }
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("backup"))));
    }

    QString folderOf(int number) const { return path(QStringLiteral("data/%1").arg(number, 4, 10, QLatin1Char('0'))); }
    QStringList filesIn(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    bool backup(Way way, const QString& backupFile, const QString& database) {
        if (way == Way::Services)
            return dm.BackupFDB(protocol(), host(), 0, backupFile, database);
        return dm.BackupFDBGbak(Protocol::Local, host(), 0, backupFile, database);
    }
    bool restore(Way way, const QString& backupFile, const QString& database) {
        if (way == Way::Services)
            return dm.RestoreFDB(protocol(), host(), 1, backupFile, database);
        return dm.RestoreFDBGbak(Protocol::Local, host(), 1, backupFile, database);
    }
    // A second attachment to the file through the engine of this run.
    std::unique_ptr<core::TIBDatabase> holdOpen(const QString& file) { return connect(relative(file)); }
};

TEST_P(BackupRestoreTest, RoundTripOntoAnExistingTarget) {
    for (Way way : {Way::Services, Way::Gbak}) {
        SCOPED_TRACE(wayName(way));
        const QString folder = folderOf(way == Way::Services ? 1 : 2);
        const QString company = folder + QStringLiteral("/qmacc.fdb");
        const QString other = folder + QStringLiteral("/other.fdb");
        const QString backupFile = path(QStringLiteral("backup/%1.fbk").arg(wayName(way)));
        ASSERT_TRUE(QDir().mkpath(folder));
        makeCompany(company, 50);
        writeFile(backupFile, "the old backup");

        ASSERT_TRUE(backup(way, backupFile, company)) << messages.texts().join(u'\n').toStdString();
        EXPECT_GT(fileBytes(backupFile).size(), 1000);
        EXPECT_EQ(filesIn(folder), QStringList{QStringLiteral("qmacc.fdb")}); // no working file left
        EXPECT_EQ(filesIn(path(QStringLiteral("backup"))).filter(wayName(way)).size(), 1);

        // Both targets exist with other content; only the company database loses its OPINF.
        makeCompany(other, 3);
        {
            auto db = connect(relative(company));
            run(*db, {QStringLiteral("DELETE FROM T WHERE ID > 10"), QStringLiteral("CREATE TABLE LATER (X INTEGER)")});
        }
        struct Target {
            QString file;
            QString opinfRows;
        };
        for (const Target& target : {Target{company, QStringLiteral("0")}, Target{other, QStringLiteral("2")}}) {
            SCOPED_TRACE(target.file.toStdString());
            ASSERT_TRUE(restore(way, backupFile, target.file)) << messages.texts().join(u'\n').toStdString();
            EXPECT_FALSE(dm.IBDatabaseDAT.connected());
            EXPECT_EQ(count(target.file, QStringLiteral("T")), QStringLiteral("50"));
            EXPECT_EQ(count(target.file, QStringLiteral("OPINF")), target.opinfRows);
            auto db = connect(relative(target.file));
            EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'LATER'")),
                      QStringLiteral("0"));
            EXPECT_EQ(scalar(*db, QStringLiteral("SELECT MON$PAGE_SIZE FROM MON$DATABASE")), QStringLiteral("16384"));
        }
        EXPECT_EQ(filesIn(folder), QStringList({QStringLiteral("other.fdb"), QStringLiteral("qmacc.fdb")}));
    }
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_P(BackupRestoreTest, FailedRestoreLeavesTheTargetWhole) {
    // gbak in the embedded engine asks for the next volume of a backup that ends early on the
    // console of this process.
    ASSERT_NE(std::freopen("/dev/null", "r", stdin), nullptr);
    const QString folder = companyFolder();
    const QString source = path(QStringLiteral("source.fdb"));
    makeCompany(source, 3000);
    const QString good = path(QStringLiteral("backup/good.fbk"));
    ASSERT_TRUE(dm.BackupFDB(protocol(), host(), 1, good, source));
    const QByteArray backupBytes = fileBytes(good);
    ASSERT_GT(backupBytes.size(), 100000);
    QByteArray garbage(20000, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) % 251);
    writeFile(path(QStringLiteral("backup/garbage.fbk")), garbage);
    writeFile(path(QStringLiteral("backup/truncated.fbk")), backupBytes.left(backupBytes.size() / 2));

    makeCompany(companyFile(), 10);
    // The data pages; the connection of every case counts itself in the header.
    const QByteArray targetPages = backuptest::storedPages(fileBytes(companyFile()));
    struct Case {
        Way way;
        const char* backupFile;
        int messages;
    };
    std::vector<Case> cases{{Way::Gbak, "truncated.fbk", 1}, {Way::Gbak, "garbage.fbk", 1}, {Way::Gbak, "missing.fbk", 0}};
    // Through the server, a service restore of a backup that ends early upsets the server (see
    // RunAlone.cmake); these run on the embedded engine.
    if (!server())
        cases.insert(cases.end(), {{Way::Services, "truncated.fbk", 1},
                                   {Way::Services, "garbage.fbk", 1},
                                   {Way::Services, "missing.fbk", 1}});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(wayName(c.way)) + " " + c.backupFile);
        messages.messages.clear();
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder, 0));
        EXPECT_FALSE(restore(c.way, path(QStringLiteral("backup/")) + QLatin1String(c.backupFile), companyFile()));
        EXPECT_FALSE(dm.IBDatabaseDAT.connected());
        EXPECT_TRUE(backuptest::storedPages(fileBytes(companyFile())) == targetPages);
        EXPECT_EQ(filesIn(folder), QStringList{QStringLiteral("qmacc.fdb")});
        ASSERT_EQ(messages.messages.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(messages.messages[0].text, kRestoreFailed);
        }
    }
    EXPECT_EQ(count(companyFile(), QStringLiteral("T")), QStringLiteral("10"));
}

TEST_P(BackupRestoreTest, ATargetInUseIsNotReplaced) {
    const QString source = path(QStringLiteral("source.fdb"));
    makeCompany(source, 50);
    const QString backupFile = path(QStringLiteral("backup/source.fbk"));
    ASSERT_TRUE(dm.BackupFDB(protocol(), host(), 1, backupFile, source));
    makeCompany(companyFile(), 10);

    for (Way way : {Way::Services, Way::Gbak}) {
        SCOPED_TRACE(wayName(way));
        messages.messages.clear();
        {
            auto holder = holdOpen(companyFile());
            EXPECT_FALSE(restore(way, backupFile, companyFile()));
        }
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.messages[0].text, kRestoreFailed);
        EXPECT_TRUE(messages.messages[0].detail.contains(QStringLiteral("使用中"))) << messages.messages[0].detail.toStdString();
        EXPECT_EQ(count(companyFile(), QStringLiteral("T")), QStringLiteral("10"));
        EXPECT_EQ(filesIn(companyFolder()), QStringList{QStringLiteral("qmacc.fdb")});
    }
}

TEST_P(BackupRestoreTest, FailedMoveKeepsTheOldBackup) {
    makeCompany(companyFile(), 50);
    const QByteArray old("the old backup");
    auto expectMoveFailed = [&] {
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.messages[0].text, kBackupFailed);
        EXPECT_EQ(messages.messages[0].detail, QStringLiteral("データベースバックアップファイルのMoveに失敗しました。"));
        messages.messages.clear();
    };

    // Through the server, the backup is finished in the database's folder; the server refuses
    // to move it out of the folders it may touch, so it fails to replace the old backup there.
    if (server()) {
        QTemporaryDir outside(QStringLiteral("/var/tmp/taxlink-backup-XXXXXX"));
        ASSERT_TRUE(outside.isValid());
        const QString backupFile = outside.filePath(QStringLiteral("qmacc.fbk"));
        writeFile(backupFile, old);
        EXPECT_FALSE(dm.BackupFDB(protocol(), host(), 0, backupFile, companyFile()));
        expectMoveFailed();
        EXPECT_EQ(fileBytes(backupFile), old);
    }

    // A folder that refuses new entries: the move of the services' backup fails, and gbak
    // cannot write beside the old backup. Either way the old backup stays.
    const QString folder = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString backupFile = folder + QStringLiteral("/qmacc.fbk");
    writeFile(backupFile, old);
    if (!lockFolder(folder, true))
        GTEST_SKIP() << "this machine cannot make a folder refuse entries";
    struct Unlock {
        QString folder;
        ~Unlock() { lockFolder(folder, false); }
    } unlock{folder};

    EXPECT_FALSE(dm.BackupFDB(protocol(), host(), 0, backupFile, companyFile()));
    expectMoveFailed();
    EXPECT_EQ(fileBytes(backupFile), old);
    EXPECT_THROW(dm.BackupFDBGbak(Protocol::Local, host(), 0, backupFile, companyFile()), core::Exception);
    EXPECT_EQ(fileBytes(backupFile), old);

    lockFolder(folder, false);
    EXPECT_TRUE(dm.BackupFDB(protocol(), host(), 0, backupFile, companyFile()));
    EXPECT_GT(fileBytes(backupFile).size(), 1000);
}

INSTANTIATE_TEST_SUITE_P(BackupRestore, BackupRestoreTest,
                         testing::Values(dbtest::Engine::Embedded, dbtest::Engine::Server), dbtest::engineName);

// The embedded engine only: file names and gbak's own behaviour.
class BackupRestoreLocalTest : public BackupRestoreTest {};

TEST_P(BackupRestoreLocalTest, BackupNamesAreCaseSensitive) {
    // The working name is "qmacc.fb_" in the database's folder. The very same name is the
    // backup itself; the name in other letters is another file here, to which it moves.
    makeCompany(companyFile(), 5);
    const QString same = companyFolder() + QStringLiteral("/qmacc.fb_");
    EXPECT_TRUE(dm.BackupFDB(Protocol::Local, QString(), 0, same, companyFile()));
    EXPECT_GT(fileBytes(same).size(), 0);

    const QString upper = companyFolder() + QStringLiteral("/QMACC.FB_");
    EXPECT_TRUE(dm.BackupFDB(Protocol::Local, QString(), 0, upper, companyFile()));
    EXPECT_EQ(QDir(companyFolder()).entryList(QDir::Files, QDir::Name),
              QStringList({QStringLiteral("QMACC.FB_"), QStringLiteral("qmacc.fdb")}));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_P(BackupRestoreLocalTest, GbakGetsCredentialsInItsEnvironmentAndIsJudgedByStatusAndLog) {
    // A stand-in for gbak: it records its arguments and credentials, writes the log text and
    // what it prints as told, creates its output file and ends with the status it is given.
    const QString fake = path(QStringLiteral("fake-gbak"));
    const QString record = path(QStringLiteral("record.txt"));
    writeFile(fake, QStringLiteral("#!/bin/sh\n"
                                   "log=''; prev=''\n"
                                   "for a in \"$@\"; do [ \"$prev\" = -y ] && log=$a; prev=$a; out=$a; done\n"
                                   "printf '%s|' \"$@\" > '%1'\n"
                                   "printf '\\nuser=%s password=%s\\n' \"$ISC_USER\" \"$ISC_PASSWORD\" >> '%1'\n"
                                   "printf '%s' \"$FAKE_LOG\" > \"$log\"\n"
                                   "printf '%s' \"$FAKE_PRINT\"\n"
                                   "touch \"$out\"\n"
                                   "sleep \"${FAKE_SLEEP:-0}\"\n"
                                   "exit \"${FAKE_EXIT:-0}\"\n")
                        .arg(record)
                        .toUtf8());
    ASSERT_TRUE(QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ScopedEnv program("TAXLINK_GBAK", QFile::encodeName(fake));
    core::SystemDef.USER = QStringLiteral("TALLEK");
    core::SystemDef.PASSWORD = QStringLiteral("s3cret-word");
    const QString backupFile = path(QStringLiteral("backup/out.fbk"));
    const QString database = companyFile();

    struct Case {
        const char* what;
        QByteArray log;
        QByteArray printed;
        QByteArray exitCode;
        std::optional<QString> failure; // the message raised, or none for success
    };
    const QString prefix = QStringLiteral("バックアップ中にエラーが発生しました。\r");
    const Case cases[] = {
        {"clean end", "", "", "0", std::nullopt},
        {"\"error\" in lower case only", "no error found", "", "0", std::nullopt},
        {"ERROR in the log", "gbak: ERROR: cannot open", "", "0", prefix + QStringLiteral("gbak: ERROR: cannot open")},
        {"a status other than 0, the reason printed", "", "ERROR: Backup incomplete", "1",
         prefix + QStringLiteral("ERROR: Backup incomplete")},
        {"a status other than 0, nothing said", "", "", "3", prefix + QStringLiteral("gbak exit code 3")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv log("FAKE_LOG", c.log);
        ScopedEnv printed("FAKE_PRINT", c.printed);
        ScopedEnv exitCode("FAKE_EXIT", c.exitCode);
        QFile::remove(backupFile);
        try {
            EXPECT_TRUE(dm.BackupFDBGbak(Protocol::Local, QStringLiteral("dbhost"), 0, backupFile, database));
            EXPECT_FALSE(c.failure.has_value());
            EXPECT_TRUE(QFileInfo::exists(backupFile));
        } catch (const core::Exception& e) {
            EXPECT_EQ(e.message(), c.failure.value_or(QStringLiteral("<success>")));
            EXPECT_FALSE(QFileInfo::exists(backupFile));
        }
        EXPECT_EQ(QDir(path(QStringLiteral("backup"))).entryList(QDir::Files).size(), c.failure ? 0 : 1);
        const QString recorded = QString::fromUtf8(fileBytes(record));
        EXPECT_FALSE(recorded.section(u'\n', 0, 0).contains(QStringLiteral("s3cret-word"))) << recorded.toStdString();
        EXPECT_TRUE(recorded.contains(QStringLiteral("user=TALLEK password=s3cret-word"))) << recorded.toStdString();
        EXPECT_TRUE(recorded.startsWith(QStringLiteral("-b|-g|-y|%1|dbhost:%2|").arg(core::gbakLogFile(), database)))
            << recorded.toStdString();
    }

    // A restore that gbak fails is reported, and the target stays as it was.
    makeCompany(companyFile(), 5);
    const QByteArray target = fileBytes(companyFile());
    writeFile(backupFile, "backup");
    {
        ScopedEnv exitCode("FAKE_EXIT", "1");
        EXPECT_FALSE(dm.RestoreFDBGbak(Protocol::Local, QString(), 1, backupFile, companyFile()));
    }
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, kRestoreFailed);
    EXPECT_TRUE(messages.messages[0].detail.startsWith(QStringLiteral("リストア中にエラーが発生しました。\r")));
    EXPECT_TRUE(QString::fromUtf8(fileBytes(record)).startsWith(QStringLiteral("-rep|-bu|4096|-p|16384|-y|")));
    EXPECT_TRUE(fileBytes(companyFile()) == target);
    EXPECT_EQ(QDir(companyFolder()).entryList(QDir::Files), QStringList{QStringLiteral("qmacc.fdb")});

    // The loopback address goes to the services of the embedded engine: gbak does not run.
    QFile::remove(record);
    const QString loopbackBackup = path(QStringLiteral("backup/loopback.fbk"));
    EXPECT_TRUE(dm.BackupFDBGbak(Protocol::TCP, QStringLiteral("127.0.0.1"), 1, loopbackBackup, companyFile()));
    EXPECT_GT(fileBytes(loopbackBackup).size(), 1000);
    EXPECT_TRUE(dm.RestoreFDBGbak(Protocol::TCP, QStringLiteral("127.0.0.1"), 1, loopbackBackup, companyFile()));
    EXPECT_FALSE(QFileInfo::exists(record));
    EXPECT_EQ(count(companyFile(), QStringLiteral("OPINF")), QStringLiteral("0"));

    // A second start while gbak runs (from an event handled during the wait) is refused.
    std::optional<QString> nested;
    {
        ScopedEnv sleep("FAKE_SLEEP", "1");
        QTimer::singleShot(200, [&] {
            try {
                dm.BackupFDBGbak(Protocol::Local, QString(), 0, backupFile, database);
                nested = QStringLiteral("<started>");
            } catch (const core::Exception& e) {
                nested = e.message();
            }
        });
        EXPECT_TRUE(dm.BackupFDBGbak(Protocol::Local, QString(), 0, backupFile, database));
    }
    EXPECT_EQ(nested, std::optional<QString>(core::kBackupBusyMessage));

    ScopedEnv missing("TAXLINK_GBAK", QFile::encodeName(path(QStringLiteral("no-such-gbak"))));
    try {
        dm.BackupFDBGbak(Protocol::Local, QString(), 0, backupFile, database);
        ADD_FAILURE() << "a missing gbak started";
    } catch (const core::Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("バックアップツール(gbak.exe)が起動出来ませんでした。\r処理を終了します。"));
    }
}

INSTANTIATE_TEST_SUITE_P(BackupRestore, BackupRestoreLocalTest, testing::Values(dbtest::Engine::Embedded),
                         dbtest::engineName);

} // namespace
