// The cloud-share entry points of the data-communication form against the fake relay and FTP
// services: send, receive and release of the open data's line, the up-to-date receive, lines in
// use by someone else, the refusals before any request, the two list runs and the receive into
// a new folder; the module parameters and the launch by name.
#include "RegistryTestFixture.h"
#include "communication/DataTusin.h"
#include "controls/grid/TxGrid.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/modules/ModuleRegistry.h"
#include "core/net/NetSettings.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QPushButton>
#include <QFile>
#include <QTimer>

using communication::TfmDataTusin;

namespace {

class CloudShare : public registrytest::RegistryTest<CloudShare> {
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
        core::SystemDef.JobLevel = 9;
        core::SystemDef.OPNAME = QStringLiteral("TANAKA");
        core::SystemDef.DataFolder = root_->dataFolder(1);
        SetLine(4);
    }

    // Stores the communication ID, password and cloud-share line in the data set and opens it.
    void SetLine(int line)
    {
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), core::SystemDef.DataFolder, 0));
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        dm.IBTransactionDAT.startTransaction();
        q.sql() << QStringLiteral("UPDATE ACCDEF1 SET WEB_HOLDER='ID1', PASWORD='pw1', CLOUD_LINE=%1, CLOUD_TIME=NULL").arg(line);
        q.execSQL();
        dm.IBTransactionDAT.commit();
        ASSERT_TRUE(dm.fnGetAccInfo());
    }

    std::unique_ptr<TfmDataTusin> Form()
    {
        auto form = std::make_unique<TfmDataTusin>();
        form->Control().StepPauseMs = 0;
        return form;
    }

    QStringList Scodes() const
    {
        QStringList codes;
        for (const QString& line : fake->LoggedRequests())
            codes << line.mid(QStringLiteral("GET /request.php?Scode=").size(), 4);
        return codes;
    }

    // Runs the action once the form's modal list is on the screen.
    static void WhenShown(TfmDataTusin* form, std::function<void()> action)
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

    static inline std::unique_ptr<testsupport::FakeServices> fake;
};

TEST_F(CloudShare, SendReceiveAndRelease)
{
    const QString data = core::SystemDef.DataFolder;
    EXPECT_EQ(Form()->CloudShareSend(data, QString(), 1), 0) << messageText().toStdString();
    EXPECT_FALSE(dm.IBDatabaseDAT.connected()); // the send leaves the data closed
    // The line's time equals the data's: the receive only checks the line out.
    messages.messages.clear();
    auto receive = Form();
    EXPECT_EQ(receive->CloudShareReceive(data, 1, 0), 0) << messageText().toStdString();
    EXPECT_EQ(Scodes().mid(Scodes().size() - 2), (QStringList{QStringLiteral("1725"), QStringLiteral("1833")}));
    EXPECT_TRUE(receive->ReceivedDataFolder().isEmpty());
    EXPECT_EQ(Form()->CloudShareRelease(data), 0);
    EXPECT_EQ(Scodes().last(), QStringLiteral("1730"));

    // A data set whose time differs receives the line's copy.
    SetLine(4);
    dm.AccDatDisconnect(QString(), 0, 0);
    auto full = Form();
    EXPECT_EQ(full->CloudShareReceive(data, 1, 0), 0) << messageText().toStdString();
    EXPECT_EQ(full->ReceivedDataFolder(), data);
    EXPECT_EQ(full->Control().Restored, 1);
}

TEST_F(CloudShare, LineInUseByAnotherIsRefusedInEveryMode)
{
    const QString data = core::SystemDef.DataFolder;
    ASSERT_EQ(Form()->CloudShareSend(data, QString(), 1), 0) << messageText().toStdString();
    // Another operator checks the line out (same times: the up-to-date shortcut would apply).
    core::SystemDef.OPNAME = QStringLiteral("SUZUKI");
    ASSERT_EQ(Form()->CloudShareReceive(data, 1, 0), 0);
    core::SystemDef.OPNAME = QStringLiteral("TANAKA");
    core::SystemDef.OPCODE = 100000011;
    messages.messages.clear();
    const qsizetype before = Scodes().size();
    auto form = Form();
    EXPECT_EQ(form->CloudShareReceive(data, 1, 0), 1);
    EXPECT_EQ(Scodes().mid(before), QStringList{QStringLiteral("1725")}); // nothing checked out
    ASSERT_EQ(messages.messages.size(), 1);
    const QString text = messageText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("現在使用中のため選択できません。\r\nオペレータコード: [ 10 ]\r\nオペレータ名:     [ SUZUKI ]\r\nコンピュータ名:   [ ")))
        << text.toStdString();
    EXPECT_EQ(form->Control().InUseOpCode, QStringLiteral("10"));

    // Operator texts as the message shows them: a code only when the first four read as a number.
    struct Case {
        const char* op;
        const char* code;
        const char* name;
    } cases[] = {{"0012ITO", "12", "ITO"}, {"ab", "", ""}, {"x1y2NAME", "", "NAME"}};
    for (const Case& c : cases) {
        form->Control().ServerInfo[150] = QString::fromUtf8(c.op);
        form->Control().ServerInfo[160] = QStringLiteral("PC9");
        const QString m = form->Control().InUseMessage(0);
        EXPECT_EQ(form->Control().InUseOpCode, QString::fromUtf8(c.code)) << c.op;
        EXPECT_EQ(form->Control().InUseOpName, QString::fromUtf8(c.name)) << c.op;
        EXPECT_TRUE(m.endsWith(QStringLiteral("コンピュータ名:   [ PC9 ]"))) << c.op;
    }
}

TEST_F(CloudShare, RefusalsBeforeAnyRequest)
{
    const QString data = core::SystemDef.DataFolder;
    EXPECT_EQ(Form()->CloudShareSend(QString(), QString(), 0), 1);
    SetLine(0);
    EXPECT_EQ(Form()->CloudShareSend(data, QString(), 0), 1);
    EXPECT_EQ(messageText(), QStringLiteral("クラウドシェア領域が選択されていません。"));
    SetLine(0);
    EXPECT_EQ(Form()->CloudShareRelease(data), 1);
    EXPECT_TRUE(fake->LoggedRequests().isEmpty());
    SetLine(0);
    messages.messages.clear();
    EXPECT_EQ(Form()->CloudShareReceive(data, 1, 0), 1);
    EXPECT_EQ(messageText(), QStringLiteral("クラウド領域を選択していません。"));
    // A line without data.
    SetLine(4);
    messages.messages.clear();
    EXPECT_EQ(Form()->CloudShareReceive(data, 1, 0), 1);
    EXPECT_EQ(messageText(), QStringLiteral("設定された領域にはデータがありません。 "));
}

TEST_F(CloudShare, ListRunsAndReceiveIntoANewFolder)
{
    const QString data = core::SystemDef.DataFolder;
    // An empty list: 0, nothing chosen.
    auto setting = Form();
    WhenShown(setting.get(), [&] { setting->reject(); });
    EXPECT_EQ(setting->CloudShareSetting(data), 0);
    EXPECT_EQ(setting->LineChosen, 0);
    EXPECT_EQ(setting->Grid()->Cells(2, 3), QString());
    // A failing information request: 1 and no list.
    fake->Command(QStringLiteral("code 1725 920"));
    EXPECT_EQ(Form()->CloudShareAreaSelect(data), 1);
    fake->Command(QStringLiteral("reset"));

    ASSERT_EQ(Form()->CloudShareSend(data, QString(), 1), 0) << messageText().toStdString();
    // The list shows the line; area selection refuses it, the settings list takes it.
    auto area = Form();
    WhenShown(area.get(), [&] {
        area->Grid()->SetRow(3);
        area->ChooseLine();
        area->reject();
    });
    messages.messages.clear();
    EXPECT_EQ(area->CloudShareAreaSelect(data), 0);
    EXPECT_EQ(area->LineChosen, 0);
    EXPECT_EQ(messageText(), QStringLiteral("翌年度更新処理中の場合は、空白行を選択してください。"));
    EXPECT_EQ(area->Grid()->Cells(1, 3), QStringLiteral("未使用"));
    EXPECT_EQ(area->Grid()->Cells(5, 3), QStringLiteral("-"));
    EXPECT_FALSE(area->Grid()->Cells(6, 3).isEmpty());
    auto chosen = Form();
    WhenShown(chosen.get(), [&] {
        chosen->Grid()->SetRow(3);
        // A line of data with another password is refused and the list stays.
        core::AccInf.PASWORD = QStringLiteral("other");
        chosen->ChooseLine();
        core::AccInf.PASWORD = QStringLiteral("pw1");
        if (chosen->isVisible())
            chosen->ChooseLine();
    });
    messages.messages.clear();
    EXPECT_EQ(chosen->CloudShareSetting(data), 0);
    EXPECT_EQ(messageText(), QStringLiteral("クラウド領域のデータと現在選択中のデータのパスワードが一致しません。"));
    EXPECT_EQ(chosen->LineChosen, 1);
    EXPECT_EQ(chosen->SelectedLine, 4);

    auto fresh = Form();
    EXPECT_EQ(fresh->CloudShareReceiveNew(data, 0), 0) << messageText().toStdString();
    const QString target = core::SystemDef.TempDir + QStringLiteral("/receive");
    EXPECT_EQ(fresh->ReceivedDataFolder(), target);
    EXPECT_TRUE(QFile::exists(target + QStringLiteral("/qmacc.fdb")));

    // No registry rows of the group: an empty list even with the server's line.
    core::SystemDef.GROUPID = 9999; // a group without rows
    auto empty = Form();
    WhenShown(empty.get(), [&] { empty->reject(); });
    EXPECT_EQ(empty->CloudShareSetting(data), 0);
    EXPECT_EQ(empty->Grid()->Cells(2, 3), QString());
    EXPECT_EQ(empty->LineChosen, 0);
}

// A form whose password confirmation answers from a field and records the expected password.
class AnsweringForm : public TfmDataTusin {
public:
    bool answer = true;
    QString expected;
    bool ConfirmPassword(const QString&, const QString&, const QString&, const QString& password) override
    {
        expected = password;
        return answer;
    }
};

TEST_F(CloudShare, ReleaseOfALineInUseFromTheList)
{
    const QString data = core::SystemDef.DataFolder;
    ASSERT_EQ(Form()->CloudShareSend(data, QString(), 1), 0) << messageText().toStdString();
    ASSERT_EQ(Form()->CloudShareReceive(data, 1, 0), 0); // checks the line out: in use
    SetLine(4);
    AnsweringForm form;
    form.Control().StepPauseMs = 0;
    QStringList seen;
    WhenShown(&form, [&] {
        form.Grid()->SetRow(2); // a blank line: F5 only
        form.UpdateCloudKeys();
        seen << QStringLiteral("%1 %2").arg(form.F4Button()->isEnabled()).arg(form.F5Button()->isEnabled());
        form.Grid()->SetRow(3);
        form.UpdateCloudKeys();
        seen << form.Grid()->Cells(1, 3);
        seen << QStringLiteral("%1 %2").arg(form.F4Button()->isEnabled()).arg(form.F5Button()->isEnabled());
        form.answer = false;
        form.ReleaseLine();
        seen << form.Grid()->Cells(1, 3);
        form.answer = true;
        form.ReleaseLine();
        seen << form.Grid()->Cells(1, 3) << form.Grid()->Cells(5, 3);
        seen << QStringLiteral("%1 %2").arg(form.F4Button()->isEnabled()).arg(form.F5Button()->isEnabled());
        form.reject();
    });
    messages.messages.clear();
    const qsizetype before = Scodes().size();
    EXPECT_EQ(form.CloudShareSetting(data), 0);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("0 1"), QStringLiteral("使用中"), QStringLiteral("1 0"),
                                 QStringLiteral("使用中"), QStringLiteral("未使用"), QStringLiteral("-"),
                                 QStringLiteral("0 1")}));
    EXPECT_EQ(form.expected, QStringLiteral("pw1"));
    EXPECT_EQ(Scodes().mid(before), (QStringList{QStringLiteral("1725"), QStringLiteral("1730")}));
    EXPECT_EQ(messageText(), QStringLiteral("使用中を解除しました。"));
    EXPECT_EQ(form.LineChosen, 0);
}

TEST_F(CloudShare, ModuleParamsAndLaunchByName)
{
    struct Case {
        QStringList lines;
        int type;
        int style;
    } cases[] = {
        {{QStringLiteral("SyoriType=8"), QStringLiteral("FormStyle=2")}, 8, communication::fsNormal},
        {{QStringLiteral("SyoriType=-1")}, 5, communication::fsMdiChild},
        {{QStringLiteral("SyoriType=x"), QStringLiteral("FormStyle=1")}, 5, communication::fsMdiForm},
        {{QStringLiteral("FormStyle=7")}, 5, communication::fsStayOnTop},
    };
    for (const Case& c : cases) {
        TfmDataTusin form;
        form.Control().SyoriType = 5;
        form.SetModuleParams(c.lines);
        EXPECT_EQ(form.SyoriType(), c.type) << c.lines.join(u',').toStdString();
        EXPECT_EQ(form.FormStyle, c.style) << c.lines.join(u',').toStdString();
    }
    communication::RegisterDataTusinModule();
    auto module = core::ModuleRegistry().create(QStringLiteral("vxdatatusin"), nullptr);
    ASSERT_TRUE(module);
    EXPECT_TRUE(dynamic_cast<TfmDataTusin*>(module.get()));
}

} // namespace
