// Validation of a company database: what it finds by the cause, that it never changes the
// file, and that the company connection comes back whatever the outcome.
#include "BackupFixture.h"

#include "core/backup/ValidationOutcome.h"

#include <functional>
#include <memory>

namespace {

using backuptest::BackupFixture;
using backuptest::fileBytes;
using backuptest::sha256;
using backuptest::storedPages;
using core::ValidationOutcome;

// Overwrites 256 bytes in the middle of a data page of table T, half-way through the file.
void damageDataPage(const QString& path) {
    QByteArray bytes = fileBytes(path);
    const int pageSize = backuptest::pageSizeOf(bytes);
    ASSERT_GE(pageSize, 1024);
    QList<qsizetype> dataPages;
    for (qsizetype page = 1; (page + 1) * pageSize <= bytes.size(); ++page) {
        const QByteArray content = bytes.mid(page * pageSize, pageSize);
        if (content.at(0) == 5 /* data page */ && content.contains("ROWMARKER"))
            dataPages << page;
    }
    ASSERT_GE(dataPages.size(), 3);
    const qsizetype start = dataPages.at(dataPages.size() / 2) * pageSize + pageSize / 2;
    bytes.replace(start, 256, QByteArray(256, char(0xA5)));
    backuptest::writeFile(path, bytes);
}

// Overwrites the start of the header page: page type, page size and on-disk structure.
void damageHeader(const QString& path) {
    QByteArray bytes = fileBytes(path);
    bytes.replace(0, 64, QByteArray(64, char(0x5A)));
    backuptest::writeFile(path, bytes);
}

class ValidationTest : public BackupFixture {
protected:
    // A second attachment through the other engine (the server when this run is embedded, the
    // embedded engine when it goes through the server); empty without a server.
    std::unique_ptr<core::TIBDatabase> attachThroughOtherEngine(const QString& file) {
        auto account = testsupport::serverAccount();
        if (!account)
            return nullptr;
        auto db = std::make_unique<core::TIBDatabase>();
        db->setDatabaseName(server() ? file : account->host + QLatin1Char(':') + file);
        db->params() = {QStringLiteral("user_name=") + account->user, QStringLiteral("password=") + account->password};
        db->open();
        return db;
    }
};

TEST_P(ValidationTest, OutcomeByCauseLeavesTheFileAsItWas) {
    makeCompany(companyFile(), 10);
    std::unique_ptr<core::TIBDatabase> holder;
    struct Case {
        const char* cause;
        std::function<QString()> prepare; // gives the file to validate
        ValidationOutcome expected;
        QString server = QString(); // empty: the server of this run
    };
    const QString damagedData = path(QStringLiteral("damaged-data.fdb"));
    const QString damagedHeader = path(QStringLiteral("damaged-header.fdb"));
    const QString sound = path(QStringLiteral("sound.fdb"));
    const QString attached = path(QStringLiteral("attached.fdb"));
    const Case cases[] = {
        {"sound", [&] { makeCompany(sound, 400); return sound; }, ValidationOutcome::Valid},
        {"the company database connected here",
         [&] { return companyFile(); }, ValidationOutcome::Valid},
        {"data-page damage", [&] { makeCompany(damagedData, 2000); damageDataPage(damagedData); return damagedData; },
         ValidationOutcome::Damaged},
        {"header damage", [&] { makeCompany(damagedHeader, 10); damageHeader(damagedHeader); return damagedHeader; },
         ValidationOutcome::Damaged},
        {"missing file", [&] { return path(QStringLiteral("missing.fdb")); }, ValidationOutcome::NotChecked},
        {"attached through the other engine",
         [&] {
             makeCompany(attached, 10);
             holder = attachThroughOtherEngine(attached);
             return attached;
         },
         ValidationOutcome::NotChecked},
        {"wrong password",
         [&] {
             core::SystemDef.PASSWORD = QStringLiteral("wrong");
             return sound;
         },
         // The embedded engine checks no password.
         server() ? ValidationOutcome::NotChecked : ValidationOutcome::Valid},
        {"server not reachable", [&] { return sound; }, ValidationOutcome::NotChecked, QStringLiteral("127.0.0.2/1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cause);
        core::SystemDef.PASSWORD = password_;
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), companyFolder(), 0));
        const QString file = c.prepare();
        if (QString(c.cause).startsWith(QLatin1String("attached")) && !holder)
            continue; // no server to hold the file
        const QByteArray before = fileBytes(file);

        const QString server = c.server.isEmpty() ? host() : c.server;
        const core::Protocol protocol = c.server.isEmpty() ? this->protocol() : core::Protocol::TCP;
        const ValidationOutcome outcome = dm.ValidateFDBOutcome(protocol, server, file);
        EXPECT_EQ(core::validationOutcomeName(outcome), core::validationOutcomeName(c.expected));

        const QByteArray after = fileBytes(file);
        holder.reset();
        // Nothing is mended: the engine may only count attachments in the header.
        EXPECT_EQ(sha256(storedPages(after)), sha256(storedPages(before)));
        if (c.expected == ValidationOutcome::NotChecked) {
            EXPECT_EQ(sha256(after), sha256(before));
        }
        core::SystemDef.PASSWORD = password_;
        EXPECT_TRUE(dm.IBDatabaseDAT.connected()); // back in every outcome
        dm.AccDatDisconnect(companyFolder(), 0, 0);
    }
    // The yes-or-no form fails only a damaged database.
    EXPECT_TRUE(dm.ValidateFDB(this->protocol(), host(), path(QStringLiteral("missing.fdb"))));
    EXPECT_FALSE(dm.ValidateFDB(this->protocol(), host(), damagedHeader));

    // Validation reports nothing itself, and an unreachable server does not end the program.
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
    EXPECT_FALSE(core::FatalDbError);
}

INSTANTIATE_TEST_SUITE_P(Validation, ValidationTest, testing::Values(dbtest::Engine::Embedded, dbtest::Engine::Server),
                         dbtest::engineName);

} // namespace
