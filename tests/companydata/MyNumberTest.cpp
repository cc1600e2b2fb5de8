// The My Number settings, their stored form, the audit log and the password prompt, on company
// databases made by the schema scripts.
#include "SysDefTestSupport.h"

#include "companydata/MyNumberCodec.h"
#include "companydata/MyNumberIO.h"
#include "core/Exception.h"

#include <QFile>

namespace {

using companydata::TMyNumberIO;
using companydata::TMyNumberLogRec;
using sysdeftest::SysDefFixture;

const QDateTime kT0(QDate(2026, 3, 4), QTime(10, 20, 30));

class MyNumberTest : public SysDefFixture {
protected:
    static void SetUpTestSuite() {
        SysDefFixture::SetUpTestSuite();
        // A second data set of the same schema, for the merge.
        ASSERT_TRUE(QDir().mkpath(otherFolder()));
        ASSERT_TRUE(QFile::copy(companyFile(), otherFile()));
    }
    static QString otherFolder() { return root->filePath(QStringLiteral("data/0002")); }
    static QString otherFile() { return otherFolder() + QStringLiteral("/qmacc.fdb"); }

    void SetUp() override {
        SysDefFixture::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.Serial = QStringLiteral("SER-1");
        core::SystemDef.LoginCode = 12;
        core::SystemDef.OPNAME = QStringLiteral("山田");
        core::SystemDef.ComputerName = QStringLiteral("PC01");
        const QStringList reset = {QStringLiteral("DELETE FROM MYNUMBER_LOG"), QStringLiteral("DELETE FROM ACCREG"),
                                   QStringLiteral("DELETE FROM ACCDEF1"),
                                   QStringLiteral("INSERT INTO ACCDEF1 (REC, SHOUGOU) VALUES (1, '株式会社見本')")};
        execCompany(reset);
        execOn(otherFile(), reset);
    }

    static int logRows(const QString& file, const QString& where = QStringLiteral("1=1")) {
        return storedOn(file, QStringLiteral("SELECT COUNT(*) FROM MYNUMBER_LOG WHERE ") + where).toInt();
    }
    static QString accReg(const QString& key) {
        return storedOn(companyFile(),
                        QStringLiteral("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='%1'").arg(key));
    }
    TMyNumberLogRec row(const QDateTime& time, const QString& host = QStringLiteral("PC01")) {
        TMyNumberLogRec r;
        TMyNumberIO::InitLogRec(r, companydata::kMyNumberSavedWith, QStringLiteral("バックアップ"));
        r.Hizuke = time;
        r.Host = host;
        return r;
    }
};

TEST_F(MyNumberTest, CodecRoundTripsToPrintableAscii) {
    for (const QString& text : {QString(), QStringLiteral("abc12345"), QStringLiteral("ｱｲｳ漢字ソ表"),
                                QStringLiteral(" pad "), QString(300, u'z')}) {
        const QString encoded = companydata::EncodeMyNumberSetting(text);
        EXPECT_EQ(companydata::DecodeMyNumberSetting(encoded), text);
        for (const QChar c : encoded)
            EXPECT_TRUE(c.unicode() > 0x20 && c.unicode() < 0x7F) << encoded.toStdString();
        EXPECT_TRUE(text.isEmpty() || !encoded.contains(text));
    }
    EXPECT_THROW(companydata::DecodeMyNumberSetting(QStringLiteral("abc")), core::Exception);
    EXPECT_THROW(companydata::DecodeMyNumberSetting(QStringLiteral("ZZ")), core::Exception);
}

TEST_F(MyNumberTest, LogRowTextsAndCuts) {
    struct Case {
        quint8 state;
        const char16_t* proc;
        const char16_t* comment;
    };
    const Case cases[] = {
        {7, u"データ受信", u"マイナンバー情報を含むデータが受信されました。"},
        {7, u"データ選択", u"マイナンバー情報を含むデータが復元されました。"},
        {6, u"データ送信", u"マイナンバー情報を含むデータが送信されました。"},
        {6, u"バックアップ", u"マイナンバー情報を含むデータが保存されました。"},
        {8, u"送信", u"マイナンバー情報を含めずにデータが送信されました。"},
        {3, u"アプリケーション", u"マイナンバー情報が削除されました。"},
        {9, u"x", u"マイナンバー管理パスワードを既定値に設定しました。"},
        {0, u"x", u"マイナンバー情報**されました。"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(companydata::MyNumberLogComment(c.state, QString::fromUtf16(c.proc)), QString::fromUtf16(c.comment));

    // 59 bytes and a double-byte character: the cut at 60 (and 40) never keeps half of it.
    core::SystemDef.ComputerName = QString(59, u'h') + QStringLiteral("漢");
    TMyNumberLogRec r;
    TMyNumberIO::InitLogRec(r, 7, QString(39, u'p') + QStringLiteral("受信"));
    EXPECT_EQ(r.Host, QString(59, u'h'));
    EXPECT_EQ(r.ProcName, QString(39, u'p'));
    EXPECT_EQ(r.Comment, QStringLiteral("マイナンバー情報を含むデータが復元されました。"));
    EXPECT_EQ(r.OpCode, QStringLiteral("12"));
    EXPECT_EQ(r.Serial, QStringLiteral("SER-1"));
    EXPECT_FALSE(r.Hizuke.isValid());
}

TEST_F(MyNumberTest, AddLogRetriesAFreshTimeOnTheUniqueKey) {
    TMyNumberIO io;
    TMyNumberLogRec first = row(kT0);
    io.AddLog(first);
    ASSERT_EQ(logRows(companyFile()), 1);

    // Two colliding times, then a free one: the row is written with the time that worked.
    QList<QDateTime> clock = {kT0, kT0, kT0.addSecs(1)};
    io.Now = [&] { return clock.takeFirst(); };
    TMyNumberLogRec second = row(QDateTime());
    io.AddLog(second);
    EXPECT_EQ(second.Hizuke, kT0.addSecs(1));
    EXPECT_EQ(logRows(companyFile()), 2);

    // Four collisions: no report and no row.
    io.Now = [] { return kT0; };
    TMyNumberLogRec third = row(QDateTime());
    io.AddLog(third);
    EXPECT_EQ(logRows(companyFile()), 2);
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();

    io.GetLogList(true);
    EXPECT_EQ(io.TradeName, QStringLiteral("株式会社見本"));
    ASSERT_EQ(io.LogCount, 2);
    EXPECT_EQ(io.LogList[0].Hizuke, kT0.addSecs(1));
    EXPECT_EQ(io.LogList[1].Comment, QStringLiteral("マイナンバー情報を含むデータが保存されました。"));
    EXPECT_EQ(io.LogList[1].OpName, QStringLiteral("山田"));

    io.DeleteLog(first);
    EXPECT_EQ(logRows(companyFile()), 1);
}

TEST_F(MyNumberTest, MergeAddsOnlyMissingRowsOfTheSameCompany) {
    TMyNumberIO io;
    for (TMyNumberLogRec r : {row(kT0), row(kT0.addSecs(5)), row(kT0.addSecs(9), QStringLiteral("PC02"))})
        io.AddLog(r);
    io.GetLogList(false);
    ASSERT_EQ(io.LogCount, 3);
    // The other data set already has the first row.
    execOn(otherFile(), {QStringLiteral("INSERT INTO MYNUMBER_LOG (FHIZUKE,FSERIAL,FOPCODE,FHOST) "
                                        "VALUES ('2026-03-04 10:20:30','SER-1','12','PC01')")});
    dm.AccDatDisconnect(companyFolder(), 0, 0);

    io.MergeLog(QString(), otherFile());
    EXPECT_EQ(logRows(otherFile()), 3);
    io.MergeLog(QString(), otherFile());
    EXPECT_EQ(logRows(otherFile()), 3);
    EXPECT_FALSE(dm.IBDatabaseDAT.connected()); // closed again after the work

    execOn(otherFile(), {QStringLiteral("DELETE FROM MYNUMBER_LOG"),
                         QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='別会社' WHERE REC=1")});
    io.MergeLog(QString(), otherFile());
    EXPECT_EQ(logRows(otherFile()), 0);

    TMyNumberIO other;
    other.GetLogListOfData(QString(), otherFile());
    EXPECT_EQ(other.TradeName, QStringLiteral("別会社"));
    EXPECT_EQ(other.LogCount, 0);
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(MyNumberTest, ClearingAndWritingBackLeavesTheSettingsAsTheyWere) {
    TMyNumberIO setup;
    setup.UseMyNumber = 1;
    setup.MyNumberKey = QStringLiteral("Pass1234");
    setup.MyNumberValue = QStringLiteral("値ソ");
    setup.PutMyNumberSetting(QString(), companyFile());
    EXPECT_EQ(accReg(QStringLiteral("＃USE")), QStringLiteral("1"));
    EXPECT_EQ(accReg(QStringLiteral("＃KEY")), companydata::EncodeMyNumberSetting(QStringLiteral("Pass1234")));

    TMyNumberIO io;
    io.GetMyNumberSetting(QString(), companyFile(), QStringLiteral("MyNumber_Clear"), QString());
    EXPECT_EQ(io.UseMyNumber, 1);
    EXPECT_EQ(io.MyNumberKey, QStringLiteral("Pass1234"));
    EXPECT_EQ(io.MyNumberValue, QStringLiteral("値ソ"));
    // What a backup taken now would hold.
    EXPECT_EQ(accReg(QStringLiteral("＃USE")), QStringLiteral("0"));
    EXPECT_EQ(accReg(QStringLiteral("＃KEY")), QStringLiteral("<no row>"));
    EXPECT_EQ(accReg(QStringLiteral("＃VALUE")), QStringLiteral("<no row>"));
    EXPECT_EQ(logRows(companyFile(), QStringLiteral("FSTATE=3 AND FPROCNAME='アプリケーション' AND "
                                                     "FCOMMENT='マイナンバー情報が削除されました。'")),
              1);

    io.PutMyNumberSetting(QString(), companyFile());
    EXPECT_EQ(accReg(QStringLiteral("＃USE")), QStringLiteral("1"));
    EXPECT_EQ(logRows(companyFile()), 0);
    TMyNumberIO after;
    after.GetMyNumberSetting(QString(), companyFile(), QString(), QString());
    EXPECT_EQ(after.UseMyNumber, 1);
    EXPECT_EQ(after.MyNumberKey, QStringLiteral("Pass1234"));
    EXPECT_EQ(after.MyNumberValue, QStringLiteral("値ソ"));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();

    // While another data set is open, its connection is not used for this one: nothing happens.
    TMyNumberIO clearing;
    clearing.GetMyNumberSetting(QString(), otherFile(), QStringLiteral("MYNUMBER_CLEAR"), QString());
    EXPECT_EQ(clearing.UseMyNumber, 0);
    EXPECT_EQ(accReg(QStringLiteral("＃USE")), QStringLiteral("1"));
    EXPECT_EQ(logRows(companyFile()), 0);

    // A data set that does not exist: nothing happens.
    TMyNumberIO missing;
    missing.GetMyNumberSetting(QString(), work.filePath(QStringLiteral("qmacc.fdb")), QString(), QString());
    EXPECT_EQ(missing.UseMyNumber, 0);
}

TEST_F(MyNumberTest, PasswordPrompt) {
    struct Case {
        const char* name;
        quint8 admin;
        QString stored;
        std::deque<std::optional<QString>> answers;
        bool result;
        int prompts;
    };
    const Case cases[] = {
        {"not an administrator", 0, QStringLiteral("abc"), {}, true, 0},
        {"no stored password", 1, QString(), {}, false, 0},
        {"right at once, blanks trimmed", 1, QStringLiteral("abc"), {QStringLiteral("　abc ")}, true, 1},
        {"right on the third try", 1, QStringLiteral("abc"),
         {QStringLiteral("x"), QStringLiteral("ABC"), QStringLiteral("abc")}, true, 3},
        {"three wrong", 1, QStringLiteral("abc"), {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"),
                                                   QStringLiteral("abc")}, false, 3},
        {"cancel", 1, QStringLiteral("abc"), {QStringLiteral("x"), std::nullopt}, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        core::SystemDef.MyNumberAdmin = c.admin;
        messages.prompts.clear();
        messages.textAnswers = c.answers;
        EXPECT_EQ(companydata::AskMyNumberPassword(c.stored), c.result);
        ASSERT_EQ(messages.prompts.size(), c.prompts);
        for (int i = 0; i < c.prompts; ++i) {
            const core::TextRequest& p = messages.prompts[i];
            EXPECT_EQ(p.caption, QStringLiteral("マイナンバー管理パスワードの確認"));
            EXPECT_TRUE(p.password);
            EXPECT_EQ(p.maxLength, 8);
            EXPECT_TRUE(p.initialText.isEmpty());
            EXPECT_EQ(p.prompt, i == 0 ? QStringLiteral("マイナンバー管理パスワードを入力して下さい。")
                                       : QStringLiteral("正しいパスワードを入力して下さい。"));
            EXPECT_EQ(p.promptColor, i == 0 ? std::optional<quint32>() : std::optional<quint32>(255));
        }
    }
}

} // namespace
