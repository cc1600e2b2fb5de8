// The wizard's equity page, its pick list and the round trip of the link settings through the
// company database. The cases run on samples of their own (ordinary and medical), which they
// change, never on the shared samples of the golden files.

#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/settings/AccRegBlob.h"
#include "link/app/EquityPage.h"
#include "link/app/JiyuuSentakuDialog.h"
#include "link/app/LinkSettingsStore.h"
#include "link/export/HojinZeiDataExport.h"
#include "platform/Cp932.h"
#include "tests/link/ExportSampleFixture.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QScopeGuard>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace taxreturn;
using taxlink::TEquityPage;
using taxlink::TJiyuuSentakuDialog;

namespace {

exporttest::SampleRootHolder& ownRoot()
{
    using schema::sample::SampleKind;
    static exporttest::SampleRootHolder holder = exporttest::makeSampleRoot({SampleKind::Ordinary, SampleKind::Medical});
    return holder;
}

const QString kRegistry = QStringLiteral(
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVO\\TallekZaimu15]\r\n"
    "\"Product\"=\"タレック財務\"\r\n\"Version\"=\"15.0.3\"\r\n");

class EquityPageTest : public exporttest::ExportSampleTest {
protected:
    exporttest::SampleRootHolder& root() override { return ownRoot(); }

    void SetUp() override
    {
        ExportSampleTest::SetUp();
        platformtest::writeBytes(registryPath, platform::toCp932(kRegistry));
        openSample(exporttest::kOrdinarySample);
        run({QStringLiteral("DELETE FROM KAMOKUMST WHERE KCODE STARTING WITH 'T'"),
             QStringLiteral("DELETE FROM EXTERKS WHERE REC >= 900"),
             QStringLiteral("DELETE FROM KES_HENDOUKEISAN WHERE REC >= 900")});
        exporter = std::make_unique<THojinZeiDataExport>(0, QString());
        page.SetExporter(exporter.get());
        page.SetProgramName(QStringLiteral("タレック財務"));
    }

    void run(const QStringList& statements)
    {
        for (const QString& sql : statements) {
            core::TransactionScope scope(dm.IBTransactionDAT);
            core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
            q.setParamCheck(false);
            q.sql() << sql;
            q.execQuery();
            scope.commit();
        }
    }

    // A further net-assets line of the statement layout with its accounts (KCODE "T<rec><n>").
    void addLine(int rec, const QString& group, int subRec, const QString& lineName, const QStringList& accounts)
    {
        run({QStringLiteral("INSERT INTO EXTERKS(REC,KGROUP,SUBREC,KNAME1) VALUES(%1,'%2',%3,'%4')")
                 .arg(rec)
                 .arg(group)
                 .arg(subRec)
                 .arg(lineName)});
        for (int i = 0; i < accounts.size(); ++i)
            run({QStringLiteral("INSERT INTO KAMOKUMST(KCODE,USERCODE,GROUPM1,KNAME,USE,DAC,EXT1_KS) "
                                "VALUES('T%1%2','T%1%2','%3','%4',1,3,%1)")
                     .arg(rec)
                     .arg(i)
                     .arg(group)
                     .arg(accounts[i])});
    }

    void addReason(int rec, const QString& name)
    {
        run({QStringLiteral("INSERT INTO KES_HENDOUKEISAN(REC,SORTKEY,JIYUU) VALUES(%1,%1,'%2')").arg(rec).arg(name)});
    }

    QString settingsPath() const { return QDir(work.path()).filePath(QStringLiteral("DkRendo.ini")); }

    void writeSettings(const QStringList& lines) const
    {
        platformtest::writeBytes(settingsPath(), platform::toCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }

    void setXstr7(const QString& text)
    {
        core::TransactionScope scope(dm.IBTransactionDAT);
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        q.sql() << QStringLiteral("UPDATE SISETUMST SET XSTR7=:X WHERE SCODE=' '");
        q.paramByName(QStringLiteral("X")).setBlobText(text);
        q.execSQL();
        scope.commit();
    }

    QString xstr7()
    {
        core::TransactionScope scope(dm.IBTransactionDAT);
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT XSTR7 FROM SISETUMST WHERE SCODE=' '");
        q.execQuery();
        const QString text = q.fieldByName(QStringLiteral("XSTR7")).asString();
        q.close();
        scope.commit();
        return text;
    }

    QString storedSettings()
    {
        return core::funcGetAccRegBlob(taxlink::kLinkSettingsGroup, taxlink::kLinkSettingsKey).toString();
    }

    THojinZeiKabunusiSihonHendouKeisansyo& settings() { return *exporter->ChangesSettings; }

    // The row of the line with this key in the grid of its list, -1 when it is not there.
    int rowOf(const QVector<THojinZeiWariateItem>& items, const QString& key) const
    {
        for (int row = 0; row < items.size(); ++row)
            if (items[row].Key == key)
                return row;
        return -1;
    }

    QTemporaryDir out;
    QString registryPath = out.filePath("registry.ini");
    platformtest::ScopedEnv registryEnv{"TAXLINK_REGISTRY", registryPath.toLocal8Bit()};
    platformtest::ScopedEnv commonEnv{"TAXLINK_COMMON_APPDATA", out.filePath("common").toLocal8Bit()};
    std::unique_ptr<THojinZeiDataExport> exporter;
    TEquityPage page;
};

// The exporter makes its settings object when the program starts, before the session's work
// folder exists; the file is the one of the work folder at the time it is used.
TEST(EquitySettingsFileTest, DefaultFileFollowsTheWorkFolderOfTheSession)
{
    const QString savedWorkDir = core::SystemDef.WorkDir;
    const auto restore = qScopeGuard([&] { core::SystemDef.WorkDir = savedWorkDir; });
    core::SystemDef.WorkDir.clear();
    THojinZeiKabunusiSihonHendouKeisansyo settings;
    QTemporaryDir work;
    core::SystemDef.WorkDir = work.path();
    settings.SakuseiKubun = 0;
    settings.SaveSettings();
    EXPECT_EQ(settings.SettingsFile(), QDir(work.path()).filePath(QStringLiteral("DkRendo.ini")));
    EXPECT_TRUE(platformtest::readBytes(settings.SettingsFile()).contains("SakuseiKubun=0"));
}

// ---- settings round trip ----

TEST_F(EquityPageTest, OldSettingsMoveFromXstr7OnTheFirstChoiceAndAccregServesTheSecond)
{
    const QString oldText = QStringLiteral("[HJ_株主資本等変動計算書]\r\nSakuseiKubun=1\r\nHJ21_Kamoku_31001=資本準備金\r\n");
    run({QStringLiteral("DELETE FROM ACCREG_BLOB_BINARY WHERE FGROUP='ヂル連動'")});
    setXstr7(oldText);

    ASSERT_TRUE(taxlink::LoadLinkSettings(settingsPath())) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(platformtest::readBytes(settingsPath()), platform::toCp932(oldText));
    EXPECT_EQ(xstr7(), QString());
    EXPECT_EQ(storedSettings(), oldText);

    // After the export the file goes back; the next choice reads it from ACCREG.
    const QString newText = QStringLiteral("[HJ_株主資本等変動計算書]\r\nSakuseiKubun=0\r\n");
    platformtest::writeBytes(settingsPath(), platform::toCp932(newText));
    ASSERT_TRUE(taxlink::StoreLinkSettings(settingsPath()));
    QFile::remove(settingsPath());
    ASSERT_TRUE(taxlink::LoadLinkSettings(settingsPath()));
    EXPECT_EQ(platformtest::readBytes(settingsPath()), platform::toCp932(newText));
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
}

TEST_F(EquityPageTest, FailedMoveLeavesXstr7AndAccregAsTheyWereAndNoStaleFile)
{
    const QString oldText = QStringLiteral("[HJ_株主資本等変動計算書]\r\nHJ21_Jiyuu_1=剰余金の配当\r\n");
    run({QStringLiteral("DELETE FROM ACCREG_BLOB_BINARY WHERE FGROUP='ヂル連動'")});
    setXstr7(oldText);
    // SISETUMST refuses every update, so that the move fails after ACCREG was written.
    run({QStringLiteral("CREATE EXCEPTION E_EQUITY_TEST 'refused'"),
         QStringLiteral("CREATE TRIGGER T_EQUITY_TEST FOR SISETUMST BEFORE UPDATE AS BEGIN EXCEPTION E_EQUITY_TEST; END")});
    const auto drop = qScopeGuard([this] {
        run({QStringLiteral("DROP TRIGGER T_EQUITY_TEST"), QStringLiteral("DROP EXCEPTION E_EQUITY_TEST")});
    });
    writeSettings({QStringLiteral("[HJ_株主資本等変動計算書]"), QStringLiteral("HJ21_Kamoku_31001=自己株式")});

    EXPECT_FALSE(taxlink::LoadLinkSettings(settingsPath()));
    EXPECT_EQ(messages.messages.size(), 1);
    EXPECT_FALSE(QFile::exists(settingsPath())) << "the previous data set's file is gone";
    EXPECT_EQ(xstr7(), oldText);
    EXPECT_FALSE(core::funcGetAccRegBlob(taxlink::kLinkSettingsGroup, taxlink::kLinkSettingsKey).isValid());
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
}

TEST_F(EquityPageTest, StoringWithoutASettingsFileKeepsTheStoredSettings)
{
    const QString before = QStringLiteral("[HJ_総勘定元帳]\r\nSakuseiKubun=0\r\n");
    core::funcPutAccRegBlob(taxlink::kLinkSettingsGroup, taxlink::kLinkSettingsKey, core::kBlobTypeMemo, before);
    EXPECT_FALSE(taxlink::StoreLinkSettings(settingsPath()));
    EXPECT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(storedSettings(), before);
}

// ---- the page ----

TEST_F(EquityPageTest, FillTakesStoredAssignmentsAndDefaultsTheRest)
{
    addLine(900, QStringLiteral("3340"), 2, QStringLiteral("　"), {QStringLiteral("　"), QStringLiteral("別途 積立")});
    addReason(900, QStringLiteral("当期純損失金額"));
    addReason(901, QStringLiteral("圧縮積立金の積立て"));
    writeSettings({QStringLiteral("[HJ_株主資本等変動計算書]"), QStringLiteral("SakuseiKubun=1"),
                   QStringLiteral("HJ21_Kamoku_32001=資本準備金"), QStringLiteral("HJ21_Jiyuu_2=利益準備金の積立"),
                   QStringLiteral("[HJ_総勘定元帳]"), QStringLiteral("SakuseiKubun=0")});
    exporter->GeneralLedgerFlag = 1;

    ASSERT_TRUE(page.FillEquitySettingsPage(1)) << messages.texts().join(u'\n').toStdString();
    EXPECT_TRUE(page.SakuseiCheck9->isEnabled());
    EXPECT_TRUE(page.SakuseiCheck9->isChecked());
    EXPECT_TRUE(page.KamokuList9a->isEnabled());
    EXPECT_FALSE(page.MotochoCheck9->isChecked());
    EXPECT_EQ(exporter->GeneralLedgerFlag, 0);
    EXPECT_EQ(page.KamokuList9a->Cells(0, -1), QStringLiteral("タレック財務の印刷名称"));
    EXPECT_EQ(page.KamokuList9a->Cells(1, -1), QStringLiteral("法人税のヂルで使用する勘定科目"));
    EXPECT_EQ(page.KamokuList9b->Cells(0, -1), QStringLiteral("タレック財務の変動事由"));
    EXPECT_EQ(page.KamokuList9b->Cells(1, -1), QStringLiteral("法人税のヂルで使用する変動事由"));
    EXPECT_EQ(page.KamokuList9a->RowCount(), settings().KamokuItems.size());
    EXPECT_EQ(page.KamokuList9b->RowCount(), settings().JiyuuItems.size());

    const struct {
        bool accounts;
        const char* key;
        QString name;       // the line's name as loaded
        QString assigned;   // what the grid shows
        int index;
    } cases[] = {
        {true, "31001", QStringLiteral("資本金"), QStringLiteral("資本金"), 0},     // same name, nothing stored
        {true, "32001", QStringLiteral("資本準備金"), QStringLiteral("資本準備金"), 2}, // stored
        {true, "33402", QStringLiteral("別途積立"), kOwnEquityItem, 25},            // blank print name
        {false, "1", QStringLiteral("剰余金の配当"), QStringLiteral("剰余金の配当"), 8},
        {false, "2", QStringLiteral("利益準備金の積立"), kOwnChangeReason, 14},     // an unknown stored name
        {false, "900", QStringLiteral("当期純損失金額"), QStringLiteral("当期純利益"), 7},
        {false, "901", QStringLiteral("圧縮積立金の積立て"), kOwnChangeReason, 14},
    };
    for (const auto& c : cases) {
        const auto& items = c.accounts ? settings().KamokuItems : settings().JiyuuItems;
        controls::TxGrid* grid = c.accounts ? page.KamokuList9a : page.KamokuList9b;
        const int row = rowOf(items, QString::fromLatin1(c.key));
        ASSERT_GE(row, 0) << c.key;
        EXPECT_EQ(items[row].Name, c.name) << c.key;
        EXPECT_EQ(grid->Cells(0, row), c.name) << c.key;
        EXPECT_EQ(grid->Cells(1, row), c.assigned) << c.key;
        EXPECT_EQ(items[row].WariateName, c.assigned) << c.key;
        EXPECT_EQ(items[row].WariateIndex, c.index) << c.key;
    }
}

TEST_F(EquityPageTest, DeleteThenNextWarnsOfTheMissingAssignmentAndTheClearedKeyIsGoneFromTheFile)
{
    addLine(900, QStringLiteral("3340"), 2, QStringLiteral("別途積立金"), {QStringLiteral("別途積立金")});
    writeSettings({QStringLiteral("[HJ_株主資本等変動計算書]"), QStringLiteral("HJ21_Kamoku_33402=利益準備金")});
    ASSERT_TRUE(page.FillEquitySettingsPage(1));
    const int row = rowOf(settings().KamokuItems, QStringLiteral("33402"));
    ASSERT_GE(row, 0);
    ASSERT_EQ(page.KamokuList9a->Cells(1, row), QStringLiteral("利益準備金"));

    page.KamokuList9a->SetCurrentCell(0, row);
    page.JiyuuList8KeyUp(page.KamokuList9a, Qt::Key_Delete, Qt::ShiftModifier); // with a modifier: nothing
    EXPECT_EQ(settings().KamokuItems[row].WariateIndex, 5);
    page.JiyuuList8KeyUp(page.KamokuList9a, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(page.KamokuList9a->Cells(1, row), QString());
    EXPECT_EQ(settings().KamokuItems[row].WariateIndex, -1);

    page.MotochoCheck9->setChecked(true);
    exporter->GeneralLedgerFlag = 0;
    EXPECT_FALSE(page.CheckPage());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].kind, core::MessageKind::Warning);
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("[勘定科目]リストで\"別途積立金\"の割り当てが行われていません。\r\r"
                             "全ての項目を割り当ててから[次へ]をｸﾘｯｸしてください。\r"));
    EXPECT_EQ(exporter->GeneralLedgerFlag, 0) << "the step stopped before the ledger switch";

    // The cleared assignment is not written and does not come back from the file.
    settings().SaveSettings();
    ASSERT_TRUE(page.FillEquitySettingsPage(1));
    EXPECT_EQ(page.KamokuList9a->Cells(1, row), kOwnEquityItem);

    // Without the statement the step passes and the ledger switch reaches the exporter.
    page.SakuseiCheck9->setChecked(false);
    page.SakuseiCheck9Click();
    EXPECT_FALSE(page.KamokuList9a->isEnabled());
    page.JiyuuList8KeyUp(page.KamokuList9a, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_TRUE(page.CheckPage());
    EXPECT_EQ(settings().SakuseiKubun, 0);
    EXPECT_EQ(settings().MotochoKubun, 1);
    EXPECT_EQ(exporter->GeneralLedgerFlag, 1);
}

TEST_F(EquityPageTest, PickListWithoutASelectionAsksAndKeepsThePreviousAssignment)
{
    ASSERT_TRUE(page.FillEquitySettingsPage(1));
    const int row = rowOf(settings().KamokuItems, QStringLiteral("31001"));
    ASSERT_GE(row, 0);
    page.KamokuList9a->SetCurrentCell(0, row);

    QString preselected;
    QString caption;
    int stillOpenResult = -1;
    page.ShowPickList = [&](TJiyuuSentakuDialog& dialog) {
        caption = dialog.windowTitle();
        const auto selected = dialog.ListView1->selectedItems();
        preselected = selected.isEmpty() ? QString() : selected.first()->text(0);
        dialog.ListView1->clearSelection();
        dialog.btnOKClick(); // answered No: the dialog stays
        stillOpenResult = dialog.result();
        dialog.btnOKClick(); // answered Yes: closed without a choice
        return dialog.result();
    };
    messages.answers = {core::mrNo, core::mrYes};
    page.JiyuuList8DblClick(page.KamokuList9a);
    EXPECT_EQ(caption, QStringLiteral("使用できる勘定科目"));
    EXPECT_EQ(preselected, QStringLiteral("資本金"));
    EXPECT_EQ(stillOpenResult, 0);
    EXPECT_EQ(messages.texts(), QStringList(2, QStringLiteral("勘定科目が選択されていません。\r画面を閉じてもよろしいですか？\r")));
    EXPECT_EQ(page.KamokuList9a->Cells(1, row), QStringLiteral("資本金"));
    EXPECT_EQ(settings().KamokuItems[row].WariateIndex, 0);

    // A choice is taken into the line and the grid; the reasons list offers the reasons.
    page.ShowPickList = [&](TJiyuuSentakuDialog& dialog) {
        caption = dialog.windowTitle();
        dialog.SelectByName(dialog.KindWord == QStringLiteral("勘定科目") ? QStringLiteral("その他資本剰余金")
                                                                          : QStringLiteral("剰余金の配当"));
        dialog.ListView1DblClick();
        return dialog.result();
    };
    page.JiyuuList8DblClick(page.KamokuList9a);
    EXPECT_EQ(page.KamokuList9a->Cells(1, row), QStringLiteral("その他資本剰余金"));
    EXPECT_EQ(settings().KamokuItems[row].WariateIndex, 3);
    const int reasonRow = rowOf(settings().JiyuuItems, QStringLiteral("5"));
    ASSERT_GE(reasonRow, 0);
    page.KamokuList9b->SetCurrentCell(0, reasonRow);
    page.JiyuuList8DblClick(page.KamokuList9b);
    EXPECT_EQ(caption, QStringLiteral("使用できる変動事由"));
    EXPECT_EQ(settings().JiyuuItems[reasonRow].WariateName, QStringLiteral("剰余金の配当"));
    EXPECT_EQ(settings().JiyuuItems[reasonRow].WariateIndex, 8);
}

TEST_F(EquityPageTest, MedicalDataAfterOrdinaryDataHasNoLinesAndSavesNone)
{
    ASSERT_TRUE(taxlink::LoadLinkSettings(settingsPath()));
    ASSERT_TRUE(page.FillEquitySettingsPage(1));
    ASSERT_FALSE(settings().KamokuItems.isEmpty());

    // The form forgets the lines on every data choice.
    page.ClearLines();
    EXPECT_TRUE(settings().KamokuItems.isEmpty());
    EXPECT_EQ(page.KamokuList9a->RowCount(), 0);
    ASSERT_TRUE(page.FillEquitySettingsPage(1));

    dm.AccDatDisconnect(QString(), 0, 0);
    openSample(exporttest::kMedicalSample);
    ASSERT_TRUE(taxlink::LoadLinkSettings(settingsPath()));
    // Even without ClearLines the medical page keeps no lines of the data set before.
    ASSERT_TRUE(page.FillEquitySettingsPage(3));
    EXPECT_FALSE(page.SakuseiCheck9->isEnabled());
    EXPECT_FALSE(page.SakuseiCheck9->isChecked());
    EXPECT_FALSE(page.pnlHojinIryou->isHidden());
    EXPECT_TRUE(settings().KamokuItems.isEmpty());
    EXPECT_TRUE(settings().JiyuuItems.isEmpty());
    EXPECT_EQ(page.KamokuList9a->RowCount(), 0);
    EXPECT_EQ(page.KamokuList9b->RowCount(), 0);

    EXPECT_TRUE(page.CheckPage());
    EXPECT_EQ(settings().SakuseiKubun, 0);
    settings().SaveSettings();
    EXPECT_FALSE(platformtest::readBytes(settingsPath()).contains("HJ21_"));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

} // namespace
