// The SQL tool runner on small databases through the real isql-fb: result codes, what is left
// behind, the error logs, the credentials kept out of every file, and the CONNECT targets.

#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"
#include "dbupgrade/runner/UpdateScript.h"

#include "core/Globals.h"
#include "core/db/Sjis0208.h"
#include "platform/Cp932.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using namespace upgradetest;
using dbupgrade::UpdateScript;
using dbupgrade::UpdateScriptFrame;

// The system base with its version trigger and one table to write to.
QString runnerTemplate()
{
    static QString path;
    if (path.isEmpty()) {
        static QTemporaryDir dir;
        path = dir.filePath(QStringLiteral("runner.fdb"));
        QFile::copy(systemBaseTemplate(), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        execute(path, {QStringLiteral("CREATE TABLE T (A VARCHAR(40))")});
        addVersionTrigger(path);
    }
    return path;
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
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

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct RunnerCase {
    const char* name;
    QStringList statements;  // the step's SQL
    const char* tool;        // TAXLINK_ISQL; nullptr: the real one
    bool writeScript;
    int expected;
    QStringList expectedRows; // rows of T afterwards
    bool scriptLeft;
};

class RunUpdateScriptTest : public testing::TestWithParam<RunnerCase> {};

TEST_P(RunUpdateScriptTest, ResultFilesAndLogs)
{
    const RunnerCase& c = GetParam();
    UpgradeSession session;
    core::SystemDef.PASSWORD = QStringLiteral("Pw-9f3kQ"); // the embedded engine does not check it
    ASSERT_TRUE(QFile::copy(runnerTemplate(), session.systemFile()));
    QFile::setPermissions(session.systemFile(), QFile::ReadOwner | QFile::WriteOwner);
    // Earlier failures: ErrDataup.txt is replaced, ErrDataup.log grows.
    writeFile(dbupgrade::ErrDataupTxtFile(), "old failure\r\n");
    writeFile(dbupgrade::ErrDataupLogFile(), "old failure\r\n");
    writeFile(dbupgrade::UpdateLogFile(), "left from an earlier run\n");

    std::optional<ScopedEnv> tool;
    if (c.tool)
        tool.emplace("TAXLINK_ISQL", QByteArray(c.tool));
    UpdateScriptFrame frame;
    frame.version = {9, 9, 9};
    UpdateScript script(frame);
    script.add(c.statements);
    if (c.writeScript)
        ASSERT_TRUE(script.write());
    EXPECT_FALSE(script.bytes().contains("Pw-9f3kQ"));

    const int result = dbupgrade::RunUpdateScript(QStringLiteral("9.9.9"));
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(QFileInfo::exists(dbupgrade::UpdateScriptFile()), c.scriptLeft);
    EXPECT_FALSE(QFileInfo::exists(dbupgrade::UpdateLogFile()));
    EXPECT_EQ(queryRows(session.systemFile(), QStringLiteral("SELECT A FROM T ORDER BY A")), c.expectedRows);

    const QByteArray txt = readBytes(dbupgrade::ErrDataupTxtFile());
    const QByteArray log = readBytes(dbupgrade::ErrDataupLogFile());
    if (c.expected == dbupgrade::kStepScriptError) {
        EXPECT_FALSE(txt.contains("old failure"));
        EXPECT_TRUE(log.startsWith("old failure\r\n"));
        EXPECT_GT(log.size(), QByteArray("old failure\r\n").size());
        EXPECT_TRUE(log.endsWith(txt)) << log.constData();
        ASSERT_FALSE(session.messages.messages.isEmpty());
        EXPECT_EQ(session.messages.messages.last().text, QStringLiteral(u"Ver 9.9.9のデータベース更新に失敗しました。"));
        EXPECT_EQ(session.messages.messages.last().kind, core::MessageKind::Error);
    } else {
        EXPECT_EQ(txt, QByteArray("old failure\r\n"));
        EXPECT_EQ(log, QByteArray("old failure\r\n"));
    }
    for (const QString& file : {dbupgrade::ErrDataupTxtFile(), dbupgrade::ErrDataupLogFile(), dbupgrade::UpdateScriptFile()})
        EXPECT_FALSE(readBytes(file).contains("Pw-9f3kQ")) << file.toStdString();
    if (c.expected == dbupgrade::kStepDone)
        EXPECT_EQ(queryValue(session.systemFile(), QStringLiteral("SELECT MAJOR||'.'||MINOR1||'.'||MINOR2 FROM VERSION")),
                  QStringLiteral("9.9.9"));
    if (c.expected == dbupgrade::kStepToolNotStarted)
        EXPECT_EQ(session.messages.texts(), QStringList{QStringLiteral(u"ISQL.EXEが起動できません。\r処理を中止します。")});
    if (c.expected == dbupgrade::kStepFileMissing)
        EXPECT_EQ(session.messages.texts(),
                  QStringList{QStringLiteral(u"更新ファイル(%1)が見つかりません。\r処理を中止します。").arg(dbupgrade::UpdateScriptFile())});
}

const QString kInsertA = QStringLiteral("INSERT INTO T VALUES('A');");
const QString kInsertB = QStringLiteral("INSERT INTO T VALUES('B');");

INSTANTIATE_TEST_SUITE_P(
    Cases, RunUpdateScriptTest,
    testing::Values(
        RunnerCase{"Success", {kInsertA, QStringLiteral("COMMIT;")}, nullptr, true, 1, {QStringLiteral("A")}, false},
        // The tool stops at the failing statement: the later ones and the version row never run.
        RunnerCase{"FailingStatement",
                   {kInsertA, QStringLiteral("COMMIT;"), QStringLiteral("INSERT INTO MISSING VALUES(1);"), kInsertB,
                    QStringLiteral("COMMIT;")},
                   nullptr, true, 16, {QStringLiteral("A")}, false},
        RunnerCase{"NoTool", {kInsertA}, "/nonexistent/isql-fb", true, 17, {}, true},
        RunnerCase{"NoScript", {kInsertA}, nullptr, false, 18, {}, false},
        // A tool that ends without a log is no success.
        RunnerCase{"NoLog", {kInsertA}, "/bin/true", true, 16, {}, false},
        // Words in echoed statements do not decide.
        RunnerCase{"ErrorInStatementText",
                   {QStringLiteral("INSERT INTO T VALUES('Error failed');"), QStringLiteral("COMMIT;")}, nullptr, true, 1,
                   {QStringLiteral("Error failed")}, false}),
    [](const testing::TestParamInfo<RunnerCase>& info) { return std::string(info.param.name); });

TEST(UpdateScriptTest, ConnectTargetsFollowTheProgramsOwnNames)
{
    UpgradeSession session;
    struct Case {
        quint8 mode;
        QString host;
        QString sysdir;
        QByteArray line;
    };
    const QList<Case> cases = {
        {0, QStringLiteral("srv"), QStringLiteral("/var/taxlink/data"), "CONNECT '/var/taxlink/data/qmaccdef.fdb';"},
        {1, QStringLiteral("srv"), QStringLiteral("/var/taxlink/data"), "CONNECT 'srv:/var/taxlink/data/qmaccdef.fdb';"},
        {1, QStringLiteral("127.0.0.1"), QStringLiteral("/var/taxlink/data"), "CONNECT '127.0.0.1:/var/taxlink/data/qmaccdef.fdb';"},
        {0, QString(), QStringLiteral("/home/o'neil/data"), "CONNECT \"/home/o'neil/data/qmaccdef.fdb\";"},
        {0, QString(), QStringLiteral(u"/home/データ"), "CONNECT '/home/\xe3\x83\x87\xe3\x83\xbc\xe3\x82\xbf/qmaccdef.fdb';"},
    };
    for (const Case& c : cases) {
        core::ConnectMode = c.mode;
        core::SystemDef.HOSTNAME = c.host;
        core::SystemDef.SYSDIR = c.sysdir;
        EXPECT_EQ(dbupgrade::ConnectLine(dbupgrade::StepConnectTarget(dbupgrade::StepDatabase::System)), c.line);
    }
    EXPECT_EQ(dbupgrade::SqlQuote(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
}

TEST(UpdateScriptTest, MemoFormsAndThe127ByteCut)
{
    UpgradeSession session;
    core::SystemDef.LoginCode = 123;
    core::SystemDef.ComputerName = QStringLiteral("PC01");
    // 19 + 1 + 3 + 1 = 24 bytes before the name; 51 double-byte characters make the cut at
    // byte 127 fall inside the 52nd character.
    core::SystemDef.OPNAME = QString(51, QChar(u'あ')) + QStringLiteral(u"い");
    auto memo = [](dbupgrade::MemoForm form) {
        UpdateScriptFrame frame;
        frame.memo = form;
        return UpdateScript(frame).memoText();
    };
    EXPECT_EQ(memo(dbupgrade::MemoForm::Short), QStringLiteral("2026/04/01 09:30:15"));
    const QString whole = memo(dbupgrade::MemoForm::Long);
    EXPECT_EQ(whole, QStringLiteral("2026/04/01 09:30:15,123,") + core::SystemDef.OPNAME + QStringLiteral(",PC01"));
    const QByteArray cut = platform::toCp932(memo(dbupgrade::MemoForm::Long127));
    EXPECT_EQ(cut.size(), 127);
    EXPECT_TRUE(cut.endsWith(" "));
    EXPECT_TRUE(core::fitsSjis0208(cut));
    EXPECT_EQ(platform::toCp932(memo(dbupgrade::MemoForm::Long127Trimmed)), cut.trimmed());
    core::SystemDef.OPNAME = QStringLiteral("Sato");
    EXPECT_EQ(platform::toCp932(memo(dbupgrade::MemoForm::Long127)).size(), 127); // filled with blanks
    EXPECT_EQ(memo(dbupgrade::MemoForm::Long127Trimmed), QStringLiteral("2026/04/01 09:30:15,123,Sato,PC01"));
}

} // namespace
