// The service classes against real engines: the embedded one in this process and the loopback
// server. Databases are made and read with the raw client API so that these tests stand on
// nothing but the service layer itself.

#include "core/db/IBServices.h"

#include "QtPrinters.h"
#include "core/EIBError.h"
#include "platform/Cp932.h"
#include "tests/support/TestEnvironment.h"

#include <firebird/Interface.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <stdexcept>

using namespace core;
using Firebird::ThrowStatusWrapper;

namespace {

constexpr int kPageSize = 8192; // of the databases made here; restores choose their own
const QString kJapanese = QStringLiteral(u"表ソ～ｷｬﾝｾﾙ");
const BackupOptions kProgramBackup{BackupOption::IgnoreLimbo, BackupOption::NoGarbageCollection,
                                   BackupOption::NonTransportable};
const RestoreOptions kProgramRestore{RestoreOption::Replace, RestoreOption::CreateNewDB};
const ValidateOptions kProgramValidation{ValidateOption::IgnoreChecksum, ValidateOption::ValidateFull};

// Where the services and the fixture's own connections go.
struct Engine {
    Protocol protocol;
    QString host;
    QString user;
    QString password;

    QByteArray databaseName(const QString& path) const {
        return (protocol == Protocol::TCP ? host + QLatin1Char(':') + path : path).toUtf8();
    }
    void prepare(TIBCustomService& service) const {
        service.setProtocol(protocol);
        service.setServerName(host);
        service.params() << QStringLiteral("user_name=") + user << QStringLiteral("password=") + password;
        service.attach();
    }
};

// A raw attachment on lc_ctype SJIS_0208 for making and reading the test databases.
class RawDb {
public:
    RawDb(const Engine& engine, const QString& path, bool create) {
        guarded([&] {
            Firebird::IXpbBuilder* dpb =
                master_->getUtilInterface()->getXpbBuilder(&status_, Firebird::IXpbBuilder::DPB, nullptr, 0);
            dpb->insertString(&status_, isc_dpb_user_name, engine.user.toUtf8().constData());
            dpb->insertString(&status_, isc_dpb_password, engine.password.toUtf8().constData());
            dpb->insertString(&status_, isc_dpb_lc_ctype, "SJIS_0208");
            if (create) {
                dpb->insertInt(&status_, isc_dpb_page_size, kPageSize);
                dpb->insertString(&status_, isc_dpb_set_db_charset, "SJIS_0208");
            }
            Firebird::IProvider* provider = master_->getDispatcher();
            const QByteArray name = engine.databaseName(path);
            attachment_ = create ? provider->createDatabase(&status_, name.constData(), dpb->getBufferLength(&status_),
                                                            dpb->getBuffer(&status_))
                                 : provider->attachDatabase(&status_, name.constData(), dpb->getBufferLength(&status_),
                                                            dpb->getBuffer(&status_));
            provider->release();
            dpb->dispose();
        });
    }
    ~RawDb() {
        if (attachment_)
            detach();
        statusObject_->dispose();
    }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    void detach() {
        guarded([&] { attachment_->detach(&status_); });
        attachment_ = nullptr;
    }

    // SQL text goes out as CP932, the bytes of the connection character set.
    void execute(const QString& sql) {
        guarded([&] {
            Firebird::ITransaction* tra = attachment_->startTransaction(&status_, 0, nullptr);
            const QByteArray bytes = platform::toCp932(sql);
            attachment_->execute(&status_, tra, static_cast<unsigned>(bytes.size()), bytes.constData(), 3, nullptr,
                                 nullptr, nullptr, nullptr);
            tra->commit(&status_);
        });
    }
    qint64 number(const QString& sql) {
        qint64 result = 0;
        const QByteArray row = singleton(sql, SQL_INT64, sizeof result);
        memcpy(&result, row.constData(), sizeof result);
        return result;
    }
    QByteArray octets(const QString& sql) {
        const QByteArray row = singleton(sql, SQL_VARYING, 200);
        quint16 length = 0;
        memcpy(&length, row.constData(), sizeof length);
        return row.mid(sizeof length, length);
    }

    // A table T of ids and texts: count rows of padding and one row (id 0) holding kJapanese.
    void fill(int count) {
        execute(QStringLiteral("CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, S VARCHAR(100))"));
        execute(QStringLiteral("EXECUTE BLOCK AS DECLARE I INT = 1; BEGIN WHILE (I <= %1) DO BEGIN "
                               "INSERT INTO T VALUES (:I, 'ROWMARKER ' || :I || ' "
                               "..................................................'); I = I + 1; END END")
                    .arg(count));
        execute(QStringLiteral("INSERT INTO T VALUES (0, '%1')").arg(kJapanese));
    }

private:
    // The one column of a one-row select, as a value of the given type in its message layout.
    QByteArray singleton(const QString& sql, unsigned type, unsigned length) {
        QByteArray value;
        guarded([&] {
            Firebird::IMetadataBuilder* builder = master_->getMetadataBuilder(&status_, 1);
            builder->setType(&status_, 0, type + 1);
            builder->setLength(&status_, 0, length);
            Firebird::IMessageMetadata* metadata = builder->getMetadata(&status_);
            builder->release();
            QByteArray message(static_cast<qsizetype>(metadata->getMessageLength(&status_)), '\0');
            Firebird::ITransaction* tra = attachment_->startTransaction(&status_, 0, nullptr);
            const QByteArray bytes = platform::toCp932(sql);
            attachment_->execute(&status_, tra, static_cast<unsigned>(bytes.size()), bytes.constData(), 3, nullptr,
                                 nullptr, metadata, message.data());
            tra->commit(&status_);
            value = message.mid(metadata->getOffset(&status_, 0));
            metadata->release();
        });
        return value;
    }
    template <typename F>
    void guarded(F&& f) {
        try {
            f();
        } catch (const Firebird::FbException& e) {
            char text[1024];
            master_->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
            throw std::runtime_error(text);
        }
    }

    Firebird::IMaster* master_ = Firebird::fb_get_master_interface();
    Firebird::IStatus* statusObject_ = master_->getStatus();
    ThrowStatusWrapper status_{statusObject_};
    Firebird::IAttachment* attachment_ = nullptr;
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every page but the header page and the transaction inventory pages, which the engine
// rewrites on any attachment (attachment and transaction counters). Data, pointer, index
// and system pages are all here: mending would change them.
QByteArray storedData(const QByteArray& file) {
    QByteArray pages;
    for (qsizetype offset = 0; offset + kPageSize <= file.size(); offset += kPageSize) {
        const char type = file.at(offset);
        if (type != 1 /* header */ && type != 3 /* transaction inventory */)
            pages += file.mid(offset, kPageSize);
    }
    return pages;
}

// Overwrites 256 bytes in the middle of a data page of table T, half-way through the file.
void damageDataPage(const QString& path) {
    QByteArray bytes = fileBytes(path);
    QList<qsizetype> dataPages;
    for (qsizetype page = 1; (page + 1) * kPageSize <= bytes.size(); ++page) {
        const QByteArray content = bytes.mid(page * kPageSize, kPageSize);
        if (content.at(0) == 5 /* data page */ && content.contains("ROWMARKER"))
            dataPages << page;
    }
    ASSERT_GE(dataPages.size(), 3);
    const qsizetype start = dataPages.at(dataPages.size() / 2) * kPageSize + kPageSize / 2;
    bytes.replace(start, 256, QByteArray(256, char(0xA5)));
    writeFile(path, bytes);
}

enum class Mode { Embedded, Server };

void PrintTo(Mode mode, std::ostream* os) {
    *os << (mode == Mode::Embedded ? "Embedded" : "Server");
}

class OnEngine : public ::testing::TestWithParam<Mode> {
protected:
    void SetUp() override {
        if (GetParam() == Mode::Server) {
            TAXLINK_REQUIRE_SERVER(account);
            engine_ = {Protocol::TCP, account.host, account.user, account.password};
        } else {
            engine_ = {Protocol::Local, QString(), QStringLiteral("SYSDBA"), QStringLiteral("masterkey")};
        }
        ASSERT_TRUE(dir_.isValid());
    }

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString files() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name).join(u' '); }

    // A database with table T of count padding rows and the Japanese row.
    void makeDatabase(const QString& file, int count) {
        RawDb db(engine_, file, true);
        db.fill(count);
    }

    QStringList backup(const QString& database, const QString& backupFile) {
        TIBBackupService service;
        engine_.prepare(service);
        service.setDatabaseName(database);
        service.backupFiles() << backupFile;
        service.setOptions(kProgramBackup);
        service.setVerbose(true);
        service.serviceStart();
        QStringList lines;
        service.runToEnd([&](const QString& line) { lines << line; });
        service.detach();
        return lines;
    }

    QStringList restore(const QString& backupFile, const QString& database, const RestoreOptions& options) {
        TIBRestoreService service;
        engine_.prepare(service);
        service.backupFiles() << backupFile;
        service.databaseNames() << database;
        service.setPageBuffers(4096);
        service.setPageSize(16384);
        service.setOptions(options);
        service.setVerbose(true);
        service.serviceStart();
        QStringList lines;
        service.runToEnd([&](const QString& line) { lines << line; });
        EXPECT_TRUE(service.eof());
        return lines;
    }

    // Output lines of a validation, and the error that ended it as a line of its own. (The
    // engine may finish the whole check before the start returns, and report it there.)
    QStringList validate(const QString& database) {
        TIBValidationService service;
        engine_.prepare(service);
        service.setDatabaseName(database);
        service.setOptions(kProgramValidation);
        QStringList lines;
        try {
            service.serviceStart();
            service.runToEnd([&](const QString& line) { lines << line; });
        } catch (const EIBError& e) {
            lines << QStringLiteral("EIBError %1: %2").arg(e.ibErrorCode()).arg(e.message());
        }
        return lines;
    }

    Engine engine_;
    QTemporaryDir dir_;
};

TEST_P(OnEngine, BackupAndRestoreBringBackRowsAndCharacterSet) {
    const QString source = path(QStringLiteral("source.fdb"));
    const QString backupFile = path(QStringLiteral("source.fbk"));
    makeDatabase(source, 50);

    const QStringList lines = backup(source, backupFile);
    EXPECT_TRUE(lines.filter(QStringLiteral("gbak:")).size() > 3) << lines.join(u'\n').toStdString();
    ASSERT_GT(QFileInfo(backupFile).size(), 0);

    // Restore into a new file, then over an existing database of another content.
    const QString fresh = path(QStringLiteral("fresh.fdb"));
    const QString existing = path(QStringLiteral("existing.fdb"));
    {
        RawDb other(engine_, existing, true);
        other.execute(QStringLiteral("CREATE TABLE OTHER (X INTEGER)"));
    }
    restore(backupFile, fresh, kProgramRestore);
    const QStringList restoreLines = restore(
        backupFile, existing, {RestoreOption::DeactivateIndexes, RestoreOption::Replace, RestoreOption::CreateNewDB});
    // The lines of one restore, into the target: the trial restore beside it stays quiet.
    EXPECT_EQ(restoreLines.filter(QStringLiteral("restoring table T")).size(), 1);
    EXPECT_EQ(restoreLines.filter(QStringLiteral(".tmp")).size(), 0) << restoreLines.join(u'\n').toStdString();

    for (const QString& restored : {fresh, existing}) {
        SCOPED_TRACE(restored.toStdString());
        RawDb db(engine_, restored, false);
        EXPECT_EQ(db.number(QStringLiteral("SELECT COUNT(*) FROM T")), 51);
        EXPECT_EQ(db.octets(QStringLiteral("SELECT CAST(S AS VARCHAR(100) CHARACTER SET OCTETS) FROM T WHERE ID = 0")),
                  platform::toCp932(kJapanese));
        EXPECT_EQ(db.number(QStringLiteral("SELECT COUNT(*) FROM RDB$DATABASE "
                                           "WHERE TRIM(RDB$CHARACTER_SET_NAME) = 'SJIS_0208'")),
                  1);
        EXPECT_EQ(db.number(QStringLiteral("SELECT MON$PAGE_SIZE FROM MON$DATABASE")), 16384);
        EXPECT_EQ(db.number(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'OTHER'")),
                  0);
    }
    // No scratch database is left behind.
    EXPECT_EQ(files(), QStringLiteral("existing.fdb fresh.fdb source.fbk source.fdb"));
}

TEST_P(OnEngine, FailedRestoreLosesNothing) {
    // gbak asks for the next volume of a backup file that ends early on the console of the
    // process it runs in, and reads the answer from its stdin: in the embedded engine, ours.
    ASSERT_NE(std::freopen("/dev/null", "r", stdin), nullptr);
    const QString source = path(QStringLiteral("source.fdb"));
    const QString good = path(QStringLiteral("good.fbk"));
    makeDatabase(source, 2000);
    backup(source, good);
    const QByteArray backupBytes = fileBytes(good);
    ASSERT_GT(backupBytes.size(), 40000);

    const QString target = path(QStringLiteral("target.fdb"));
    makeDatabase(target, 10);
    const QByteArray targetBytes = fileBytes(target);

    QByteArray garbage(20000, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) % 251);
    writeFile(path(QStringLiteral("garbage.fbk")), garbage);
    writeFile(path(QStringLiteral("truncated.fbk")), backupBytes.left(backupBytes.size() / 2));

    struct Case {
        const char* backupFile;
        const char* database;
        RestoreOptions options;
    };
    const Case cases[] = {
        {"missing.fbk", "target.fdb", kProgramRestore},
        {"garbage.fbk", "target.fdb", kProgramRestore},
        {"truncated.fbk", "target.fdb", kProgramRestore},
        {"truncated.fbk", "target.fdb", {RestoreOption::DeactivateIndexes, RestoreOption::Replace}},
        // Into a new file: the partial database does not stay.
        {"truncated.fbk", "new.fdb", {RestoreOption::CreateNewDB}},
        {"garbage.fbk", "new.fdb", {RestoreOption::CreateNewDB}},
    };
    const QString filesBefore = files();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.backupFile) + " -> " + c.database);
        EXPECT_THROW(restore(path(QLatin1String(c.backupFile)), path(QLatin1String(c.database)), c.options),
                     EIBError);
        EXPECT_TRUE(fileBytes(target) == targetBytes);
        // The server removes a partial new database just after it has reported the failure;
        // under load that can take several seconds.
        QDeadlineTimer settled(20000);
        while (files() != filesBefore && !settled.hasExpired())
            QThread::msleep(50);
        EXPECT_EQ(files(), filesBefore);
    }
    RawDb db(engine_, target, false);
    EXPECT_EQ(db.number(QStringLiteral("SELECT COUNT(*) FROM T")), 11);
}

TEST_P(OnEngine, ValidationChecksAndNeverMends) {
    const QString sound = path(QStringLiteral("sound.fdb"));
    makeDatabase(sound, 400);
    EXPECT_EQ(validate(sound).join(u'\n'), QString());

    const QString damaged = path(QStringLiteral("damaged.fdb"));
    ASSERT_TRUE(QFile::copy(sound, damaged));
    damageDataPage(damaged);
    const QByteArray before = sha256(storedData(fileBytes(damaged)));

    const QStringList report = validate(damaged);
    EXPECT_FALSE(report.isEmpty());
    EXPECT_EQ(sha256(storedData(fileBytes(damaged))), before) << report.join(u'\n').toStdString();
}

TEST_P(OnEngine, BackupAndRestoreInAFolderWithAJapaneseName) {
    // Names go to the engine in the bytes of the file system, in the service requests and in
    // the attachments with which a restore checks and drops its scratch database.
    const QString folder = path(QStringLiteral("データ"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString source = folder + QStringLiteral("/会社.fdb");
    const QString backupFile = folder + QStringLiteral("/会社.fbk");
    const QString restored = folder + QStringLiteral("/復元.fdb");
    makeDatabase(source, 20);

    const QStringList lines = backup(source, backupFile);
    ASSERT_GT(QFileInfo(backupFile).size(), 0) << lines.join(u'\n').toStdString();
    restore(backupFile, restored, kProgramRestore);
    restore(backupFile, restored, kProgramRestore); // over the database it made

    RawDb db(engine_, restored, false);
    EXPECT_EQ(db.number(QStringLiteral("SELECT COUNT(*) FROM T")), 21);
    EXPECT_EQ(db.octets(QStringLiteral("SELECT CAST(S AS VARCHAR(100) CHARACTER SET OCTETS) FROM T WHERE ID = 0")),
              platform::toCp932(kJapanese));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name).join(u' '), QStringLiteral("会社.fbk 会社.fdb 復元.fdb"));
}

TEST_P(OnEngine, DatabaseListShowsTheAttachmentsOfTheTest) {
    // One attachment through a link (the server reports the name it resolved), a second one
    // to a database in a folder with a Japanese name.
    const QString file = path(QStringLiteral("attached.fdb"));
    makeDatabase(file, 1);
    const QString link = path(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(dir_.path(), link));
    RawDb first(engine_, link + QStringLiteral("/attached.fdb"), false);
    ASSERT_TRUE(QDir().mkdir(path(QStringLiteral("データ"))));
    const QString second = path(QStringLiteral("データ/二番目.fdb"));
    makeDatabase(second, 1);
    RawDb secondDb(engine_, second, false);

    TIBServerProperties server;
    engine_.prepare(server);
    const TDatabaseInfo info = server.fetchDatabaseInfo();
    EXPECT_GE(info.noOfAttachments, 2);
    EXPECT_EQ(info.noOfDatabases, info.dbName.size());
    for (const QString& expected : {file, second})
        EXPECT_EQ(std::count_if(info.dbName.cbegin(), info.dbName.cend(),
                                [&](const QString& name) { return sameDatabaseFile(name, expected); }),
                  1)
            << expected.toStdString() << " in:\n" << info.dbName.join(u'\n').toStdString();
    EXPECT_EQ(server.databaseInfo().dbName, info.dbName);
}

INSTANTIATE_TEST_SUITE_P(IBServices, OnEngine, ::testing::Values(Mode::Embedded, Mode::Server),
                         [](const ::testing::TestParamInfo<Mode>& info) {
                             return info.param == Mode::Embedded ? "Embedded" : "Server";
                         });

TEST(IBServicesSetup, RefusesWhatItCannotMap) {
    TIBServerProperties unknownParam;
    unknownParam.params() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("dbname=/tmp/x.fdb");
    EXPECT_THROW(unknownParam.attach(), EIBError);
    EXPECT_FALSE(unknownParam.isActive());

    TIBServerProperties noHost;
    noHost.setProtocol(Protocol::TCP);
    EXPECT_THROW(noHost.attach(), EIBError);

    TIBValidationService notAttached;
    EXPECT_THROW(notAttached.serviceStart(), EIBError);
    EXPECT_TRUE(notAttached.eof());
}

TEST(IBServicesSetup, SameDatabaseFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("a.fdb"));
    writeFile(file, "x");
    writeFile(dir.filePath(QStringLiteral("b.fdb")), "x");
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath(QStringLiteral("link"))));

    struct Case {
        QString other;
        bool same;
    };
    const Case cases[] = {
        {dir.filePath(QStringLiteral("link/a.fdb")), true},
        {dir.filePath(QStringLiteral("b.fdb")), false},
        {dir.filePath(QStringLiteral("A.fdb")), false},
        {dir.filePath(QStringLiteral("gone/../missing.fdb")), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sameDatabaseFile(file, c.other), c.same) << c.other.toStdString();
    EXPECT_TRUE(sameDatabaseFile(dir.filePath(QStringLiteral("gone/../missing.fdb")),
                                 dir.filePath(QStringLiteral("missing.fdb"))));
}

} // namespace
