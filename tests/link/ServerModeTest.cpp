// The main job in the client/server mode, through the loopback server: the operator logs in as
// "クライアント(C/S)" with the server "127.0.0.1", chooses the ordinary sample and finishes the
// wizard. Every database is reached through the server, so that other operators (here a second
// attachment) can use them meanwhile; a product installed without a name keeps the version
// text of the data set; and a connection the server drops mid-session ends the program with one
// message, telling the caller 2.

#include "core/Globals.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/ConnectionLoss.h"
#include "link/app/ProgramBody.h"
#include "platform/CallerLink.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "tests/link/EndToEndFixture.h"
#include "tests/link/SavedProgramState.h"
#include "tests/platform/PlatformTestUtil.h"
#include "tests/support/OpenFiles.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/TestEnvironment.h"

#include "controls/kikan/TxKikanPanel16.h"
#include "controls/wizard/TxWizard.h"
#include "link/app/EquityPage.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

using e2etest::DemoFolder;
using e2etest::ProgramDriver;
using e2etest::ScopedEnvironment;

namespace {

constexpr platform::WindowHandle kCallerWindow = 4712;
constexpr quint32 kCallerMessage = 32770;
constexpr quint32 kCallerParam = 9;

// The ordinary sample in a demo folder of its own (the server opens its files), whose installed
// product has no "Type" value; made once.
const DemoFolder& serverFolder()
{
    static QTemporaryDir dir;
    static const DemoFolder folder = [] {
        const QString demo = dir.filePath(QStringLiteral("demo"));
        QDir().mkpath(demo);
        QFile registry(demo + QStringLiteral("/registry.ini"));
        if (registry.open(QIODevice::WriteOnly))
            registry.write(platform::toCp932(QStringLiteral(
                "Windows Registry Editor Version 5.00\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TallekZaimu15]\r\n"
                "\"Product\"=\"タレック財務\"\r\n\"Version\"=\"15.0.3\"\r\n")));
        registry.close();
        return e2etest::makeDemoFolder(demo, {QStringLiteral("--mkdb"), QStringLiteral(TAXLINK_MKDB_FILE),
                                              QStringLiteral("--sample"), QStringLiteral("ordinary")});
    }();
    return folder;
}

QString companyFile() { return serverFolder().sysDir() + QStringLiteral("/0001/qmacc.fdb"); }
QString systemFile() { return serverFolder().sysDir() + QStringLiteral("/qmaccdef.fdb"); }

// An attachment of somebody else through the server.
std::unique_ptr<core::TIBDatabase> attach(const testsupport::ServerAccount& account, const QString& file)
{
    auto db = std::make_unique<core::TIBDatabase>();
    db->setDatabaseName(account.host + QLatin1Char(':') + file);
    db->params() = QStringList{QStringLiteral("user_name=") + account.user,
                               QStringLiteral("password=") + account.password, QStringLiteral("lc_ctype=SJIS_0208")};
    db->open();
    return db;
}

// The rows of a statement, each row's columns joined with "|".
QStringList query(core::TIBDatabase& db, const QString& sql)
{
    core::TIBTransaction transaction;
    transaction.setDefaultDatabase(&db);
    transaction.startTransaction();
    core::TIBSQL q(&db, &transaction);
    q.sql() << sql;
    q.execQuery();
    QStringList rows;
    for (; !q.eof(); q.next()) {
        QStringList columns;
        for (int i = 0; i < q.fieldCount(); ++i)
            columns << q.fields(i).asString().trimmed();
        rows << columns.join(u'|');
    }
    q.close();
    transaction.commit();
    return rows;
}

QString registryRow(const testsupport::ServerAccount& account)
{
    auto db = attach(account, systemFile());
    return query(*db, QStringLiteral("SELECT * FROM DATALIST WHERE REC=1")).join(u'\n');
}

class ServerModeTest : public testing::Test {
protected:
    void SetUp() override
    {
        TAXLINK_REQUIRE_SERVER(server);
        account = server;
        ASSERT_TRUE(serverFolder().error.isEmpty()) << serverFolder().error.toStdString();
        ASSERT_TRUE(runtime.isValid());
        env.set("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        env.set(taxlink::kCloseOnShowVariable, std::nullopt);
        for (const auto& [name, value] : serverFolder().env)
            env.set(name, value);
        // The application INI of an office machine: the client/server mode with the server
        // given by its address.
        const QString iniFile = serverFolder().dataRoot() + QStringLiteral("/qmvaimu.ini");
        QFile::remove(iniFile);
        platform::TIniFile ini(iniFile);
        ini.WriteString(QStringLiteral("APPLICATION"), QStringLiteral("CONNECT"), QStringLiteral("1"));
        for (const auto& [section, host] : {std::pair{QStringLiteral("LOCAL"), QString()},
                                            std::pair{QStringLiteral("SERVER"), QStringLiteral("127.0.0.1")}}) {
            ini.WriteString(section, QStringLiteral("HOSTNAME"), host);
            ini.WriteString(section, QStringLiteral("SYSDIR"), serverFolder().sysDir());
            ini.WriteString(section, QStringLiteral("USER"), account.user);
            ini.WriteString(section, QStringLiteral("PASSWORD"), account.password);
        }
    }
    void TearDown() override
    {
        core::ClearConnectionLoss();
        core::FatalDbError = false;
    }

    // Runs the program as called by a caller; wizard steps as the ordinary end-to-end run, with
    // `onSummary` called on the last page before Finish.
    int runProgram(const QString& outFile, const std::function<void()>& whileChosen,
                   const std::function<void()>& onSummary)
    {
        ProgramDriver driver;
        driver.ClientServer = true;
        driver.Wizard = [&](taxlink::TForm1& form) {
            QPointer<taxlink::TForm1> f = &form;
            auto next = [&] {
                f->Wizard1->NextClick();
                return !f.isNull();
            };
            if (!next()) // the data page
                return;
            f->btnDataSentakuClick();
            if (!f)
                return;
            whileChosen();
            if (!next()) // the calculation page
                return;
            f->xKikanPanel3a->SetStno(0);
            f->xKikanPanel3a->SetEdno(15);
            f->RadioButton3b->setChecked(true);
            if (!next()) // the equity page
                return;
            f->page9->SakuseiCheck9->setChecked(true);
            f->page9->SakuseiCheck9Click();
            f->page9->MotochoCheck9->setChecked(true);
            if (!next()) // the summary
                return;
            onSummary();
            if (f)
                f->Wizard1->NextClick(); // Finish
        };
        const QString argument =
            QStringLiteral("%1,%2,%3,%4").arg(kCallerWindow).arg(kCallerMessage).arg(kCallerParam).arg(outFile);
        const int code = taxlink::RunProgram({serverFolder().programFile(), {argument}, /*KeepMessageService=*/true});
        problems = driver.Problems;
        EXPECT_TRUE(driver.LoggedIn);
        EXPECT_TRUE(driver.DataChosen);
        return code;
    }

    testsupport::ServerAccount account;
    QTemporaryDir runtime;
    ScopedEnvironment env;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    linktest::SavedProgramState saved;
    QStringList problems;
};

} // namespace

TEST_F(ServerModeTest, TheLoopbackAddressGoesThroughTheServer)
{
    QTemporaryDir out;
    const QString outFile = out.filePath(QStringLiteral("out.xml"));
    platform::CallerWindow caller(kCallerWindow);
    QString companyName;
    QString systemName;
    bool heldHere = true;
    QString otherOperator;
    const int code = runProgram(
        outFile,
        [&] {
            companyName = core::DM->IBDatabaseDAT.databaseName();
            systemName = core::DM->IBDatabaseDEF.databaseName();
            heldHere = testsupport::processHoldsFile(companyFile()) || testsupport::processHoldsFile(systemFile());
            // Another operator reaches both databases through the server meanwhile.
            try {
                auto system = attach(account, systemFile());
                auto company = attach(account, companyFile());
                otherOperator = query(*company, QStringLiteral("SELECT COUNT(*) FROM ACCDEF1")).join(u',');
            } catch (const std::exception& e) {
                otherOperator = QString::fromUtf8(e.what());
            }
        },
        [] {});

    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    EXPECT_EQ(code, 0) << messages.texts().join(u'\n').toStdString();
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(companyName, QStringLiteral("127.0.0.1:") + companyFile());
    EXPECT_EQ(systemName, QStringLiteral("127.0.0.1:") + systemFile());
    EXPECT_FALSE(heldHere) << "the engine of this process held a database file";
    EXPECT_EQ(otherOperator, QStringLiteral("1"));

    const QByteArray written = platformtest::readBytes(outFile);
    const QByteArray golden =
        platformtest::readBytes(QStringLiteral(TAXLINK_SOURCE_DIR "/tests/link/data/ordinary.xml"));
    auto dataOf = [](const QByteArray& xml) {
        const qsizetype from = xml.indexOf("<DATA>");
        return xml.mid(from, xml.indexOf("</DATA>") - from);
    };
    ASSERT_FALSE(written.isEmpty());
    EXPECT_TRUE(dataOf(written) == dataOf(golden)) << "DATA differs from tests/link/data/ordinary.xml";

    // Choosing and closing the data set kept its version text although the installed product
    // has no name.
    auto system = attach(account, systemFile());
    EXPECT_EQ(query(*system, QStringLiteral("SELECT VER_TEXT FROM DATALIST WHERE REC=1")),
              QStringList{QStringLiteral("15.0")});
}

TEST_F(ServerModeTest, ALostServerConnectionEndsWithOneMessage)
{
    QTemporaryDir out;
    const QString outFile = out.filePath(QStringLiteral("out.xml"));
    platform::CallerWindow caller(kCallerWindow);
    const QString rowBefore = registryRow(account);
    QString killed;
    const int code = runProgram(outFile, [] {},
                                [&] {
                                    // The server drops every attachment of this process.
                                    try {
                                        for (const QString& file : {companyFile(), systemFile()}) {
                                            auto admin = attach(account, file);
                                            core::TIBTransaction t;
                                            t.setDefaultDatabase(admin.get());
                                            t.startTransaction();
                                            core::TIBSQL q(admin.get(), &t);
                                            q.sql() << QStringLiteral(
                                                "DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> "
                                                "CURRENT_CONNECTION AND MON$REMOTE_PID = %1")
                                                           .arg(QCoreApplication::applicationPid());
                                            q.execSQL();
                                            killed += q.rowsAffected() > 0 ? QStringLiteral("killed ")
                                                                           : QStringLiteral("none ");
                                            t.commit();
                                        }
                                    } catch (const std::exception& e) {
                                        killed = QString::fromUtf8(e.what());
                                    }
                                });

    EXPECT_EQ(killed, QStringLiteral("killed killed "));
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    EXPECT_EQ(code, 2);
    ASSERT_EQ(messages.messages.size(), 1) << messages.texts().join(u'\n').toStdString();
    EXPECT_TRUE(messages.messages[0].text.startsWith(
        QStringLiteral("何らかの原因でネットワークが物理的に切断されている か Firebirdサービス(RDBMS)との通信が切断されました。")));
    EXPECT_FALSE(messages.messages[0].detail.isEmpty());
    caller.waitForLines(3, 5000);
    EXPECT_EQ(caller.lines().value(2), QStringLiteral("%1 %2 2").arg(kCallerMessage).arg(kCallerParam));
    EXPECT_FALSE(QFileInfo::exists(outFile));

    // The data is intact: the data set opens through the server, its registry row as it was.
    EXPECT_EQ(registryRow(account), rowBefore);
    auto company = attach(account, companyFile());
    EXPECT_EQ(query(*company, QStringLiteral("SELECT COUNT(*) FROM ACCDEF1")), QStringList{QStringLiteral("1")});
}
