// The logged-on users list opened by its module name through the registry.

#include "dbupgrade/webmenu/TfmWebMenuL.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/modules/ModuleRegistry.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"
#include "tests/support/ModalAnswerer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace {

using namespace upgradetest;

QString insertLogin(int session, int code, const QString& pc)
{
    return QStringLiteral("INSERT INTO LOGONUSERLIST (OPCODE, GROUPID, OPERATORCODE, PCNAME) VALUES (%1, 10000, %2, '%3')")
        .arg(session)
        .arg(code)
        .arg(pc);
}

struct WebMenuCase {
    const char* name;
    QStringList logins;     // statements besides the own login
    int expectedResult;
    QStringList expectedRows; // "No|code|name"
};

class WebMenuLTest : public testing::TestWithParam<WebMenuCase> {};

TEST_P(WebMenuLTest, OpensThroughTheRegistry)
{
    const WebMenuCase& c = GetParam();
    UpgradeSession session;
    session.installSystemBase();
    QStringList statements{insertLogin(100000010, 10, QStringLiteral("PC-TEST"))};
    statements << c.logins;
    execute(session.systemFile(), statements);
    ASSERT_TRUE(core::DM->fnAccDefConnected(QString(), 0));

    dbupgrade::RegisterWebMenuLModule();
    std::unique_ptr<core::IModuleForm> module = core::ModuleRegistry().create(QStringLiteral("webmenul"), nullptr);
    ASSERT_TRUE(module);
    auto* form = dynamic_cast<dbupgrade::TfmWebMenuL*>(module.get());
    ASSERT_NE(form, nullptr);
    module->SetModuleParams(core::ModuleLaunchParams(QStringLiteral("SyoriType=1"), true));
    EXPECT_EQ(form->SyoriType, 1);
    EXPECT_EQ(form->FormStyle, 2);

    QStringList rows;
    testsupport::ModalAnswerer answerer;
    answerer.then([&](QWidget*) {
        QTimer::singleShot(0, form, [&] {
            for (int row = 0; row < form->PerfectGrid1->RowCount(); ++row)
                rows << form->PerfectGrid1->Cells(0, row) + QLatin1Char('|') + form->PerfectGrid1->Cells(1, row) +
                            QLatin1Char('|') + form->PerfectGrid1->Cells(2, row);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(form, &press); // Esc does nothing
            form->F12->Click();
        });
    });
    EXPECT_EQ(module->RunModule(true), c.expectedResult);
    if (!c.expectedRows.isEmpty())
        EXPECT_EQ(rows, c.expectedRows);
    else if (c.expectedResult == 1)
        EXPECT_EQ(rows.size(), 120);
    EXPECT_EQ(form->result(), c.expectedResult == 1 ? core::mrOk : core::mrCancel);
}

QStringList manyLogins()
{
    QStringList out;
    for (int i = 0; i < 120; ++i)
        out << insertLogin(100000012, 12, QStringLiteral("PC%1").arg(i));
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WebMenuLTest,
    testing::Values(WebMenuCase{"OwnLoginOnly", {}, 0, {}},
                    WebMenuCase{"OneOperatorTwice",
                                {insertLogin(100000012, 12, QStringLiteral("PC02")), insertLogin(100000012, 12, QStringLiteral("PC03"))},
                                1,
                                {QStringLiteral(u"1|12|佐藤花子"), QStringLiteral(u"2|12|佐藤花子")}},
                    WebMenuCase{"VanishedOperator", {insertLogin(100000077, 77, QStringLiteral("PC09"))}, 1, {QStringLiteral("1|77|")}},
                    WebMenuCase{"OverAHundredLogins", manyLogins(), 1, {}}),
    [](const testing::TestParamInfo<WebMenuCase>& info) { return std::string(info.param.name); });

TEST(WebMenuLCountTest, EveryLoginIsListed)
{
    UpgradeSession session;
    session.installSystemBase();
    QStringList statements = manyLogins();
    execute(session.systemFile(), statements);
    ASSERT_TRUE(core::DM->fnAccDefConnected(QString(), 0));
    dbupgrade::TfmWebMenuL form;
    EXPECT_EQ(form.Logins.size(), 120);
}

} // namespace

namespace {

TEST(WebMenuLHostTest, OtherProcessingWindowsKeepTheFormClosed)
{
    upgradetest::UpgradeSession session;
    session.installSystemBase();
    upgradetest::execute(session.systemFile(), {insertLogin(100000012, 12, QStringLiteral("PC02"))});
    ASSERT_TRUE(core::DM->fnAccDefConnected(QString(), 0));
    const core::THostMenuHook saved = core::HostMenuHook;
    int askedCode = 0;
    core::HostMenuHook = [&](int code, const QString&) {
        askedCode = code;
        return 2;
    };
    dbupgrade::TfmWebMenuL form;
    EXPECT_EQ(form.RunModule(true), 1);
    core::HostMenuHook = saved;
    EXPECT_EQ(askedCode, 10);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(session.messages.texts(),
              QStringList{QStringLiteral(u"メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行してください。")});
}

} // namespace
