// The login dialog driven without a window: the code check before any database access, each
// answer of LOGONUSERTEST with the session it leaves, the explanations of a failed connection,
// the client/server settings, and the password dialog's rules.

#include "tests/companydata/RegistryTestFixture.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "platform/IniFile.h"
#include "selection/LogonBox.h"
#include "selection/ServerWorkFolder.h"
#include "selection/UpPasswordBox.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace selection;

namespace {

const QString kCodeOrPassword =
    QStringLiteral("コードまたはパスワードが違います。\r正しいコードまたはパスワードを入力して下さい。");

class LogonTest : public registrytest::RegistryTest<LogonTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    void SetUp() override
    {
        registrytest::RegistryTest<LogonTest>::SetUp();
        if (HasFatalFailure())
            return;
        run({QStringLiteral("DELETE FROM LOGONUSERLIST"),
             QStringLiteral("UPDATE OPERATOR SET JIMUSHO=1,MYNUMBER_ADM=1,SHONIN=0 WHERE GROUPID=10000 AND OPCODE=10")});
        core::SystemDef.IniFile = work.filePath(QStringLiteral("qmvaimu.ini"));
        core::SystemDef.ComputerName = QStringLiteral("PC-A");
        core::SystemDef.OPNAME.clear();
        core::SystemDef.AppName.clear();
        writeIni(root_->sysDir(), QString(), QString());
    }

    // [LOCAL] with the data root's system folder, [SERVER] as given, CONNECT 0.
    void writeIni(const QString& localDir, const QString& serverHost, const QString& serverDir)
    {
        QFile::remove(core::SystemDef.IniFile);
        platform::TIniFile ini(core::SystemDef.IniFile);
        ini.WriteString(QStringLiteral("APPLICATION"), QStringLiteral("CONNECT"), QStringLiteral("0"));
        for (const auto& [section, host, dir] : {std::tuple{QStringLiteral("LOCAL"), QString(), localDir},
                                                 std::tuple{QStringLiteral("SERVER"), serverHost, serverDir}}) {
            ini.WriteString(section, QStringLiteral("HOSTNAME"), host);
            ini.WriteString(section, QStringLiteral("SYSDIR"), dir);
            ini.WriteString(section, QStringLiteral("USER"), root_->account().user);
            ini.WriteString(section, QStringLiteral("PASSWORD"), root_->account().password);
        }
    }
    QString connectValue() const
    {
        return platform::TIniFile(core::SystemDef.IniFile).ReadString(QStringLiteral("APPLICATION"),
                                                                      QStringLiteral("CONNECT"), {});
    }

    // A dialog as the program creates it, with the numbered box recorded.
    std::unique_ptr<TLogonBox> box(bool clientServer = false)
    {
        auto b = std::make_unique<TLogonBox>();
        b->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info;
            return int(core::mrOk);
        };
        (clientServer ? b->btnCS : b->btnSA)->setChecked(true);
        return b;
    }
    int login(const QString& code, const QString& password, bool clientServer = false)
    {
        auto b = box(clientServer);
        b->txtOpCode->setText(code);
        b->txtPassword->setText(password);
        b->OKBtnClick();
        return b->result();
    }
    QStringList boxLines(int index) const
    {
        QStringList out;
        for (const auto& line : boxes.at(index).Lines)
            if (!line.Text.isEmpty())
                out << line.Text;
        return out;
    }

    QList<controls::TMessage2InfoRec> boxes;
};

} // namespace

TEST_F(LogonTest, CodesBelowTenRefusedBeforeAnyDatabaseAccess)
{
    dm.IBDatabaseDEF.close();
    for (const char* code : {"", "0", "9", "x1"}) {
        messages.messages.clear();
        auto b = box();
        EXPECT_EQ(b->windowTitle(), QStringLiteral("ログイン"));
        EXPECT_TRUE(b->Ready());
        b->txtOpCode->setText(QString::fromLatin1(code));
        b->txtPassword->setText(QStringLiteral("test"));
        b->OKBtnClick();
        EXPECT_EQ(b->result(), core::mrNone) << code;
        EXPECT_EQ(messages.texts(), QStringList{kCodeOrPassword}) << code;
    }
    EXPECT_FALSE(dm.IBDatabaseDEF.connected());
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(LogonTest, EachAnswerOfTheLoginProcedure)
{
    // 0: a new login fills the session and records the mode.
    ASSERT_EQ(login(QStringLiteral("10"), QStringLiteral("test")), core::mrOk) << messageText().toStdString();
    EXPECT_EQ(core::SystemDef.OPCODE, 100000010);
    EXPECT_EQ(core::SystemDef.LoginCode, 10);
    EXPECT_EQ(core::SystemDef.OPNAME, QStringLiteral("テスト担当者"));
    EXPECT_EQ(core::SystemDef.JobLevel, 9);
    EXPECT_EQ(core::SystemDef.Supervisor, 1);
    EXPECT_EQ(core::SystemDef.MyNumberAdmin, 1);
    EXPECT_EQ(core::SystemDef.MyNumberApprover, 0);
    EXPECT_TRUE(core::SystemDef.ServerTempDir.isEmpty());
    EXPECT_EQ(core::SystemDef.AppName, kLogonAppName);
    EXPECT_EQ(core::ConnectMode, 0);
    EXPECT_EQ(connectValue(), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT OPCODE,PCNAME,APPVERSION FROM LOGONUSERLIST")),
              QStringList{QStringLiteral("100000010 PC-A 2")});

    // 1: the same operator again from the same computer.
    EXPECT_EQ(login(QStringLiteral("10"), QStringLiteral("test")), core::mrOk);
    EXPECT_TRUE(messages.messages.isEmpty()) << messageText().toStdString();

    // -3: the same operator from another computer while still logged in.
    core::SystemDef.ComputerName = QStringLiteral("PC-B");
    EXPECT_EQ(login(QStringLiteral("10"), QStringLiteral("test")), core::mrNone);
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("指定したユーザーは既にシステムへログインしているため、ログインできませんでした。")});

    // -1: a wrong password (compared exactly), an empty one, an unknown operator.
    for (const auto& [code, password] : {std::pair{"10", "TEST"}, std::pair{"10", ""}, std::pair{"11", "test"}}) {
        messages.messages.clear();
        EXPECT_EQ(login(QString::fromLatin1(code), QString::fromLatin1(password)), core::mrNone) << code << password;
        EXPECT_EQ(messages.texts(), QStringList{kCodeOrPassword}) << code << password;
    }
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(LogonTest, FailedConnectionsAreExplained)
{
    // A missing system database (stand-alone): the file-not-found code and its causes.
    const QString empty = folder(QStringLiteral("nodb"));
    writeIni(empty, QString(), QString());
    core::SystemDef.SYSDIR = empty;
    dm.IBDatabaseDEF.close();
    try {
        dm.fnAccDefConnected(QString(), 0);
        ADD_FAILURE() << "connected to a missing database";
    } catch (const core::EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), 0x14000018);
    }
    EXPECT_EQ(login(QStringLiteral("10"), QStringLiteral("test")), core::mrNone);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].Kind, 2);
    EXPECT_EQ(boxLines(0), QStringList({"ログイン処理に失敗しました。以下の理由が考えられます。",
                                        "１）データファイルが見つからない。", "２）別のプロセスがデータファイルを使用中。"}));

    // A closed port on the loopback address (client/server): the network code and its causes.
    writeIni(root_->sysDir(), QStringLiteral("127.0.0.1/1"), root_->sysDir());
    core::SystemDef.HOSTNAME = QStringLiteral("127.0.0.1/1");
    core::SystemDef.SYSDIR = root_->sysDir();
    core::ConnectMode = 1;
    try {
        dm.fnAccDefConnected(QString(), 0);
        ADD_FAILURE() << "connected through a closed port";
    } catch (const core::EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), 0x14000191);
    }
    EXPECT_EQ(login(QStringLiteral("10"), QStringLiteral("test"), true), core::mrNone);
    ASSERT_EQ(boxes.size(), 2);
    const QStringList lines = boxLines(1);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("ログイン処理に失敗しました。以下の理由が考えられます。"));
    EXPECT_EQ(lines[1], QStringLiteral("１）サーバー上でFireBirdサービスが起動しているか確認して下さい。"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("３）Windowsファイヤーウォール")));
    EXPECT_EQ(connectValue(), QStringLiteral("0")); // a failed login records nothing

    // Any other database error: the code and its explanation.
    const QString broken = folder(QStringLiteral("broken"));
    QFile junk(broken + QStringLiteral("/qmaccdef.fdb"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    writeIni(broken, QString(), QString());
    EXPECT_EQ(login(QStringLiteral("10"), QStringLiteral("test")), core::mrNone);
    ASSERT_EQ(boxes.size(), 3);
    const QStringList other = boxLines(2);
    ASSERT_GE(other.size(), 3);
    EXPECT_EQ(other[0], QStringLiteral("財務システムデータベースの接続処理に失敗しました。"));
    EXPECT_EQ(other[1], QStringLiteral("[例外内容]"));
    EXPECT_TRUE(other[2].startsWith(QStringLiteral("(IBXエラーコード:335544"))) << other[2].toStdString();
}

TEST_F(LogonTest, ClientServerNeedsHostAndFolder)
{
    struct Case {
        QString host, dir, message;
    } cases[] = {
        {"", "/srv/taxlink/data",
         "データサーバーのコンピュータ名が設定されていません。\r[サーバー設定]ボタンを押して正しい情報を入力して下さい。"},
        {"dbserver", "",
         "データサーバー上のデータパスが設定されていません。\r[サーバー設定]ボタンを押して正しい情報を入力して下さい。"},
    };
    for (const Case& c : cases) {
        messages.messages.clear();
        writeIni(root_->sysDir(), c.host, c.dir);
        EXPECT_EQ(login(QStringLiteral("10"), QStringLiteral("test"), true), core::mrNone);
        EXPECT_EQ(messages.texts(), QStringList{c.message});
        EXPECT_EQ(core::ConnectMode, 1);
    }
    EXPECT_TRUE(dm.IBDatabaseDEF.connected()); // not touched
}

TEST_F(LogonTest, CreationFollowsTheStoredModeAndF12IsOk)
{
    platform::TIniFile(core::SystemDef.IniFile)
        .WriteString(QStringLiteral("APPLICATION"), QStringLiteral("CONNECT"), QStringLiteral("1"));
    TLogonBox b;
    EXPECT_TRUE(b.btnCS->isChecked());
    EXPECT_EQ(core::ConnectMode, 1);
    b.CMShowingChanged();
    EXPECT_TRUE(b.btnServerSettei->isEnabled());
    b.btnSA->setChecked(true);
    EXPECT_EQ(core::ConnectMode, 0);
    EXPECT_FALSE(b.btnServerSettei->isEnabled());

    // F12 on its release runs OK (here refused for the code); Esc does not close the dialog.
    b.txtOpCode->setText(QStringLiteral("5"));
    b.show(); // not modal: the keys reach the form's key preview
    for (int key : {Qt::Key_F12, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(b.txtOpCode, &press);
        QApplication::sendEvent(b.txtOpCode, &release);
    }
    EXPECT_EQ(messages.texts(), QStringList{kCodeOrPassword});
    EXPECT_EQ(b.result(), core::mrNone);
    EXPECT_TRUE(b.isVisible());
    b.hide();
}

TEST_F(LogonTest, ServerLoginStoresClientServerMode)
{
    TAXLINK_REQUIRE_SERVER(account);
    writeIni(root_->sysDir(), account.host, root_->sysDir());
    EXPECT_EQ(login(QStringLiteral("10"), QStringLiteral("test"), true), core::mrOk) << messageText().toStdString();
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(core::SystemDef.OPCODE, 100000010);
    EXPECT_EQ(core::SystemDef.HOSTNAME, account.host);
    EXPECT_EQ(core::SystemDef.ServerTempDir, root_->root() + QStringLiteral("/temp"));
    EXPECT_EQ(connectValue(), QStringLiteral("1"));
    // The next start offers client/server.
    TLogonBox next;
    EXPECT_TRUE(next.btnCS->isChecked());
    dm.DeleteLogonInfo();
    dm.IBDatabaseDEF.close();
}

TEST_F(LogonTest, StoredPasswordOfThePasswordOnlyLogin)
{
    TLogonBox b;
    const int code = 9999;
    EXPECT_EQ(b.GetEntryPassword(code), QString()); // no operator row yet
    ASSERT_TRUE(b.UpdatePassword(code, QStringLiteral("abc1")));
    EXPECT_EQ(b.GetEntryPassword(code), QStringLiteral("abc1"));
    ASSERT_TRUE(b.UpdatePassword(code, QStringLiteral("xyz2")));
    EXPECT_EQ(rows(QStringLiteral("SELECT OPNAME,JOBLEVEL,PASWORD,JIMUSHO FROM OPERATOR WHERE OPCODE=9999")),
              QStringList{QStringLiteral("システムユーザー 9 xyz2 0")});
    run({QStringLiteral("DELETE FROM OPERATOR WHERE OPCODE=9999")});
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST(ServerTempFolder, ByShapeOfTheSystemFolder)
{
    dmtest::ScopedSession session;
    core::Identity = core::IdentityFrom(core::DefaultAppInfo());
    EXPECT_EQ(ServerTempFolder(QStringLiteral("D:\\tallekzaimu\\data")), QStringLiteral("D:\\tallekzaimu\\temp"));
    EXPECT_EQ(ServerTempFolder(QStringLiteral("/srv/taxlink/data")), QStringLiteral("/srv/taxlink/temp"));
    EXPECT_EQ(ServerTempFolder(QStringLiteral("/srv/taxlink/data/")), QStringLiteral("/srv/taxlink/temp"));
    EXPECT_EQ(ServerTempFolder(QStringLiteral("/data")), QStringLiteral("/temp"));

    core::SystemDef.SYSDIR = QStringLiteral("/srv/taxlink/data");
    core::SystemDef.OPCODE = 10003;
    core::SystemDef.ServerWorkDir.clear();
    EXPECT_EQ(ServerWorkFolder(), QStringLiteral("/srv/taxlink/temp/10003"));
    EXPECT_EQ(core::SystemDef.ServerWorkDir, QStringLiteral("/srv/taxlink/temp/10003"));
}

TEST(UpPasswordBox, Rules)
{
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
    struct Case {
        QString current, now, new1, new2, message; // empty message: accepted
    } cases[] = {
        {"", "", "abc1", "abc1", ""},
        {"", "", "abc1", "", "新しいパスワードが入力されていません。両方のボックスに入力して下さい。"},
        {"", "", "abc", "ABC", "入力されたパスワードは一致しません。"},
        {"old1", "", "x", "x", "現在のパスワードが入力されていません。"},
        {"old1", "OLD1", "x", "x", "現在のパスワードが入力されたパスワードと一致しません。"},
        {"old1", "old1", "", "new2", "新しいパスワードが入力されていません。両方のボックスに入力して下さい。"},
        {"old1", "old1", "new2", "new2", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.current + u'|' + c.now + u'|' + c.new1 + u'|' + c.new2).toStdString());
        messages.messages.clear();
        TUpPasswordBox b;
        b.SetCurrentPassword(c.current);
        EXPECT_EQ(b.windowTitle(), c.current.isEmpty() ? QStringLiteral("パスワードの設定") : QStringLiteral("パスワードの変更"));
        EXPECT_EQ(b.NowLine->isHidden(), c.current.isEmpty());
        b.txtPasswordNow->setText(c.now);
        b.txtPasswordNew1->setText(c.new1);
        b.txtPasswordNew2->setText(c.new2);
        b.btnOkClick();
        if (c.message.isEmpty()) {
            EXPECT_EQ(b.result(), core::mrOk);
            EXPECT_EQ(b.NewPassword(), c.new1);
            EXPECT_TRUE(messages.messages.isEmpty());
        } else {
            EXPECT_EQ(b.result(), core::mrNone);
            EXPECT_TRUE(b.NewPassword().isEmpty());
            EXPECT_EQ(messages.texts(), QStringList{c.message});
        }
    }

    // Typing: letters and digits only; a blank or a symbol has no effect.
    TUpPasswordBox b;
    b.SetCurrentPassword(QString());
    for (QChar ch : QStringLiteral("a b!Z-9")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(b.txtPasswordNew1, &press);
    }
    EXPECT_EQ(b.txtPasswordNew1->text(), QStringLiteral("abZ9"));
}
