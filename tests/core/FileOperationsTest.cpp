// File operations with a location mode: mode 0 on the local file system, modes 1 and 2 through
// the file routines of our UDR plugin, reached through the system database, and the transfer
// routines of the file-management database. The server forms run twice: on the embedded engine
// (no host, the plugin inside this process, with a roots file of the test's own) and
// through the loopback server (its roots file names the temporary folder).
#include "DmTestSupport.h"

#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/fileops/FileOperations.h"
#include "core/fileops/ServerRename.h"
#include "schema/SchemaScripts.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

namespace fileops = core::fileops;
using core::ConnectMode;
using core::SystemDef;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), previous_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (previous_)
            qputenv(name_, *previous_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> previous_;
};

class FileOperationsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        SystemDef.LogDir = dir.filePath(QStringLiteral("log"));
        ASSERT_TRUE(QDir().mkpath(SystemDef.LogDir));
        core::DM = &dm;
    }

    QString file(const QString& name) const { return dir.filePath(name); }

    dmtest::ScopedSession session;
    QTemporaryDir dir;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    core::TDM dm;
};

TEST_F(FileOperationsTest, LocalModeActsOnTheFileSystem) {
    // The trash of allow-undo lies inside the test's folder.
    ASSERT_TRUE(QDir().mkpath(file(QStringLiteral("xdg"))));
    ScopedEnv trashHome("XDG_DATA_HOME", QFile::encodeName(file(QStringLiteral("xdg"))));
    const QString a = file(QStringLiteral("a.txt"));
    writeFile(a, "bytes of a");

    EXPECT_TRUE(fileops::FExist(dm, a, 0));
    EXPECT_TRUE(dm.FExist(a, 0));
    EXPECT_FALSE(fileops::FExist(dm, file(QStringLiteral("A.txt")), 0)); // names are case-sensitive here
    EXPECT_FALSE(fileops::FExist(dm, dir.path(), 0));
    EXPECT_TRUE(fileops::DExist(dm, dir.path(), 0));
    EXPECT_FALSE(fileops::DExist(dm, a, 0));

    const QString nested = file(QStringLiteral("x/y/z"));
    EXPECT_TRUE(fileops::MkDir(dm, nested, 0));
    EXPECT_TRUE(QFileInfo(nested).isDir());

    const QString b = file(QStringLiteral("x/b.txt"));
    EXPECT_TRUE(fileops::FCopy(dm, a, b, 0));
    EXPECT_EQ(readAll(b), QByteArray("bytes of a"));

    // A move is a plain rename: it never replaces an existing file.
    const QString c = file(QStringLiteral("x/c.txt"));
    EXPECT_TRUE(fileops::FMove(dm, b, c, 0));
    EXPECT_FALSE(QFileInfo::exists(b));
    EXPECT_FALSE(fileops::FMove(dm, a, c, 0));
    EXPECT_EQ(readAll(a), QByteArray("bytes of a"));
    EXPECT_TRUE(QFileInfo::exists(c));

    EXPECT_TRUE(fileops::FDel(dm, c, 0, false));
    EXPECT_FALSE(QFileInfo::exists(c));
    EXPECT_TRUE(fileops::FDel(dm, a, 0, true)); // to the trash
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("xdg/Trash/files/a.txt"))));

    EXPECT_TRUE(fileops::RmDir(dm, file(QStringLiteral("x")), 0, false));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("x"))));

    // No short names here: the path itself, also when it does not exist.
    const QString missing = file(QStringLiteral("missing/長い名前.txt"));
    EXPECT_EQ(fileops::LongToShortFileName(dm, missing, 0), missing);
    EXPECT_EQ(dm.LongToShortFileName(missing, 0), missing);
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();

    // Nothing there is "absent"; a test the file system cannot make is no answer, and reported.
    writeFile(file(QStringLiteral("plain")), "p");
    EXPECT_EQ(fileops::FExistState(dm, missing, 0), core::FileState::Absent);
    EXPECT_EQ(fileops::FExistState(dm, file(QStringLiteral("plain/qmacc.fdb")), 0), core::FileState::Absent);
    EXPECT_EQ(fileops::FExistState(dm, file(QString(300, u'x')), 0), core::FileState::Unknown);
    EXPECT_EQ(messages.messages.size(), 1);
}

TEST_F(FileOperationsTest, AnyOtherModeTouchesNothing) {
    const QString a = file(QStringLiteral("a.txt"));
    writeFile(a, "a");
    const QString folder = file(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int mode : {3, 255}) {
        SCOPED_TRACE(mode);
        EXPECT_FALSE(fileops::FExist(dm, a, mode));
        EXPECT_FALSE(fileops::DExist(dm, folder, mode));
        EXPECT_FALSE(fileops::MkDir(dm, file(QStringLiteral("new")), mode));
        EXPECT_FALSE(fileops::FCopy(dm, a, file(QStringLiteral("b.txt")), mode));
        EXPECT_FALSE(fileops::FMove(dm, a, file(QStringLiteral("c.txt")), mode));
        EXPECT_FALSE(fileops::FDel(dm, a, mode, false));
        EXPECT_FALSE(fileops::RmDir(dm, folder, mode, false));
        EXPECT_EQ(fileops::LongToShortFileName(dm, a, mode), QString());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("a.txt"), QStringLiteral("folder"), QStringLiteral("log")}));
    EXPECT_FALSE(dm.IBDatabaseDEF.connected());
    EXPECT_TRUE(messages.messages.isEmpty());
}

enum class Engine { Embedded, Server };

// The server forms against a system database of the full schema in SYSDIR.
class ServerFileOperationsTest : public FileOperationsTest, public testing::WithParamInterface<Engine> {
protected:
    void SetUp() override {
        FileOperationsTest::SetUp();
        if (GetParam() == Engine::Server) {
            TAXLINK_REQUIRE_SERVER(server);
            account = schema::DbAccount{server.host, server.user, server.password};
            SystemDef.HOSTNAME = server.host;
        } else {
            // The engine runs the plugin inside this process: it reads the roots file named here,
            // which allows the test's folder.
            const QString config = file(QStringLiteral("conf/udr-roots.conf"));
            ASSERT_TRUE(QDir().mkpath(file(QStringLiteral("conf"))));
            writeFile(config, "# test\n" + QFile::encodeName(dir.path()) + "\n");
            QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner);
            roots.emplace("TAXLINK_UDR_CONFIG", QFile::encodeName(config));
            SystemDef.HOSTNAME.clear(); // no host: the engine of this process
        }
        SystemDef.USER = account.user;
        SystemDef.PASSWORD = account.password;
        SystemDef.SYSDIR = file(QStringLiteral("data"));
        ASSERT_TRUE(QDir().mkpath(SystemDef.SYSDIR));
        const QString systemFile = SystemDef.SYSDIR + QLatin1Char('/') + core::Identity.DataDefFile;
        schema::finishDatabase(schema::createSchemaDatabase(account, systemFile, schema::DatabaseKind::System),
                               account, systemFile);
        ConnectMode = 1;
    }

    schema::DbAccount account{QString(), QStringLiteral("TALLEK"), QStringLiteral("vorbin")};
    std::optional<ScopedEnv> roots;
};

TEST_P(ServerFileOperationsTest, OperationsOnTheServer) {
    const QString a = file(QStringLiteral("work/a.bin"));
    ASSERT_TRUE(QDir().mkpath(file(QStringLiteral("work"))));
    writeFile(a, QByteArray("bytes\0of a", 10));

    EXPECT_TRUE(dm.FExist(a, 1));
    EXPECT_FALSE(dm.IBDatabaseDEF.connected()); // opened for the call and closed again
    EXPECT_FALSE(fileops::FExist(dm, file(QStringLiteral("work/A.bin")), 1)); // case-sensitive
    EXPECT_FALSE(fileops::FExist(dm, file(QStringLiteral("work")), 2));
    EXPECT_TRUE(fileops::DExist(dm, file(QStringLiteral("work")), 2));
    EXPECT_FALSE(fileops::DExist(dm, a, 1));
    EXPECT_TRUE(fileops::ServerFileOperation(dm, QStringLiteral("fexist"), a)); // any case of the word

    // Kept open by the caller, the system database stays open.
    ASSERT_TRUE(dm.fnAccDefConnected(SystemDef.HOSTNAME, 1));
    const QString nested = file(QStringLiteral("work/新しい/y"));
    EXPECT_TRUE(fileops::MkDir(dm, nested, 1));
    EXPECT_TRUE(QFileInfo(nested).isDir());
    EXPECT_TRUE(dm.IBDatabaseDEF.connected());
    dm.IBDatabaseDEF.close();

    const QString b = nested + QStringLiteral("/b.bin");
    EXPECT_TRUE(fileops::FCopy(dm, a, b, 1));
    EXPECT_EQ(readAll(b), readAll(a));

    // A move on the server is a copy and a delete; a failed copy leaves everything in place.
    const QString c = file(QStringLiteral("work/c.bin"));
    EXPECT_TRUE(fileops::FMove(dm, b, c, 2));
    EXPECT_FALSE(QFileInfo::exists(b));
    EXPECT_EQ(readAll(c), readAll(a));
    EXPECT_FALSE(fileops::FMove(dm, file(QStringLiteral("work/missing.bin")), b, 1));
    EXPECT_FALSE(QFileInfo::exists(b));

    EXPECT_TRUE(fileops::FDel(dm, c, 1, true));
    EXPECT_FALSE(QFileInfo::exists(c));
    EXPECT_FALSE(fileops::FDel(dm, c, 1, false));

    EXPECT_TRUE(fileops::RmDir(dm, file(QStringLiteral("work/新しい")), 1, false));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("work/新しい"))));

    // There are no short names on the server either.
    const QString longName = file(QStringLiteral("work/長い名前 です.fdb"));
    EXPECT_EQ(dm.LongToShortFileName(longName, 2), longName);
    EXPECT_EQ(fileops::ServerLongToShortFileName(dm, QStringLiteral("  ")), QString());

    // Words outside the list and empty paths never reach the server.
    EXPECT_FALSE(fileops::ServerFileOperation(dm, QStringLiteral("FMOVE"), a, c));
    EXPECT_FALSE(fileops::ServerFileOperation(dm, QStringLiteral("FCOPY"), a, QStringLiteral(" ")));
    EXPECT_FALSE(fileops::ServerFileOperation(dm, QStringLiteral("FEXIST"), QStringLiteral(" ")));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_P(ServerFileOperationsTest, PathsOutsideTheRootsAreRefusedQuietly) {
    const QString a = file(QStringLiteral("a.txt"));
    writeFile(a, "a");
    const QString link = file(QStringLiteral("link-to-hostname"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/etc/hostname"), link));
    const QString rootsFile = qEnvironmentVariable("TAXLINK_UDR_CONFIG");

    struct Case {
        const char* what;
        QString word;
        QString path1;
        QString path2;
    };
    const Case cases[] = {
        {"a file outside", QStringLiteral("FExist"), QStringLiteral("/etc/hostname"), {}},
        {"a way out by ..", QStringLiteral("FExist"), dir.path() + QStringLiteral("/../../etc/hostname"), {}},
        {"a link pointing out", QStringLiteral("FExist"), link, {}},
        {"a relative path", QStringLiteral("FExist"), QStringLiteral("etc/hostname"), {}},
        {"a copy out", QStringLiteral("FCopy"), a, QStringLiteral("/etc/taxlink-refused.txt")},
        {"a copy in", QStringLiteral("FCopy"), QStringLiteral("/etc/hostname"), file(QStringLiteral("in.txt"))},
        {"a copy through the link", QStringLiteral("FCopy"), a, link},
        {"a folder outside", QStringLiteral("MkDir"), QStringLiteral("/var/taxlink-refused/x"), {}},
        {"the roots file", QStringLiteral("FExist"), rootsFile, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(fileops::ServerFileOperation(dm, c.word, c.path1, c.path2));
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/etc/taxlink-refused.txt")));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("in.txt"))));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/var/taxlink-refused")));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), QStringLiteral("/etc/hostname"));
    // The link itself lies inside: deleting it removes the link, never what it points to.
    EXPECT_TRUE(fileops::FDel(dm, link, 1, false));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("/etc/hostname")));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

// The file test tells a missing file from a path the roots refuse and from a test that could
// not be made: only the first is "no file"; the other two are reported.
TEST_P(ServerFileOperationsTest, FileTestTellsMissingFromRefusedAndFailed) {
    const QString a = file(QStringLiteral("a.txt"));
    writeFile(a, "a");
    EXPECT_EQ(fileops::FExistState(dm, a, 1), core::FileState::Present);
    EXPECT_EQ(fileops::FExistState(dm, file(QStringLiteral("none/qmacc.fdb")), 2), core::FileState::Absent);
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();

    EXPECT_EQ(fileops::FExistState(dm, QStringLiteral("/etc/hostname"), 1), core::FileState::Unknown);
    EXPECT_FALSE(dm.FExist(QStringLiteral("/etc/hostname"), 1));
    ASSERT_EQ(messages.messages.size(), 2);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("サーバーへのファイル操作(FEXIST)に失敗しました。")));
    EXPECT_TRUE(messages.messages[0].detail.contains(QStringLiteral("/etc/hostname")));

    // A call that fails (an older system database without the routines).
    messages.messages.clear();
    const QString systemFile = SystemDef.SYSDIR + QLatin1Char('/') + core::Identity.DataDefFile;
    ASSERT_TRUE(QFile::remove(systemFile));
    {
        core::TIBDatabase db;
        schema::configure(db, account, systemFile);
        db.createDatabase();
    }
    EXPECT_EQ(fileops::FExistState(dm, a, 1), core::FileState::Unknown);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("サーバーへのファイル操作(FEXIST)に失敗しました。")});
}

TEST_P(ServerFileOperationsTest, ASystemDatabaseWithoutTheRoutinesIsReported) {
    // An older system database: the call fails, is reported, and gives false.
    const QString systemFile = SystemDef.SYSDIR + QLatin1Char('/') + core::Identity.DataDefFile;
    ASSERT_TRUE(QFile::remove(systemFile));
    {
        core::TIBDatabase db;
        schema::configure(db, account, systemFile);
        db.createDatabase();
    }
    EXPECT_FALSE(fileops::FExist(dm, file(QStringLiteral("log")), 1));
    EXPECT_EQ(fileops::LongToShortFileName(dm, file(QStringLiteral("log")), 2), QString());
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("サーバーへのファイル操作(FEXIST)に失敗しました。"),
                                             QStringLiteral("サーバーからのファイル名の変換(LongToShort)に失敗しました。")}));
    EXPECT_FALSE(dm.IBDatabaseDEF.connected());
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
}

// A row of FILETRANS filled from a file on the server and written back into another file, as
// the backup worker moves backup files; and the rename that swaps a restored file into place.
TEST_P(ServerFileOperationsTest, TransferThroughTheFileManagementDatabase) {
    const QString fileMan = SystemDef.SYSDIR + QStringLiteral("/qmfileman.fdb");
    schema::finishDatabase(schema::createSchemaDatabase(account, fileMan, schema::DatabaseKind::FileMan), account,
                           fileMan);
    auto db = schema::openDatabase(account, fileMan);

    // Larger than one segment, with every byte value.
    QByteArray bytes(200 * 1024 + 17, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(QRandomGenerator::global()->generate() & 0xff);
    const QString source = file(QStringLiteral("qmacc.fbk"));
    writeFile(source, bytes);
    const QString empty = file(QStringLiteral("empty.fbk"));
    writeFile(empty, QByteArray());
    const QString target = file(QStringLiteral("tmp/qmacc.10012"));
    ASSERT_TRUE(QDir().mkpath(file(QStringLiteral("tmp"))));

    core::TIBTransaction t;
    t.setDefaultDatabase(db.get());
    t.startTransaction();
    core::TIBSQL q(db.get(), &t);
    q.setParamCheck(false);
    q.sql() << QStringLiteral("INSERT INTO FILETRANS(CONTENT_ID,CONTENT)")
            << QStringLiteral("VALUES('QMV_10012',SP_FILETOBLOB('%1'))").arg(source);
    q.execSQL();
    t.commitRetaining();
    q.sql().clear();
    q.sql() << QStringLiteral("SELECT CONTENT_ID,SP_BLOBTOFILE('%1', CONTENT) AS CONTENT FROM FILETRANS").arg(target)
            << QStringLiteral("WHERE CONTENT_ID='QMV_10012'");
    q.execQuery();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("CONTENT")).asInteger(), 1);
    q.close();
    EXPECT_EQ(readAll(target), bytes);

    struct Case {
        const char* what;
        QString sql;
        QString expected;
    };
    const Case cases[] = {
        {"stored bytes", QStringLiteral("SELECT OCTET_LENGTH(CONTENT) FROM FILETRANS"), QString::number(bytes.size())},
        {"an empty file", QStringLiteral("SELECT OCTET_LENGTH(SP_FILETOBLOB('%1')) FROM RDB$DATABASE").arg(empty),
         QStringLiteral("0")},
        {"a folder", QStringLiteral("SELECT OCTET_LENGTH(SP_FILETOBLOB('%1')) FROM RDB$DATABASE").arg(dir.path()),
         QStringLiteral("<null>")},
        {"a file outside", QStringLiteral("SELECT OCTET_LENGTH(SP_FILETOBLOB('/etc/hostname')) FROM RDB$DATABASE"),
         QStringLiteral("<null>")},
        {"a write outside", QStringLiteral("SELECT SP_BLOBTOFILE('/etc/taxlink-refused', CONTENT) FROM FILETRANS"),
         QStringLiteral("0")},
        {"a write into a missing folder",
         QStringLiteral("SELECT SP_BLOBTOFILE('%1', CONTENT) FROM FILETRANS").arg(file(QStringLiteral("no/x"))),
         QStringLiteral("0")},
        {"a NULL blob", QStringLiteral("SELECT SP_BLOBTOFILE('%1', NULL) FROM RDB$DATABASE").arg(target),
         QStringLiteral("0")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        q.sql() = QStringList{c.sql};
        q.execQuery();
        ASSERT_FALSE(q.eof());
        const core::IBSQLField& field = q.fields(0);
        EXPECT_EQ(field.isNull() ? QStringLiteral("<null>") : field.asString(), c.expected);
        q.close();
    }
    t.commit();
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/etc/taxlink-refused")));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("no"))));
    EXPECT_EQ(readAll(target), bytes);

    // The restored file replaces the old one in one step; paths outside are refused.
    const QString restored = file(QStringLiteral("data/qmacc.fdb.restore"));
    const QString live = file(QStringLiteral("data/qmacc.fdb"));
    writeFile(restored, "restored");
    writeFile(live, "old");
    EXPECT_TRUE(core::ServerRenameFile(*db, restored, live));
    EXPECT_EQ(readAll(live), QByteArray("restored"));
    EXPECT_FALSE(QFileInfo::exists(restored));
    EXPECT_FALSE(core::ServerRenameFile(*db, restored, live)); // gone
    EXPECT_FALSE(core::ServerRenameFile(*db, live, QStringLiteral("/etc/taxlink-refused")));
    EXPECT_FALSE(core::ServerRenameFile(*db, live, file(QStringLiteral("data"))));
    EXPECT_EQ(readAll(live), QByteArray("restored"));
}

INSTANTIATE_TEST_SUITE_P(Engines, ServerFileOperationsTest, testing::Values(Engine::Embedded, Engine::Server),
                         [](const testing::TestParamInfo<Engine>& info) {
                             return info.param == Engine::Embedded ? "Embedded" : "Server";
                         });

} // namespace
