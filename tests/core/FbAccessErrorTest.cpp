// The central database-error reporter, the statement reporter, their logs and the two message
// routines.
#include "DmTestSupport.h"

#include "core/errors/ConnectionLoss.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ErrorLogs.h"
#include "core/errors/FbAccessError.h"
#include "core/errors/IscErrorText.h"
#include "platform/Cp932.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/RecordingQuit.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using core::EIBError;
using core::MessageKind;
using core::SystemDef;

constexpr long kLockConflict = 335544345;

QByteArray crlfCp932(const QStringList& lines) {
    return platform::toCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QByteArray fileBytes(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FbAccessErrorTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SystemDef.LogDir = dir.path();
        SystemDef.ComputerName = QStringLiteral("経理PC01");
        SystemDef.OPCODE = 100010010;
        SystemDef.Serial.clear();
        SystemDef.AppVersion.clear();
        SystemDef.HOSTNAME = QStringLiteral("dbhost");
        core::ConnectMode = 1;
        core::FatalDbError = false;
        dm.IBDatabaseDAT.setDatabaseName(QStringLiteral("dbhost:/srv/データ/0001/qmacc.fdb"));
        core::DM = &dm;
        previousClock = core::setErrorLogClock([] { return QDateTime(QDate(2024, 3, 5), QTime(6, 7, 8)); });
    }
    void TearDown() override { core::setErrorLogClock(previousClock); }

    QString expectedFirstLine() const {
        // The name of a connection through the server carries its host once.
        return QStringLiteral("2024/03/05 06:07:08,経理PC01,100010010,Serial=,AppVer=,DBName=dbhost:/srv/データ/"
                              "0001/qmacc.fdb,DataVer=");
    }

    dmtest::ScopedSession session;
    QTemporaryDir dir;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    testsupport::RecordingQuit quit;
    core::TDM dm;
    core::ErrorLogClock previousClock;
};

TEST_F(FbAccessErrorTest, LogsTwoLinesAndShowsTheMessageWithItsDetail) {
    const EIBError error(kLockConflict, -901,
                         QStringLiteral("lock conflict on no wait transaction\ndeadlock\r\nupdate conflicts"));
    const QString codeText = core::GetIscErrorText(kLockConflict, -901);
    const QStringList lines{expectedFirstLine(),
                            QStringLiteral("Error=TDM.fnPutSysDef [335544345] (-901) %1,lock conflict on no wait "
                                           "transaction deadlock update conflicts")
                                .arg(codeText)};

    core::ReportFbAccessError(error, QStringLiteral("TDM.fnPutSysDef"), QStringLiteral("設定の保存に失敗しました。"),
                              1);
    EXPECT_EQ(fileBytes(core::errFbAccessLogFile()), crlfCp932(lines));
    EXPECT_EQ(fileBytes(core::errFbAccessTxtFile()), crlfCp932(lines));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages[0].buttons, core::mbOK);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("設定の保存に失敗しました。"));
    EXPECT_EQ(messages.messages[0].detail,
              QStringLiteral("IBXエラーコード:335544345\r") + error.message() + QLatin1Char('\r') + codeText);

    // An empty message logs only; the ".txt" file holds the last report, the ".log" grows.
    const EIBError second(335544580, -204, QStringLiteral("Table unknown"));
    core::ReportFbAccessError(second, QStringLiteral("TDM.fnGetAccInfo"), QString(), 0);
    const QStringList secondLines{expectedFirstLine(),
                                  QStringLiteral("Error=TDM.fnGetAccInfo [335544580] (-204) %1,Table unknown")
                                      .arg(core::GetIscErrorText(335544580, -204))};
    EXPECT_EQ(fileBytes(core::errFbAccessLogFile()), crlfCp932(lines + secondLines));
    EXPECT_EQ(fileBytes(core::errFbAccessTxtFile()), crlfCp932(secondLines));
    EXPECT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(quit.exitCodes.isEmpty());
    EXPECT_FALSE(core::FatalDbError);
}

TEST_F(FbAccessErrorTest, FatalErrorsEndTheProgramAndSilenceLaterReports) {
    const QString endNotice = QStringLiteral("\r\r[OK]ボタンを押すとアプリケーションの終了処理に入ります。（[OK]"
                                             "後、何回かメッセージが表示される場合があります）\r"
                                             "アプリケーションが終了しましたら再起動して下さい。\r");
    const QString networkText =
        QStringLiteral(
            "何らかの原因でネットワークが物理的に切断されている か Firebirdサービス(RDBMS)との通信が切断されました。") +
        endNotice;
    const QString standAloneNote = QStringLiteral("\r※注意 共有サーバーのデータ利用時は自動保管されません。\r");
    struct Case {
        long code;
        int connectMode;
        QString message; // the caller's; an empty one does not silence a fatal error
        QString shown;
        QString detail;
    };
    const QString engineText = QStringLiteral("Error writing data to the connection.");
    // The codes of a lost connection name it, with the engine's text as detail.
    const Case cases[] = {
        {335544721, 0, QStringLiteral("読込に失敗しました。"), networkText + standAloneNote, engineText},
        {335544721, 1, QString(), networkText, engineText},
        {335544727, 1, QStringLiteral("読込に失敗しました。"), networkText, engineText},
        {335544726, 1, QStringLiteral("読込に失敗しました。"), networkText, engineText},
        {335544741, 1, QStringLiteral("読込に失敗しました。"), networkText, engineText},
        {335544856, 1, QStringLiteral("読込に失敗しました。"), networkText, engineText},
        {335544333, 1, QStringLiteral("読込に失敗しました。"), core::GetIscErrorText(335544333, -902) + endNotice,
         QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        core::FatalDbError = false;
        core::ConnectMode = quint8(c.connectMode);
        messages.messages.clear();
        quit.exitCodes.clear();
        QFile::remove(core::errFbAccessLogFile());

        core::ReportFbAccessError(EIBError(c.code, -902, engineText), QStringLiteral("TDM.fnGetSysDef"), c.message,
                                  0);
        EXPECT_TRUE(core::FatalDbError);
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.messages[0].text, c.shown);
        EXPECT_EQ(messages.messages[0].detail, c.detail);
        EXPECT_EQ(quit.exitCodes, QList<int>{core::kFatalDbErrorExitCode});
        const QByteArray logged = fileBytes(core::errFbAccessLogFile());
        EXPECT_EQ(logged.count("\r\n"), 2);

        // While the program unwinds nothing more is logged or shown.
        core::ReportFbAccessError(EIBError(c.code, -902, QStringLiteral("again")), QStringLiteral("TDM.X"),
                                  QStringLiteral("x"), 0);
        core::ReportFbError(EIBError(kLockConflict, -901, QStringLiteral("again")), QStringLiteral("試算表読込"));
        EXPECT_EQ(fileBytes(core::errFbAccessLogFile()), logged);
        EXPECT_FALSE(QFile::exists(core::fbErrorLogFile()));
        // Nor any other message of the program.
        core::showMessage(core::MessageKind::Error, QStringLiteral("中間ファイルの作成に失敗しました。\r"));
        EXPECT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(quit.exitCodes.size(), 1);
    }
}

// A broken attachment met anywhere (here a statement whose error the caller turns into a
// message of its own) is told first and once, instead of that message; a failed connect is not
// a lost connection.
TEST_F(FbAccessErrorTest, ALostConnectionNotedByTheDatabaseLayerIsToldOnce) {
    core::ConnectMode = 1;
    core::NoteDatabaseError(EIBError(335544721, -902, QStringLiteral("Unable to complete network request")));
    EXPECT_FALSE(core::ConnectionLossPending());
    core::NoteDatabaseError(EIBError(335544856, -902, QStringLiteral("connection shutdown")));
    core::NoteDatabaseError(EIBError(335544727, -902, QStringLiteral("later")));
    EXPECT_TRUE(core::ConnectionLossPending());
    EXPECT_FALSE(core::FatalDbError);

    core::showMessage(core::MessageKind::Error, QStringLiteral("決算書の集計処理に失敗しました。\r"));
    core::ShowMessageWithDetail(QStringLiteral("例外エラー"), QStringLiteral("connection shutdown"),
                                core::MessageKind::Error);
    core::ReportFbError(EIBError(335544856, -902, QStringLiteral("again")), QStringLiteral("試算表読込"));
    EXPECT_TRUE(core::FatalDbError);
    EXPECT_FALSE(core::ConnectionLossPending());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("何らかの原因でネットワークが物理的に切断されている")));
    EXPECT_EQ(messages.messages[0].detail, QStringLiteral("connection shutdown"));
    EXPECT_EQ(quit.exitCodes, QList<int>{core::kFatalDbErrorExitCode});
}

TEST_F(FbAccessErrorTest, ALogThatCannotBeWrittenDoesNotStopTheReport) {
    SystemDef.LogDir = dir.filePath(QStringLiteral("no/such/folder"));
    core::ReportFbAccessError(EIBError(kLockConflict, -901, QStringLiteral("lock")), QStringLiteral("TDM.A"),
                              QStringLiteral("失敗しました。"), 0);
    core::ReportFbError(EIBError(kLockConflict, -901, QStringLiteral("lock")), QStringLiteral("試算表読込"));
    core::ReportFbAccessError(EIBError(335544721, -902, QStringLiteral("network")), QStringLiteral("TDM.B"), QString(),
                              0);
    EXPECT_EQ(messages.messages.size(), 3);
    EXPECT_EQ(quit.exitCodes, QList<int>{core::kFatalDbErrorExitCode});
}

TEST_F(FbAccessErrorTest, StatementReporterShowsThenWritesFbErrorLogs) {
    const EIBError error(kLockConflict, -901, QStringLiteral("lock conflict on no wait transaction"));
    const QString codeText = core::GetIscErrorText(kLockConflict, -901);
    core::ReportFbError(error, QStringLiteral("ERROR（fnGetKamokuRec_Sub）"));

    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("ERROR（fnGetKamokuRec_Sub）\r\nErrCode<335544345>  SQLCODE<-901>\r\n"
                             "lock conflict on no wait transaction\r\r\n") +
                  codeText + QStringLiteral("\r\n"));
    const QStringList lines{QStringLiteral("ERROR（fnGetKamokuRec_Sub）"),
                            QStringLiteral("ErrCode<335544345>  SQLCODE<-901>"),
                            QStringLiteral("lock conflict on no wait transaction"),
                            QString(),
                            codeText,
                            QStringLiteral("PG_VERSION[]"),
                            QStringLiteral("DB_VERSION[]"),
                            QStringLiteral("Serial[]"),
                            QStringLiteral("Server[dbhost]"),
                            QStringLiteral("DatabaseName[dbhost:/srv/データ/0001/qmacc.fdb]"),
                            QStringLiteral("2024/03/05 06:07:08"),
                            QStringLiteral("経理PC01"),
                            QStringLiteral("100010010")};
    EXPECT_EQ(fileBytes(core::fbErrorTxtFile()), crlfCp932(lines));
    EXPECT_EQ(fileBytes(core::fbErrorLogFile()), crlfCp932(lines));

    core::ReportFbError(error, QStringLiteral("試算表読込"));
    QStringList second = lines;
    second[0] = QStringLiteral("試算表読込");
    EXPECT_EQ(fileBytes(core::fbErrorTxtFile()), crlfCp932(second));
    EXPECT_EQ(fileBytes(core::fbErrorLogFile()), crlfCp932(lines + second));
}

TEST(DetailMessage, MessageWithDetailAndCommaMessage) {
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scoped(messages);

    core::ShowMessageWithDetail(QString(), QString(), MessageKind::Error);
    EXPECT_TRUE(messages.messages.isEmpty());
    core::ShowMessageWithDetail(QString(), QStringLiteral("詳細"), MessageKind::Error);
    core::ShowMessageWithDetail(QStringLiteral("本文"), QString(), MessageKind::Information);
    ASSERT_EQ(messages.messages.size(), 2);
    EXPECT_EQ(messages.messages[0].text, QString());
    EXPECT_EQ(messages.messages[0].detail, QStringLiteral("詳細"));
    EXPECT_EQ(messages.messages[0].buttons, core::mbOK);
    EXPECT_EQ(messages.messages[1].text, QStringLiteral("本文"));
    EXPECT_EQ(messages.messages[1].detail, QString());
    EXPECT_EQ(messages.messages[1].kind, MessageKind::Information);

    messages.messages.clear();
    core::ShowCommaMessage(QStringLiteral("一行目,二行目,,四行目"), MessageKind::Warning);
    core::ShowCommaMessage(QStringLiteral("表示,ソ表//注釈,残り"), MessageKind::Warning);
    ASSERT_EQ(messages.messages.size(), 2);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("一行目\r二行目\r\r四行目\r"));
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages.messages[1].text, QStringLiteral("表示\rソ表\r"));
}

} // namespace
