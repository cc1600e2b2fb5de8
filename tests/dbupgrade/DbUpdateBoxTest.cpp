// The upgrade dialog, offscreen, with stub steps on a real company or system database: the
// agreement, F12 and Esc, the refusal while others are logged on, runs without and with a
// backup, the status column, the restore after a failing or throwing step, and the backup kept
// when the restore fails.

#include "dbupgrade/dialog/TDbUpdateBox.h"
#include "dbupgrade/runner/RunUpdateScript.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxPlButton.h"
#include "controls/dialogs/TMessageBox.h"
#include "core/Globals.h"
#include "schema/SchemaScripts.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"
#include "tests/support/ModalAnswerer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include <stdexcept>

namespace {

using namespace upgradetest;
using dbupgrade::TDbUpdateBox;

const dbupgrade::StepTextContext kContext{0, QStringLiteral(u"テスト財務")};

QStringList statuses(const TDbUpdateBox& box)
{
    QStringList out;
    for (int i = 0; i < box.ListView1->topLevelItemCount(); ++i)
        out << box.ListView1->topLevelItem(i)->text(2);
    return out;
}

void sendKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// The company data at 13.0.0 with three pending stub steps (13.0.3, 14.0.0, 15.0.0).
class DbUpdateBoxTest : public testing::Test {
protected:
    void SetUp() override { session_.installCompanyBase(CompanyKind::Houjin); }

    void stubSteps(TDbUpdateBox& box, std::vector<std::function<int()>> procs, int backupFlag = 1)
    {
        auto& steps = box.List.DataSteps;
        for (size_t i = 0; i < procs.size(); ++i) {
            steps[steps.size() - procs.size() + i].UpdateProc = procs[i];
            steps[steps.size() - procs.size() + i].BackupFlag = backupFlag;
        }
    }

    // A change the restore must undo.
    std::function<int()> changeData()
    {
        return [this] {
            execute(session_.companyFile(), {QStringLiteral("UPDATE ACCDEF1 SET ENTTEXT = 'changed' WHERE REC = 1")});
            return 1;
        };
    }
    QString entText() { return queryValue(session_.companyFile(), QStringLiteral("SELECT ENTTEXT FROM ACCDEF1 WHERE REC = 1")); }

    UpgradeSession session_;
};

TEST_F(DbUpdateBoxTest, AgreementGatesOkAndF12)
{
    TDbUpdateBox box(nullptr, kContext);
    int runs = 0;
    stubSteps(box, {[&] { return ++runs, 1; }, [&] { return ++runs, 1; }, [&] { return ++runs, 1; }});
    box.PrepareUpdateList(dbupgrade::kUpdateCompany, QStringLiteral("13.0.0"));
    EXPECT_EQ(box.ListView1->topLevelItemCount(), 3);
    EXPECT_EQ(box.RichEdit1->toPlainText(),
              box.List.DataSteps[59].Description.replace(QLatin1Char('\r'), QLatin1Char('\n')));
    EXPECT_FALSE(box.btnOk->isEnabled());

    testsupport::ModalAnswerer answerer;
    answerer.then([&](QWidget*) {
        QTimer::singleShot(0, &box, [&] {
            sendKey(&box, Qt::Key_F12); // disabled: nothing
            EXPECT_EQ(runs, 0);
            box.cboxAgree->click();
            EXPECT_TRUE(box.btnOk->isEnabled());
            sendKey(&box, Qt::Key_F12);
        });
    });
    EXPECT_EQ(box.exec(), core::mrOk);
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(statuses(box), QStringList({QStringLiteral(u"完了"), QStringLiteral(u"完了"), QStringLiteral(u"完了")}));
    EXPECT_TRUE(box.List.UpdateSucceeded);
    EXPECT_FALSE(QFileInfo::exists(box.List.BackupFileName));
    EXPECT_TRUE(core::DM->IBDatabaseDAT.connected()); // reconnected before closing
}

TEST_F(DbUpdateBoxTest, EscCancelsBeforeButNotDuringARun)
{
    {
        TDbUpdateBox box(nullptr, kContext);
        box.PrepareUpdateList(dbupgrade::kUpdateCompany, QStringLiteral("13.0.0"));
        testsupport::ModalAnswerer answerer;
        answerer.then([&](QWidget*) { QTimer::singleShot(0, &box, [&] { sendKey(&box, Qt::Key_Escape); }); });
        EXPECT_EQ(box.exec(), core::mrCancel);
    }
    TDbUpdateBox box(nullptr, kContext);
    auto escape = [&] {
        sendKey(&box, Qt::Key_Escape);
        box.btnCancel->Click();
        return box.isVisible() ? 1 : 0;
    };
    stubSteps(box, {escape, escape, escape}, 0);
    box.PrepareUpdateList(dbupgrade::kUpdateCompany, QStringLiteral("13.0.0"));
    testsupport::ModalAnswerer answerer;
    answerer.then([&](QWidget*) {
        QTimer::singleShot(0, &box, [&] {
            box.cboxAgree->click();
            box.btnOk->Click();
        });
    });
    EXPECT_EQ(box.exec(), core::mrOk);
}

TEST_F(DbUpdateBoxTest, WithoutBackupAFailedStepLeavesTheEarlierOnesApplied)
{
    TDbUpdateBox box(nullptr, kContext);
    bool backupSeen = false;
    stubSteps(box, {changeData(), [&] {
                        backupSeen = QFileInfo::exists(box.List.BackupFileName);
                        return 16;
                    },
                    [] { return 1; }},
              0);
    box.PrepareUpdateList(dbupgrade::kUpdateCompany, QStringLiteral("13.0.0"));
    EXPECT_EQ(box.List.BackupCount, 0);
    EXPECT_EQ(box.ExecuteUpdate(), 0);
    EXPECT_FALSE(backupSeen);
    EXPECT_EQ(statuses(box), QStringList({QStringLiteral(u"完了"), QStringLiteral(u"失敗"), QString()}));
    EXPECT_EQ(entText(), QStringLiteral("changed"));
}

TEST_F(DbUpdateBoxTest, AFailedOrThrowingStepIsRestored)
{
    struct Case {
        const char* name;
        std::function<int()> second;
        QString status;
    };
    const QList<Case> cases = {
        {"missing file", [] { return dbupgrade::kStepFileMissing; }, QStringLiteral(u"ﾌｧｲﾙ不足")},
        {"throwing", []() -> int { throw std::runtime_error("step broke"); }, QStringLiteral(u"失敗")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session_.installCompanyBase(CompanyKind::Houjin);
        const QString before = entText();
        TDbUpdateBox box(nullptr, kContext);
        stubSteps(box, {changeData(), c.second, [] { return 1; }});
        box.PrepareUpdateList(dbupgrade::kUpdateCompany, QStringLiteral("13.0.0"));
        EXPECT_EQ(box.ExecuteUpdate(), 0);
        EXPECT_EQ(statuses(box), QStringList({QStringLiteral(u"完了"), c.status, QString()}));
        EXPECT_EQ(entText(), before);
        EXPECT_FALSE(box.List.UpdateSucceeded);
        if (QString(c.name) == "throwing")
            EXPECT_TRUE(box.ErrorText.contains(QStringLiteral("step broke")));
    }
}

TEST_F(DbUpdateBoxTest, AFailedBackupRunsNoStep)
{
    // The backup cannot be written: its folder lies under a plain file.
    const QString blocker = QDir(session_.root()).filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    core::SystemDef.TempDir = QDir(blocker).filePath(QStringLiteral("temp"));
    TDbUpdateBox box(nullptr, kContext);
    int runs = 0;
    stubSteps(box, {[&] { return ++runs, 1; }, [&] { return ++runs, 1; }, [&] { return ++runs, 1; }});
    box.PrepareUpdateList(dbupgrade::kUpdateCompany, QStringLiteral("13.0.0"));
    EXPECT_EQ(box.ExecuteUpdate(), -1);
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(box.ErrorText.isEmpty());
    EXPECT_EQ(box.List.FirstIndex, -1);
    EXPECT_EQ(statuses(box), QStringList({QString(), QString(), QString()}));
}

TEST_F(DbUpdateBoxTest, AFailedRestoreKeepsTheBackupAndNamesIt)
{
    TDbUpdateBox box(nullptr, kContext);
    std::unique_ptr<core::TIBDatabase> holder;
    stubSteps(box, {[&] {
                        // Somebody attaches the database during the run: the restore cannot replace it.
                        holder = schema::openDatabase(schema::DbAccount{}, session_.companyFile());
                        return 16;
                    },
                    [] { return 1; }, [] { return 1; }});
    box.PrepareUpdateList(dbupgrade::kUpdateCompany, QStringLiteral("13.0.0"));
    testsupport::ModalAnswerer answerer;
    QString failure;
    answerer.then([&](QWidget*) {
        QTimer::singleShot(0, &box, [&] {
            box.cboxAgree->click();
            box.btnOk->Click();
        });
    });
    // Whatever the restore reports, then the failure message.
    for (int i = 0; i < 4; ++i)
        answerer.then([&](QWidget* dialog) {
            for (auto* child : dialog->findChildren<QWidget*>())
                for (const char* name : {"text", "plainText"})
                    if (const QVariant text = child->property(name); text.isValid())
                        failure += text.toString() + QLatin1Char('\n');
            qobject_cast<QDialog*>(dialog)->reject();
        });
    EXPECT_EQ(box.exec(), 4);
    holder.reset();
    ASSERT_FALSE(box.KeptBackupFile.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(box.KeptBackupFile));
    EXPECT_TRUE(failure.contains(box.KeptBackupFile)) << failure.toStdString();
    EXPECT_TRUE(failure.contains(QStringLiteral(u"会計データの更新に失敗しました。")));
}

TEST(DbUpdateBoxSystemTest, RefusedWhileOthersAreLoggedOn)
{
    UpgradeSession session;
    session.installSystemBase();
    execute(session.systemFile(),
            {QStringLiteral("INSERT INTO LOGONUSERLIST (OPCODE, GROUPID, OPERATORCODE, PCNAME) VALUES (100000012, 10000, 12, 'PC02')"),
             QStringLiteral("INSERT INTO LOGONUSERLIST (OPCODE, GROUPID, OPERATORCODE, PCNAME) VALUES (100000010, 10000, 10, 'PC-TEST')")});
    auto other = schema::openDatabase(schema::DbAccount{}, session.systemFile()); // another operator's attachment
    TDbUpdateBox box(nullptr, kContext);
    int runs = 0;
    for (auto& step : box.List.SystemSteps)
        step.UpdateProc = [&] { return ++runs, 1; };
    ASSERT_TRUE(core::DM->fnAccDefConnected(QString(), 0));
    box.PrepareUpdateList(dbupgrade::kUpdateSystem, QString());
    EXPECT_EQ(box.ListView1->topLevelItemCount(), 18);
    EXPECT_TRUE(box.btnOk->isEnabled());
    EXPECT_FALSE(box.btnCancel->isVisible());
    testsupport::ModalAnswerer answerer;
    QString details;
    answerer.then([&](QWidget*) { QTimer::singleShot(0, &box, [&] { box.btnOk->Click(); }); });
    answerer.then([&](QWidget* dialog) {
        if (auto* message = qobject_cast<controls::TMessageBox*>(dialog))
            details = message->MessageArea->toPlainText();
        qobject_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(box.exec(), 4);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(details.contains(QStringLiteral(u"[ 0012 ]:  佐藤花子"))) << details.toStdString();
    EXPECT_FALSE(details.contains(QStringLiteral("[ 0010 ]")));
}

} // namespace
