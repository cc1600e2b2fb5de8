// The data-communication module run by its module name: the refusals before the server, the
// cash-book send's completion only after a finished send, the master send and the receive
// against the blocks of the fake relay server, the list dialog's keys and focused-row colours,
// and the comparison window's faces.
#include "RegistryTestFixture.h"
#include "communication/DataTusin.h"
#include "communication/HikakuMess.h"
#include "communication/RelayRequest.h"
#include "controls/grid/ColorRef.h"
#include "controls/grid/TxGrid.h"
#include "core/modules/ManualPage.h"
#include "core/net/NetSettings.h"
#include "core/net/RelayExchange.h"
#include "tests/support/FakeServices.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using communication::TCloudShareCtl;
using communication::TfmDataTusin;

namespace {

// A cash-book sender whose preparation and completion succeed.
class GoodSender : public communication::ICashBookSender {
public:
    void SetSendKind(int) override {}
    void SetSendMode(int) override {}
    void Execute() override {}
    int GetSyoriResult() const override { return 1; }
};

class Dispatcher : public registrytest::RegistryTest<Dispatcher> {
protected:
    static void SetUpTestSuite()
    {
        createRoot({schema::sample::SampleKind::Ordinary});
        fake = std::make_unique<testsupport::FakeServices>();
    }
    static void TearDownTestSuite()
    {
        fake.reset();
        RegistryTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        RegistryTest::SetUp();
        fake->Command(QStringLiteral("reset"));
        core::net::SetNetSettings(fake->Settings());
        core::EditionFlag = 0;
        core::SystemDef.Reserve4Switch9 = 0;
        core::SystemDef.WorkDir = folder(QStringLiteral("work"));
        core::SystemDef.TempDir = folder(QStringLiteral("temp"));
        core::SystemDef.DataFolder = root_->dataFolder(1);
        core::HostMenuHook = nullptr;
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), core::SystemDef.DataFolder, 0));
        ASSERT_TRUE(dm.fnGetAccInfo());
        core::AccInf.TusinHolder[1] = QStringLiteral("CB1");
        core::AccInf.TusinPassword[1] = QStringLiteral("cbpw");
        core::AccInf.WEB_HOLDER = QStringLiteral("ID1");
        core::AccInf.PASWORD = QStringLiteral("pw1");
        core::AccInf.CLOUD_LINE = 0;
        form = std::make_unique<TfmDataTusin>();
        ctl().StepPauseMs = 0;
        ctl().ShowHikaku = [this](const communication::THikakuLayout& layout) {
            shown << layout;
            return hikakuAnswer;
        };
        ctl().ProcRireki = [this](int state) { history << state; };
    }
    void TearDown() override
    {
        core::HostMenuHook = nullptr;
        form.reset();
        RegistryTest::TearDown();
    }

    TCloudShareCtl& ctl() { return form->Control(); }

    int Run(int type)
    {
        ctl().SyoriType = type;
        bool showDialog = false;
        return ctl().RunOperation(showDialog);
    }

    // Puts a cash-book data set into folder block + 1 of the fake, as the cash-book side sends it.
    static void PutBlock(int block, const QString& name, const QDate& start, const QString& password)
    {
        communication::TRelayRequest r(QStringLiteral("1810"), QString(), QStringLiteral("CB1"));
        r.Plain("fSname", communication::FolderText(block + 1)).Encoded("fSg", communication::EncodeRequestName(name));
        r.Plain("fNe", QStringLiteral("1")).Plain("fKis", start.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("0000"));
        r.Plain("fKie", start.addYears(1).addDays(-1).toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("0000"));
        r.Plain("fPa", password).Plain("fYobi", QStringLiteral("0901"));
        core::net::RelayExchange(r.Target(), fake->Settings());
    }

    static inline std::unique_ptr<testsupport::FakeServices> fake;
    std::unique_ptr<TfmDataTusin> form;
    QList<communication::THikakuLayout> shown;
    int hikakuAnswer = 0;
    QList<int> history;
};

TEST_F(Dispatcher, RefusalsBeforeTheServer)
{
    // A relay receive of cloud-shared data, unless in server-based computing.
    core::AccInf.CLOUD_LINE = 4;
    EXPECT_EQ(Run(communication::stDataReceive), -1);
    EXPECT_EQ(messageText(), QStringLiteral("クラウドシェアデータでデータ受信は実行できません。"));
    core::ConnectMode = 2;
    bool showDialog = false;
    ctl().SyoriType = communication::stDataReceive;
    EXPECT_EQ(ctl().RunOperation(showDialog), -1);
    EXPECT_TRUE(showDialog);
    core::ConnectMode = 0;
    core::AccInf.CLOUD_LINE = 0;

    // Other processing windows refuse every type but 7; the open upgrade window of the
    // cash-book product ends a send silently.
    core::HostMenuHook = [](int code, const QString&) { return code == 10 ? 1 : 0; };
    messages.messages.clear();
    EXPECT_EQ(Run(communication::stCashBookSend), -1);
    EXPECT_EQ(messageText(), QStringLiteral("　\r\n現在メニュー以外の画面を表示中なので、データ通信処理は行えません。\r\n "));
    ctl().TopLevelWindowExists = [](const QString& title) { return title == QStringLiteral("現金出納帳バージョンアップ"); };
    messages.messages.clear();
    EXPECT_EQ(Run(communication::stAutoSend), -1);
    EXPECT_TRUE(messages.messages.isEmpty()) << messageText().toStdString();
    core::HostMenuHook = nullptr;

    // Without a cash-book ID: type 6 gives 0, the others -1; nothing reaches the server.
    core::AccInf.TusinHolder[1].clear();
    EXPECT_EQ(Run(communication::stAutoReceive), 0);
    EXPECT_EQ(Run(communication::stCashBookReceive), -1);
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\n通信IDが設定されてません。通信設定で設定して下さい。\r\n "));
    EXPECT_TRUE(fake->LoggedRequests().isEmpty());
    EXPECT_TRUE(history.isEmpty());
}

TEST_F(Dispatcher, CashBookSendIsReportedFinishedOnlyAfterItFinished)
{
    const QString finished = QStringLiteral("　\r\n送信処理が終了しました。\r\n　");
    // The stand-in sender fails the completion: no completion message, result 0.
    ctl().Factories = communication::StandInFactories();
    messages.answers = {core::mrYes};
    EXPECT_EQ(Run(communication::stCashBookSend), 0);
    EXPECT_FALSE(messages.texts().contains(finished)) << messageText().toStdString();
    EXPECT_EQ(history, (QList<int>{0, 1}));

    // A finished send: the message and 1. Block 1 now holds our data with the same password,
    // name and period, so nothing is asked before the overwrite.
    ctl().Factories.NewCashBookSender = [] { return std::make_unique<GoodSender>(); };
    messages.messages.clear();
    messages.answers = {core::mrYes};
    EXPECT_EQ(Run(communication::stCashBookSend), 1) << messageText().toStdString();
    EXPECT_EQ(messages.texts().last(), finished);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(ctl().ConfirmOverwrite(1), 2);
    // Only the password differs: a plain question instead of the window.
    core::AccInf.TusinPassword[1] = QStringLiteral("other");
    messages.answers = {core::mrNo};
    EXPECT_EQ(ctl().ConfirmOverwrite(1), -1);
    EXPECT_EQ(messages.texts().last(), QStringLiteral("中継サーバーに下記相違点のあるデータが存在します。このまま送信して上書きしてもいいですか？\r\n\r\nパスワードが違います。"));
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(Dispatcher, MasterSendAndReceiveAgainstTheBlocks)
{
    const core::TACCINF& acc = core::AccInf;
    // Nothing waits: type 6 ends without a word, type 10 says so.
    EXPECT_EQ(Run(communication::stAutoReceive), 0);
    EXPECT_TRUE(messages.messages.isEmpty()) << messageText().toStdString();
    EXPECT_EQ(Run(communication::stCashBookSideReceive), 0);
    EXPECT_EQ(messageText(), QStringLiteral("　\r\n受信データがありません。\r\n "));

    // Data waiting in block 0 refuses the master send.
    PutBlock(0, QStringLiteral("別会社"), acc.KISHU, QStringLiteral("cbpw"));
    messages.messages.clear();
    messages.answers = {core::mrYes};
    EXPECT_EQ(Run(communication::stMasterSend), -1);
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\n受信処理を行ってから、マスター送信して下さい。\r\n "));

    // The receive of block 0 with another trade name: the refusal window, trade name only.
    messages.messages.clear();
    EXPECT_EQ(Run(communication::stCashBookReceive), -1);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].OkOnly);
    EXPECT_EQ(shown[0].Tops[4], 49);
    EXPECT_EQ(shown[0].Tops[7], 0);
    EXPECT_EQ(shown[0].ServerName, QStringLiteral("別会社"));

    // Another password: the message, no window.
    PutBlock(0, acc.SHOUGOU, acc.KISHU, QStringLiteral("other"));
    messages.messages.clear();
    EXPECT_EQ(Run(communication::stCashBookReceive), -1);
    EXPECT_EQ(messageText(), QStringLiteral("　\r\nパスワードが違います。\r\n "));
    EXPECT_EQ(shown.size(), 1);

    // Block 2 with another trade name asks; "いいえ" ends.
    PutBlock(2, QStringLiteral("別会社"), acc.KISHU, QStringLiteral("cbpw"));
    EXPECT_EQ(Run(communication::stAutoReceive), -1);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_FALSE(shown[1].OkOnly);
    EXPECT_EQ(shown[1].Label1Text, QStringLiteral("商号が違いますが、受信を続行しますか？"));
    EXPECT_EQ(ctl().ReceiveBlock, 2);
    EXPECT_EQ(ctl().MasterReceive, 1);
}

TEST_F(Dispatcher, RelayDialogClosesAfterASendAndStaysAfterARefusal)
{
    ctl().SyoriType = communication::stDataSend;
    ASSERT_TRUE(ctl().GetServerInfo());
    form->FillList();
    EXPECT_EQ(form->F12Button()->text(), QStringLiteral("F12:実  行"));
    EXPECT_EQ(form->F5Button()->text(), QStringLiteral("F5:ﾃﾞｰﾀ削除"));
    form->Grid()->SetRow(1);
    form->show();
    messages.answers = {core::mrNo};
    form->F12Click();
    EXPECT_TRUE(form->isVisible());
    messages.answers = {core::mrYes};
    form->F12Click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\nデータ送信処理が終了しました。\r\n ")) << messageText().toStdString();
}

// Each key clicks its own button on its release: Esc the cancel key, F1 to F8 and F12 theirs;
// F1 opens the operation's help page, F5 deletes (here: a blank folder, refused), F12 sends
// (here: refused at the question), the keys without a function do nothing; keys with Shift
// and keys without a button click nothing.
TEST_F(Dispatcher, KeysClickTheirButtonsOnRelease)
{
    ctl().SyoriType = communication::stDataSend;
    ASSERT_TRUE(ctl().GetServerInfo());
    form->FillList();
    form->Grid()->SetRow(1);
    QStringList clicked;
    for (QPushButton* button : form->findChildren<QPushButton*>())
        QObject::connect(button, &QPushButton::clicked, form.get(), [&clicked, button] { clicked << button->objectName(); });
    QStringList pages;
    const core::ManualPageOpener previous = core::SetManualPageOpener([&](const QString& path) { pages << path; });
    form->show();
    const QString noData = QStringLiteral("　\r\n選択したフォルダには、データは存在しません。\r\n ");
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers shift;
        const char* button;
        QString message;
    } cases[] = {
        {Qt::Key_F1, Qt::NoModifier, "F1", {}},
        {Qt::Key_F2, Qt::NoModifier, "F2", {}},
        {Qt::Key_F3, Qt::NoModifier, "F3", {}},
        {Qt::Key_F4, Qt::NoModifier, "F4", {}},
        {Qt::Key_F5, Qt::NoModifier, "F5", noData},
        {Qt::Key_F6, Qt::NoModifier, "F6", {}},
        {Qt::Key_F7, Qt::NoModifier, "F7", {}},
        {Qt::Key_F8, Qt::NoModifier, "F8", {}},
        {Qt::Key_F9, Qt::NoModifier, "", {}},
        {Qt::Key_F5, Qt::ShiftModifier, "", {}},
        {Qt::Key_F12, Qt::NoModifier, "F12", QStringLiteral("mrNo")},
    };
    for (const Case& c : cases) {
        clicked.clear();
        messages.messages.clear();
        messages.answers = {core::mrNo};
        QTest::keyClick(form->Grid(), c.key, c.shift);
        const std::string where = QKeySequence(c.key | c.shift).toString().toStdString();
        EXPECT_EQ(clicked.join(u','), QString::fromUtf8(c.button)) << where;
        if (c.message == QStringLiteral("mrNo"))
            EXPECT_TRUE(messages.answers.empty()) << where; // the question was asked and answered
        else
            EXPECT_EQ(messages.texts().join(u'|'), c.message) << where;
        EXPECT_TRUE(form->isVisible()) << where;
    }
    EXPECT_EQ(pages.size(), 1);
    EXPECT_TRUE(!pages.isEmpty() && pages[0].endsWith(QStringLiteral("tsusin01.html")));
    clicked.clear();
    QTest::keyClick(form->Grid(), Qt::Key_Escape);
    EXPECT_EQ(clicked, QStringList{QStringLiteral("ESC")});
    EXPECT_FALSE(form->isVisible());
    core::SetManualPageOpener(previous);
}

// The focused row of the receive list is blue on light blue, of every other list in the
// operator's highlight and text colours, always in a plain font; the row it leaves shows the
// grid's own colours and font again.
TEST_F(Dispatcher, FocusedRowColoursByType)
{
    core::SystemDef.ActiveColor = 0x246BFF; // stored as BGR
    core::SystemDef.ForeColor = 0x000000;
    core::SystemDef.ClientColor = 0xFFFFFF;
    const QColor orange(0xFF, 0x6B, 0x24);
    struct Case {
        int type;
        QColor back;
        QColor fore;
    } cases[] = {
        {communication::stDataSend, orange, Qt::black},
        {communication::stDataReceive, QColor(0xBB, 0xDA, 0xFF), QColor(0x00, 0x40, 0x80)},
        {communication::stServerCheck, orange, Qt::black},
        {communication::stCloudSetting, orange, Qt::black},
    };
    for (const Case& c : cases) {
        TfmDataTusin list;
        QFont bold = list.font();
        bold.setBold(true);
        list.setFont(bold);
        list.Control().SyoriType = c.type;
        list.FillList();
        controls::TxGrid& grid = *list.Grid();
        grid.SetRow(1);
        EXPECT_EQ(grid.RowBackColor(1), c.back) << c.type;
        EXPECT_EQ(grid.RowForeColor(1), c.fore) << c.type;
        EXPECT_FALSE(grid.RowFont(1).bold()) << c.type;
        EXPECT_EQ(grid.RowFont(1).family(), bold.family()) << c.type;
        EXPECT_EQ(grid.RowBackColor(0), QColor(Qt::white)) << c.type;
        grid.SetRow(2);
        EXPECT_EQ(grid.RowBackColor(1), QColor(Qt::white)) << c.type;
        EXPECT_EQ(grid.RowForeColor(1), grid.Colors().ForeColor) << c.type;
        EXPECT_EQ(grid.RowFont(1), grid.font()) << c.type;
        EXPECT_EQ(grid.RowBackColor(2), c.back) << c.type;
    }
}

// The send's comparison window as a table over the differences (password, name, period).
TEST(HikakuLayout, OverwriteFacesByDifference)
{
    struct Case {
        bool p, n, d;
        std::vector<std::pair<int, int>> tops; // label, top
        int buttonTop, height;
    } cases[] = {
        {true, true, true, {{3, 63}, {4, 87}, {5, 108}, {6, 124}, {7, 151}, {8, 172}, {9, 188}}, 226, 302},
        {true, true, false, {{3, 63}, {4, 89}, {5, 110}, {6, 126}}, 166, 242},
        {true, false, true, {{3, 63}, {7, 89}, {8, 110}, {9, 126}}, 166, 242},
        {false, true, true, {{4, 69}, {5, 90}, {6, 106}, {7, 133}, {8, 154}, {9, 170}}, 220, 300},
        {false, true, false, {{4, 69}, {5, 90}, {6, 106}}, 146, 222},
        {false, false, true, {{7, 69}, {8, 90}, {9, 106}}, 146, 222},
    };
    for (const Case& c : cases) {
        const communication::THikakuLayout l = communication::OverwriteLayout(c.p, c.n, c.d);
        std::array<int, 10> expected{};
        expected[1] = 16;
        expected[2] = 35;
        for (const auto& [label, top] : c.tops)
            expected[size_t(label)] = top;
        EXPECT_EQ(l.Tops, expected) << c.p << c.n << c.d;
        EXPECT_EQ(l.ButtonTop, c.buttonTop) << c.p << c.n << c.d;
        EXPECT_EQ(l.Height, c.height) << c.p << c.n << c.d;
        EXPECT_FALSE(l.OkOnly);
    }
}

TEST(HikakuLayout, ReceiveRefusalsWithAndWithoutTheSecondLine)
{
    using communication::TReceiveDiff;
    struct Case {
        TReceiveDiff diff;
        bool label2;
        int firstLabel, firstTop, buttonTop, height;
    } cases[] = {
        {TReceiveDiff::Period, true, 7, 69, 150, 230},       {TReceiveDiff::Period, false, 7, 49, 130, 210},
        {TReceiveDiff::NameAndPeriod, true, 4, 69, 220, 300}, {TReceiveDiff::NameAndPeriod, false, 4, 39, 190, 270},
        {TReceiveDiff::Name, true, 4, 69, 150, 230},         {TReceiveDiff::Name, false, 4, 49, 130, 210},
        {TReceiveDiff::NameQuestion, true, 4, 49, 130, 210},
    };
    for (const Case& c : cases) {
        const communication::THikakuLayout l = communication::ReceiveLayout(c.diff, c.label2);
        EXPECT_EQ(l.Tops[size_t(c.firstLabel)], c.firstTop) << int(c.diff) << c.label2;
        EXPECT_EQ(l.Tops[2], c.label2 && c.diff != TReceiveDiff::NameQuestion ? 35 : 0) << int(c.diff);
        EXPECT_EQ(l.Tops[3], 0);
        EXPECT_EQ(l.ButtonTop, c.buttonTop) << int(c.diff) << c.label2;
        EXPECT_EQ(l.Height, c.height) << int(c.diff) << c.label2;
        EXPECT_EQ(l.OkOnly, c.diff != TReceiveDiff::NameQuestion);
    }
    // The window takes a refusal face: one "ＯＫ" button, the answer ignored.
    communication::TfmHikakuMess2 window;
    window.Apply(communication::ReceiveLayout(TReceiveDiff::Period, false));
    EXPECT_EQ(window.Button1()->text(), QStringLiteral("ＯＫ"));
    EXPECT_TRUE(window.Button2()->isHidden());
    EXPECT_TRUE(window.Label(4)->isHidden());
    EXPECT_EQ(window.Label(8)->y(), 70);
    EXPECT_EQ(window.height(), 210);
}

} // namespace
