// The communication settings, their cloud-share face and the web-meeting settings on a sample
// data set: ID shapes, password blanks, Esc, what is stored in which mode, the six ways through
// the cloud-share face, the web-meeting validation and dates, the browser opening and the
// mail-address page; the three modules by name.
#include "RegistryTestFixture.h"
#include "communication/DataTusin.h"
#include "communication/MeetingToolSetting.h"
#include "communication/TusinSettei.h"
#include "communication/WebPages.h"
#include "controls/dates/TallekExDateEdit.h"
#include "core/db/IBSQL.h"
#include "core/modules/ModuleRegistry.h"
#include "core/settings/AccReg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using communication::TfrmTusinSettei;
using communication::TMeetingToolSettingBox;

namespace {

// The area list answers from fields instead of the relay service.
class ScriptedDataTusin : public communication::TfmDataTusin {
public:
    ScriptedDataTusin(QWidget* owner, int line, QString name) : TfmDataTusin(owner), line_(line), name_(std::move(name)) {}
    int CloudShareSetting(const QString&) override { return Answer(); }
    int CloudShareAreaSelect(const QString&) override { return Answer(); }

private:
    int Answer()
    {
        LineChosen = line_ > 0 ? 1 : 0;
        SelectedLine = line_;
        SelectedDataName = name_;
        return 0;
    }
    int line_;
    QString name_;
};

class Settings : public registrytest::RegistryTest<Settings> {
protected:
    static void SetUpTestSuite() { createRoot({schema::sample::SampleKind::Ordinary}); }

    void SetUp() override
    {
        RegistryTest::SetUp();
        core::EditionFlag = 0;
        core::AppInfo.OEM.clear();
        core::SystemDef.DataFolder = root_->dataFolder(1);
        Store(QStringLiteral("abcd12345678"), QStringLiteral("pw1"), 0);
    }

    // The ID, password and line of the data set, which is then the open one.
    void Store(const QString& id, const QString& password, int line)
    {
        if (!dm.IBDatabaseDAT.connected())
            ASSERT_TRUE(dm.fnAccDatConnected(QString(), core::SystemDef.DataFolder, 0));
        Exec(QStringLiteral("UPDATE ACCDEF1 SET WEB_HOLDER='%1', PASWORD='%2', CLOUD_LINE=%3").arg(id, password).arg(line));
        ASSERT_TRUE(dm.fnGetAccInfo());
    }
    void Exec(const QString& sql)
    {
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        dm.IBTransactionDAT.startTransaction();
        q.sql() << sql;
        q.execSQL();
        dm.IBTransactionDAT.commit();
    }
    // WEB_HOLDER, PASWORD and CLOUD_LINE as stored, joined with " ".
    QString Stored()
    {
        const bool wasOpen = dm.IBDatabaseDAT.connected();
        if (!wasOpen)
            dm.fnAccDatConnected(QString(), core::SystemDef.DataFolder, 0);
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        dm.IBTransactionDAT.startTransaction();
        q.sql() << QStringLiteral("SELECT WEB_HOLDER, PASWORD, CLOUD_LINE FROM ACCDEF1 WHERE REC=1");
        q.execQuery();
        const QString row = q.fields(0).asString().trimmed() + QLatin1Char(' ') + q.fields(1).asString().trimmed()
                            + QLatin1Char(' ') + QString::number(q.fields(2).asInteger());
        q.close();
        dm.IBTransactionDAT.commit();
        return row;
    }
    static void WhenShown(QWidget* form, std::function<void()> action)
    {
        auto* timer = new QTimer(form);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, form, [form, timer, action] {
            if (!form->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            action();
        });
        timer->start();
    }
};

TEST_F(Settings, CommunicationSettingsIdPasswordAndEsc)
{
    // Stored IDs as shown: twelve characters in groups of four, anything else empty.
    struct IdCase {
        const char* stored;
        const char* shown;
    } ids[] = {{"abcd12345678", "abcd-1234-5678"}, {"abcd1234567", "    -    -    "}, {"ab cd1234 5678", "abcd-1234-5678"}};
    for (const IdCase& c : ids) {
        Store(QString::fromUtf8(c.stored), QStringLiteral("pw1"), 0);
        TfrmTusinSettei form;
        form.Prepare(1);
        EXPECT_EQ(form.ConIdText(), QString::fromUtf8(c.shown)) << c.stored;
    }
    // Password blanks are refused on leaving the field, inside or at the end.
    Store(QStringLiteral("abcd12345678"), QStringLiteral("pw1"), 0);
    TfrmTusinSettei form;
    form.Prepare(1);
    for (const char* typed : {"ab c", "abc ", "ab　c"}) {
        form.txtConPasswd->setText(QString::fromUtf8(typed));
        messages.messages.clear();
        EXPECT_FALSE(form.PasswordExit()) << typed;
        EXPECT_EQ(messageText(), QStringLiteral("パスワードはスペース（空白）なしの英数６桁以内で入力して下さい。"));
    }
    EXPECT_FALSE(TfrmTusinSettei::KeyPasses(QLatin1Char('-')));
    EXPECT_TRUE(TfrmTusinSettei::KeyPasses(QChar(22))); // Ctrl+V

    // Esc in mode 1 puts the loaded values back; closing then saves them, with the tick.
    form.txtConID->setText(QStringLiteral("zzzz-zzzz-zzzz"));
    form.EscClick();
    EXPECT_EQ(form.ConIdText(), QStringLiteral("abcd-1234-5678"));
    EXPECT_EQ(form.txtConPasswd->text(), QStringLiteral("pw1"));
    form.txtConPasswd->setText(QStringLiteral("new1"));
    form.CheckBox1->setChecked(true);
    form.F12Click();
    EXPECT_EQ(Stored(), QStringLiteral("abcd12345678 new1 0"));
    EXPECT_EQ(core::funcGetAccReg(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"), QStringLiteral("整数"), QStringLiteral("0")).toInt(), 1);

    // Mode 2 stores the cash-book pair and never the tick.
    TfrmTusinSettei cashBook;
    cashBook.SyoriType = 2;
    cashBook.Prepare(1);
    cashBook.txtConID->setText(QStringLiteral("cash-book-0001"));
    cashBook.txtConPasswd->setText(QStringLiteral("cb1"));
    cashBook.CheckBox1->setChecked(false);
    cashBook.F12Click();
    EXPECT_EQ(core::AccInf.TusinHolder[1], QStringLiteral("cashbook0001"));
    EXPECT_EQ(core::funcGetAccReg(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"), QStringLiteral("整数"), QStringLiteral("0")).toInt(), 1);
}

TEST_F(Settings, CommunicationSettingsRefusals)
{
    // Data on a cloud-share line: the message at opening, ID and password read-only.
    Store(QStringLiteral("abcd12345678"), QStringLiteral("pw1"), 2);
    {
        TfrmTusinSettei form;
        EXPECT_EQ(form.RunModule(false), 1);
        EXPECT_EQ(messageText(), QStringLiteral("クラウドシェアデータでは、通信ID及びパスワードは変更できません。"));
        EXPECT_FALSE(form.txtConID->isEnabled());
        EXPECT_FALSE(form.txtConPasswd->isEnabled());
        form.hide();
    }
    // Mode 2 with an approved journal entry does not open.
    Exec(QStringLiteral("INSERT INTO SIWAKE_SHONIN (SWKREC, SHONIN_OPCODE) SELECT FIRST 1 SWKREC, 12 FROM SIWAKE"));
    TfrmTusinSettei form;
    form.SyoriType = 2;
    messages.messages.clear();
    EXPECT_EQ(form.RunModule(true), -1);
    EXPECT_EQ(messageText(), QStringLiteral("現在ご利用中のデータは承認済み仕訳が含まれます。\r\n現金出納帳通信処理は行えません。"));
    Exec(QStringLiteral("DELETE FROM SIWAKE_SHONIN"));
}

TEST_F(Settings, CloudShareFace)
{
    const QString data = core::SystemDef.DataFolder;
    struct Case {
        const char* name;
        int line;                       // the data set's line before
        std::function<void(TfrmTusinSettei&)> act;
        std::deque<int> answers;
        int result;
        int newLine;
        const char* stored;
    };
    const auto chooseEmptyLine3 = [](TfrmTusinSettei& f) {
        f.NewDataTusin = [](QWidget* o) { return std::make_unique<ScriptedDataTusin>(o, 3, QString()); };
        f.RadioButton1->setChecked(true);
        f.KyouyuClick();
    };
    const auto notUse = [](TfrmTusinSettei& f) {
        f.RadioButton2->setChecked(true);
        f.F12Click();
        if (f.isVisible()) // the answer was No: still open on RadioButton2
            f.EscClick();
    };
    const auto changeId = [](TfrmTusinSettei& f) {
        f.txtConID->setText(QStringLiteral("wxyz-1234-5678"));
        f.F12Click();
    };
    const auto esc = [](TfrmTusinSettei& f) {
        f.txtConPasswd->setText(QStringLiteral("zz9"));
        f.EscClick();
    };
    std::vector<Case> cases = {
        {"area chosen", 0, chooseEmptyLine3, {}, 0, 3, "abcd12345678 pw1 3"},
        {"not used, Yes", 2, notUse, {core::mrYes}, 0, 0, "abcd12345678 pw1 0"},
        {"not used, No", 2, notUse, {core::mrNo}, 9, 2, "abcd12345678 pw1 2"},
        {"ID changed", 2, changeId, {}, 0, 0, "wxyz12345678 pw1 0"},
        {"Esc", 2, esc, {}, 9, 2, "abcd12345678 pw1 2"},
    };
    for (const Case& c : cases) {
        Store(QStringLiteral("abcd12345678"), QStringLiteral("pw1"), c.line);
        TfrmTusinSettei form;
        bool stayedOnNo = false;
        WhenShown(&form, [&] {
            messages.answers = c.answers;
            c.act(form);
            stayedOnNo = form.RadioButton2->isChecked();
        });
        EXPECT_EQ(form.ExecuteCloudShareSettei(data), c.result) << c.name;
        EXPECT_EQ(form.NewCloudLine, c.newLine) << c.name;
        EXPECT_EQ(Stored(), QString::fromUtf8(c.stored)) << c.name;
        if (c.line == 0)
            EXPECT_TRUE(form.LineEmpty) << c.name;
        if (c.answers == std::deque<int>{core::mrNo})
            EXPECT_TRUE(stayedOnNo);
    }
    EXPECT_EQ(TfrmTusinSettei().ExecuteCloudShareSettei(QString()), 1);

    // Mode 6 closed without an area: the question, then closed with the line untouched.
    Store(QStringLiteral("abcd12345678"), QStringLiteral("pw1"), 4);
    TfrmTusinSettei form;
    form.SyoriType = 6;
    WhenShown(&form, [&] { form.EscClick(); });
    messages.messages.clear();
    form.RunModule(true);
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("クラウドシェア領域を選択してください。\r\n選択せずに、画面を閉じますか？")));
    EXPECT_EQ(Stored(), QStringLiteral("abcd12345678 pw1 4"));
}

TEST_F(Settings, MeetingValidation)
{
    struct Case {
        bool use, mail;
        const char* url;
        const char* id;
        const char* message; // "" when valid
    } cases[] = {
        {true, false, "　 ", "", "Web会議のURLが入力されていません。"},
        {true, false, "HTTPS://zoom.us/j/1", "", "Web会議のURLが \"https://\" 又は \"http://\" で始まっていません。"},
        {true, false, "https://zoom.us/j/1", "", ""},
        {true, true, "http://zoom.us/j/1", "abcd-12", "通信ＩＤを設定する場合はスペース無しの英数12桁で入力してください。(-を含めると14桁)"},
        {true, true, "http://zoom.us/j/1", "abcd-1234-5678", ""},
        {false, true, "", "", ""}, // meeting off: no URL test, no ID test
    };
    for (const Case& c : cases) {
        TMeetingToolSettingBox box;
        box.Prepare(1);
        box.cboxMeetingUse->setChecked(c.use);
        box.cboxMailSousin->setChecked(c.mail);
        box.ApplyEnabling();
        box.MemoUrl->setPlainText(QString::fromUtf8(c.url));
        box.txtConID->setText(QString::fromUtf8(c.id));
        messages.messages.clear();
        EXPECT_EQ(box.Validate(), *c.message == 0) << c.url;
        EXPECT_EQ(messageText(), QString::fromUtf8(c.message)) << c.url;
    }
    // Data on a cloud-share line: the ID rows stay disabled with their red notes, and saving
    // writes the loaded ID and password back unchanged.
    Store(QStringLiteral("abcd12345678"), QStringLiteral("pw1"), 2);
    TMeetingToolSettingBox box;
    box.Prepare(1);
    box.cboxMeetingUse->setChecked(true);
    box.cboxMailSousin->setChecked(true);
    box.ApplyEnabling();
    box.MemoUrl->setPlainText(QStringLiteral("https://zoom.us/j/1"));
    EXPECT_FALSE(box.txtConID->isEnabled());
    EXPECT_EQ(box.Label6->text(), QStringLiteral("クラウドシェアデータのため変更できません"));
    box.OKClick();
    EXPECT_EQ(Stored(), QStringLiteral("abcd12345678 pw1 2"));
    EXPECT_EQ(core::funcGetAccReg(QStringLiteral("ＷＥＢ会議設定"), QStringLiteral("ＷＥＢ会議を行う"), QStringLiteral("整数"), QStringLiteral("0")).toInt(), 1);
}

TEST_F(Settings, MeetingDateAndBrowser)
{
    const QString group = QStringLiteral("ＷＥＢ会議設定");
    core::funcPutAccReg(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"), QStringLiteral("整数"), 0);
    core::funcPutAccReg(group, QStringLiteral("ＷＥＢ会議を行う"), QStringLiteral("整数"), 1);
    core::funcPutAccReg(group, QStringLiteral("ＵＲＬ"), QStringLiteral("文字"), QStringLiteral("file:///etc/passwd"));
    core::funcPutAccReg(group, QStringLiteral("開催日時"), QStringLiteral("日時"), QDateTime(QDate(2026, 12, 1), QTime(10, 30, 0)));
    QList<QUrl> opened;
    const auto previous = communication::OpenWebPage;
    communication::OpenWebPage = [&](const QUrl& url) { opened << url; };
    {
        // The notice mail off: nothing is asked.
        TMeetingToolSettingBox box;
        EXPECT_EQ(box.ConfirmBeforeSend(), 0);
        // Mode 2 opens only a web address.
        box.SyoriType = 2;
        EXPECT_EQ(box.RunModule(false), -1);
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_EQ(messageText(), QStringLiteral("Web会議のURLが \"https://\" 又は \"http://\" で始まっていません。"));
        box.MeetingUrl = QStringLiteral("https://zoom.us/j/1");
        box.RunModule(false);
        EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://zoom.us/j/1"))});

        // The date face holds the stored start with second 1; "別途連絡" stores 2 and no date.
        box.SyoriType = 1;
        box.Prepare(1);
        EXPECT_EQ(box.MeetingDate, QDateTime(QDate(2026, 12, 1), QTime(10, 30, 1)));
        box.btnContactLater->setChecked(true);
        box.OKClick();
        EXPECT_EQ(box.DateMode, 2);
        EXPECT_EQ(core::funcGetAccReg(group, QStringLiteral("開催日時を指定"), QStringLiteral("整数"), QStringLiteral("2")).toInt(), 2);
        const QDateTime stored = core::funcGetAccReg(group, QStringLiteral("開催日時"), QStringLiteral("日時"), QStringLiteral("0.0")).toDateTime();
        EXPECT_TRUE(!stored.isValid() || stored == QDateTime(QDate(1899, 12, 30), QTime(0, 0))) << stored.toString().toStdString();
    }
    communication::OpenWebPage = previous;

    // The mail-address page: scheme, host and path kept, the ID without "-".
    EXPECT_EQ(communication::MailAddressUrl(QStringLiteral("relay.example.jp"), QStringLiteral("ab1d-1234-5678")).toString(QUrl::FullyEncoded),
              QStringLiteral("https://relay.example.jp/VxMailAccountEdit?fname=ab1d12345678"));
}

TEST_F(Settings, ModulesByNameAndTheirParameters)
{
    communication::RegisterDataTusinModule();
    communication::RegisterTusinSetteiModule();
    communication::RegisterMeetingToolSettingModule();
    struct Case {
        const char* module;
        QStringList params;
        int type;
    } cases[] = {
        {"vxdatatusin", {QStringLiteral("SyoriType=8"), QStringLiteral("FormStyle=2")}, 8},
        {"VxTusinSettei", {QStringLiteral("SyoriType=2")}, 2},
        {"VxTusinSettei", {QStringLiteral("SyoriType=x")}, 1},
        {"VxMeetingToolSetting", {QStringLiteral("SyoriType=1")}, 1},
        {"VxMeetingToolSetting", {QStringLiteral("SyoriType=x")}, 0},
    };
    for (const Case& c : cases) {
        auto module = core::ModuleRegistry().create(QString::fromUtf8(c.module), nullptr);
        ASSERT_TRUE(module) << c.module;
        module->SetModuleParams(c.params);
        int type = -99;
        if (auto* f = dynamic_cast<communication::TfmDataTusin*>(module.get()))
            type = f->SyoriType();
        else if (auto* f = dynamic_cast<TfrmTusinSettei*>(module.get()))
            type = f->SyoriType;
        else if (auto* f = dynamic_cast<TMeetingToolSettingBox*>(module.get()))
            type = f->SyoriType;
        EXPECT_EQ(type, c.type) << c.module << " " << c.params.join(u',').toStdString();
    }
}

} // namespace
