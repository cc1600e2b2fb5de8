// The application INI file: the default file of start-up, the case rules of the readers, the
// connection mode, owner-only access after every write, and the data-server dialog's OK.

#include "DmTestSupport.h"

#include "core/Globals.h"
#include "core/session/Identity.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "selection/AppIniCreateBox.h"
#include "tests/support/RecordingMessageService.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace selection;

namespace {

class AppIniTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        core::SystemDef.IniFile = dir.filePath(QStringLiteral("qmvaimu.ini"));
        core::SystemDef.HOSTNAME = QStringLiteral("mypc");
        core::SystemDef.SYSDIR = QStringLiteral("/var/lib/taxlink/Quorvo/data");
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.GOGLOBAL = 0;
        core::SystemDef.GROUP = 0;
        core::ConnectMode = 0;
        core::AppKind = 0;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
    }
    void TearDown() override { core::AppKind = appKind; }

    void writeFile(const QByteArray& bytes)
    {
        QFile f(core::SystemDef.IniFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray fileBytes() const
    {
        QFile f(core::SystemDef.IniFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    mode_t fileMode() const
    {
        struct stat st {};
        return ::stat(QFile::encodeName(core::SystemDef.IniFile).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
    }
    platform::TIniFile ini() const { return platform::TIniFile(core::SystemDef.IniFile); }

    QTemporaryDir dir;
    dmtest::ScopedSession session;
    quint8 appKind = core::AppKind;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
};

} // namespace

TEST_F(AppIniTest, NewFileHasApplicationLocalAndServerOnlyReadableByOwner)
{
    TAppIniCreateBox box;
    ASSERT_TRUE(box.Ready());
    ASSERT_TRUE(box.SaveServerSettings(true));
    EXPECT_EQ(fileMode(), 0600u);
    EXPECT_TRUE(core::SystemDef.HOSTNAME.isEmpty()); // stand-alone: no host
    EXPECT_EQ(ini().ReadSections(), QStringList({"APPLICATION", "LOCAL", "SERVER"}));
    EXPECT_EQ(ini().ReadSectionValues(QStringLiteral("APPLICATION")),
              QStringList({"TOP=0", "LEFT=0", "WIDTH=1024", "HEIGHT=738", "CONNECT=0"}));
    EXPECT_EQ(ini().ReadSectionValues(QStringLiteral("LOCAL")),
              QStringList({"HOSTNAME=", "GOGLOBAL=NO", "GROUP=NO", "SYSDIR=/var/lib/taxlink/Quorvo/data", "USER=TALLEK",
                           "PASSWORD=vorbin"}));
    EXPECT_EQ(ini().ReadSectionValues(QStringLiteral("SERVER")),
              QStringList({"HOSTNAME=", "GOGLOBAL=NO", "GROUP=NO", "SYSDIR=", "USER=TALLEK", "PASSWORD=vorbin"}));
    EXPECT_TRUE(fileBytes().startsWith("[APPLICATION]\r\nTOP=0\r\n"));

    // An old file readable by everybody: the old layout's sections go, the file becomes private.
    writeFile("[DATABASE]\r\nPATH=x\r\n[MAINFORM]\r\nTOP=1\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(core::SystemDef.IniFile).constData(), 0644), 0);
    ASSERT_TRUE(box.SaveServerSettings(true));
    EXPECT_EQ(ini().ReadSections(), QStringList({"APPLICATION", "LOCAL", "SERVER"}));
    EXPECT_EQ(fileMode(), 0600u);
}

TEST_F(AppIniTest, ReadersCaseRulesAndConnectMode)
{
    writeFile("[APPLICATION]\r\nCONNECT=x\r\n"
              "[SERVER]\r\nHOSTNAME=DbServer\r\nGOGLOBAL=yes\r\nGROUP=YES\r\nSYSDIR=/srv/Taxlink/Data\r\n"
              "USER=tallek\r\nPASSWORD=VorBin\r\n"
              "[SBC]\r\nGOGLOBAL=YES\r\n");
    TAppIniCreateBox box;
    core::SystemDef.GROUP = 1;
    EXPECT_EQ(box.LoadServerSettings(1), 1);
    EXPECT_EQ(core::SystemDef.HOSTNAME, QStringLiteral("DbServer"));
    EXPECT_EQ(core::SystemDef.GOGLOBAL, 0); // "yes" is not "YES"
    EXPECT_EQ(core::SystemDef.GROUP, 0);    // not read here: cleared
    EXPECT_EQ(core::SystemDef.SYSDIR, QStringLiteral("/srv/Taxlink/Data"));
    EXPECT_EQ(core::SystemDef.USER, QStringLiteral("TALLEK"));
    EXPECT_EQ(core::SystemDef.PASSWORD, QStringLiteral("vorbin"));
    box.LoadServerSettings(2);
    EXPECT_EQ(core::SystemDef.GOGLOBAL, 1);
    EXPECT_EQ(core::SystemDef.USER, QStringLiteral("TALLEK")); // missing keys: the defaults
    EXPECT_EQ(core::SystemDef.PASSWORD, QStringLiteral("vorbin"));
    box.LoadServerSettings(7); // any other mode reads LOCAL (missing here)
    EXPECT_TRUE(core::SystemDef.SYSDIR.isEmpty());
    EXPECT_TRUE(core::SystemDef.HOSTNAME.isEmpty());

    struct Case {
        const char* stored; // nullptr: no CONNECT key
        int mode;
    } cases[] = {{"x", 0}, {nullptr, 0}, {"1", 1}, {"2", 2}, {"", 0}};
    for (const Case& c : cases) {
        writeFile(c.stored ? QByteArray("[APPLICATION]\r\nCONNECT=") + c.stored + "\r\n" : QByteArray());
        EXPECT_EQ(box.LoadConnectMode(), c.mode) << (c.stored ? c.stored : "(none)");
    }
    core::AppKind = 1;
    EXPECT_EQ(box.LoadConnectMode(), 0);
    EXPECT_FALSE(box.SaveConnectMode(1));
    core::AppKind = 0;
    EXPECT_FALSE(box.SaveConnectMode(3));
    EXPECT_EQ(ini().ReadString(QStringLiteral("APPLICATION"), QStringLiteral("CONNECT"), QStringLiteral("?")), QString());
    ASSERT_EQ(::chmod(QFile::encodeName(core::SystemDef.IniFile).constData(), 0664), 0);
    EXPECT_TRUE(box.SaveConnectMode(1));
    EXPECT_EQ(box.LoadConnectMode(), 1);
    EXPECT_EQ(fileMode(), 0600u);
}

TEST_F(AppIniTest, SaveOfAModeWritesOnlyItsSection)
{
    TAppIniCreateBox box;
    ASSERT_TRUE(box.SaveServerSettings(true));
    core::ConnectMode = 1;
    core::SystemDef.HOSTNAME = QStringLiteral("dbserver");
    core::SystemDef.SYSDIR = QStringLiteral("/srv/taxlink/data");
    core::SystemDef.GOGLOBAL = 1;
    ASSERT_TRUE(box.SaveServerSettings(false));
    EXPECT_EQ(ini().ReadSectionValues(QStringLiteral("SERVER")),
              QStringList({"HOSTNAME=dbserver", "GOGLOBAL=YES", "GROUP=NO", "SYSDIR=/srv/taxlink/data", "USER=TALLEK",
                           "PASSWORD=vorbin"}));
    EXPECT_EQ(ini().ReadString(QStringLiteral("LOCAL"), QStringLiteral("SYSDIR"), {}),
              QStringLiteral("/var/lib/taxlink/Quorvo/data"));
    EXPECT_EQ(fileMode(), 0600u);

    // A file that cannot be written is not reported as saved.
    core::SystemDef.IniFile = dir.filePath(QStringLiteral("missing/qmvaimu.ini"));
    EXPECT_FALSE(box.SaveServerSettings(false));
    EXPECT_FALSE(box.SaveServerSettings(true));
    core::SystemDef.HOSTNAME = QStringLiteral("😀"); // no CP932 character
    core::SystemDef.IniFile = dir.filePath(QStringLiteral("qmvaimu.ini"));
    EXPECT_FALSE(box.SaveServerSettings(false));
}

TEST_F(AppIniTest, DialogDriveAndNativeFolders)
{
    struct Case {
        QString stored;    // SERVER SYSDIR
        bool native;       // shown as the server's own folder
        QString shownPath; // txtDataPath at first show
        QString drive;     // the drive shown (drive form only)
        QString chosen;    // drive chosen before OK (drive form only)
        QString saved;     // SYSDIR after OK
    } cases[] = {
        {"d:\\tallekzaimu\\data", false, "\\tallekzaimu\\data", "D:", "D:", "D:\\tallekzaimu\\data"},
        {"D:\\x", false, "\\tallekzaimu\\data", "D:", "E:", "E:\\tallekzaimu\\data"},
        {"A:\\x", false, "\\tallekzaimu\\data", "C:", "C:", "C:\\tallekzaimu\\data"},
        {"/srv/Taxlink/Data", true, "/srv/Taxlink/Data", "", "", "/srv/Taxlink/Data"},
        {"", true, "/tallekzaimu/data", "", "", "/tallekzaimu/data"},
    };
    core::ConnectMode = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        writeFile(QStringLiteral("[SERVER]\r\nHOSTNAME=DbServer\r\nSYSDIR=%1\r\nUSER=tallek\r\nPASSWORD=VorBin\r\n")
                      .arg(c.stored).toUtf8());
        TAppIniCreateBox box;
        EXPECT_EQ(box.windowTitle(), QStringLiteral("データサーバーの設定"));
        box.CMShowingChanged();
        EXPECT_EQ(box.txtHostName->text(), QStringLiteral("DbServer"));
        EXPECT_EQ(box.NativeDataPath, c.native);
        EXPECT_EQ(box.txtDataPath->text(), c.shownPath);
        EXPECT_EQ(box.txtDataPath->isEnabled(), c.native);
        EXPECT_EQ(box.cmbDrive->isEnabled(), !c.native);
        EXPECT_EQ(box.cmbDrive->count(), 24);
        if (!c.native) {
            EXPECT_EQ(box.cmbDrive->currentText(), c.drive);
            box.cmbDrive->setCurrentText(c.chosen);
        }
        EXPECT_EQ(box.txtUserName->text(), QStringLiteral("TALLEK"));
        EXPECT_EQ(box.txtPassWord->text(), QStringLiteral("vorbin"));
        box.OKBtnClick();
        EXPECT_EQ(box.result(), core::mrOk);
        EXPECT_EQ(core::SystemDef.HOSTNAME, QStringLiteral("dbserver"));
        EXPECT_EQ(core::SystemDef.SYSDIR, c.saved);
        EXPECT_EQ(ini().ReadString(QStringLiteral("SERVER"), QStringLiteral("SYSDIR"), {}), c.saved);
        EXPECT_EQ(fileMode(), 0600u);
    }
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(AppIniTest, DialogRefusesMissingEntries)
{
    core::ConnectMode = 1;
    TAppIniCreateBox box;
    box.CMShowingChanged();
    struct Case {
        QString host, user, password, message;
    } cases[] = {
        {" ", "TALLEK", "vorbin", "コンピュータ名が指定されていません。\r入力してください。"},
        {"db", " ", "vorbin", "データベースのユーザーが指定されていません。\r入力してください。"},
        {"db", "TALLEK", "", "データベースのパスワードが指定されていません。\r入力してください。"},
    };
    for (const Case& c : cases) {
        messages.messages.clear();
        box.txtHostName->setText(c.host);
        box.txtUserName->setText(c.user);
        box.txtPassWord->setText(c.password);
        box.OKBtnClick();
        EXPECT_EQ(box.result(), core::mrNone) << c.message.toStdString();
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.messages.first().text, c.message);
    }
    EXPECT_FALSE(QFile::exists(core::SystemDef.IniFile)); // nothing written

    // Stand-alone: the host is not asked for and not kept.
    core::ConnectMode = 0;
    messages.messages.clear();
    box.txtHostName->setText(QString());
    box.txtPassWord->setText(QStringLiteral("vorbin"));
    box.OKBtnClick();
    EXPECT_EQ(box.result(), core::mrOk);
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(ini().ReadString(QStringLiteral("LOCAL"), QStringLiteral("HOSTNAME"), QStringLiteral("?")), QString());

    // A file that cannot be written keeps the dialog open with a message.
    core::SystemDef.IniFile = dir.filePath(QStringLiteral("missing/qmvaimu.ini"));
    TAppIniCreateBox second;
    second.txtHostName->setText(QStringLiteral("db"));
    second.OKBtnClick();
    EXPECT_EQ(second.result(), core::mrNone);
    EXPECT_EQ(messages.messages.size(), 1);
}
