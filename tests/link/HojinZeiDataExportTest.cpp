// The product exporter: which DATA elements a run writes for each combination of data kind,
// statement-of-changes switch, notes setting and ledger switch; the result codes with their
// texts; and that a failed run leaves no file and an existing file as it was.

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "link/export/HojinZeiDataExport.h"
#include "link/export/IntermediateLayout.h"
#include "link/export/NotesElement.h"
#include "platform/Cp932.h"
#include "tests/platform/PlatformTestUtil.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace taxreturn;
using platformtest::ScopedEnv;

namespace {

// A builder whose steps record themselves and touch no database: the settings file's switches
// and the notes setting are given, the notes and the ledger write only their elements.
class FakeMake : public THojinZeiDataMake {
public:
    int settingsChangesFlag = 1;
    int settingsLedgerFlag = 0;
    QString storedNotesSetting;
    int ledgerResult = kMakeDone;
    std::function<void()> onLoad;
    std::function<void()> onNotes;
    QStringList* steps = &ownSteps;
    QStringList ownSteps;

    void LoadData() override
    {
        *steps << QStringLiteral("load");
        if (onLoad)
            onLoad();
    }
    void MakeStatements() override
    {
        *steps << QStringLiteral("statements");
        Statements.emplace(RowsView(), DataKind);
        MakeResult = kMakeDone;
    }
    void MakeChangesStatement() override
    {
        *steps << QStringLiteral("changes");
        ChangesFlag = settingsChangesFlag;
        GeneralLedgerFlag = settingsLedgerFlag;
        MakeResult = kMakeDone;
    }
    void LoadNotes() override
    {
        *steps << QStringLiteral("notes");
        if (onNotes)
            onNotes();
        NotesSetting = storedNotesSetting;
        if (NotesSetting == kNotesSettingRendo)
            MakeResult = kMakeDone;
    }
    void MakeAppropriationStatement() override
    {
        *steps << QStringLiteral("appropriation");
        MakeResult = kMakeDone;
    }
    void WriteNotes(TXmlSaveDoc& doc, IXMLNode data) override { doc.AddNode(data, kElemNotes, {}, {}); }
    int MakeGeneralLedger(TXmlSaveDoc& doc, IXMLNode data) override
    {
        *steps << QStringLiteral("ledger");
        if (ledgerResult == kMakeLedgerFailed) // the real ledger, on a database that is not open
            return THojinZeiDataMake::MakeGeneralLedger(doc, data);
        doc.AddNode(data, kElemGeneralLedger, {}, {});
        return ledgerResult;
    }
};

// An exporter whose builder is a FakeMake prepared by the test.
class TestExporter : public THojinZeiDataExport {
public:
    using THojinZeiDataExport::THojinZeiDataExport;
    std::function<void(FakeMake&)> prepare;
    std::unique_ptr<THojinZeiDataMake> realMake() { return THojinZeiDataExport::CreateDataMake(); }

protected:
    std::unique_ptr<THojinZeiDataMake> CreateDataMake() override
    {
        std::unique_ptr<THojinZeiDataMake> base = THojinZeiDataExport::CreateDataMake();
        auto make = std::make_unique<FakeMake>();
        make->DataKind = base->DataKind;
        make->ChangesFlag = base->ChangesFlag;
        make->GeneralLedgerFlag = base->GeneralLedgerFlag;
        if (prepare)
            prepare(*make);
        return make;
    }
};

class HojinZeiDataExportTest : public testing::Test {
protected:
    void SetUp() override { core::DM = &dm; }
    void TearDown() override { core::DM = savedDm; }

    QStringList dataChildren(const TXmlSaveDoc& doc) const
    {
        QStringList names;
        for (const TXmlNode* top : doc.DocumentElement()->children())
            if (top->name() == kElemData)
                for (const TXmlNode* child : top->children())
                    names << child->name();
        return names;
    }

    QTemporaryDir dir;
    ScopedEnv registryEnv{"TAXLINK_REGISTRY", dir.filePath("registry.ini").toLocal8Bit()};
    ScopedEnv commonEnv{"TAXLINK_COMMON_APPDATA", dir.filePath("common").toLocal8Bit()};
    core::TDM* savedDm = core::DM;
    core::TDM dm;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
};

TEST_F(HojinZeiDataExportTest, DataElementsFollowKindSwitchesAndNotesSetting)
{
    const QString BS = kElemBalanceSheet, IS = kElemIncomeStatement, MS = kElemManufacturingSchedule,
                  CH = kElemChangesNetAssets, NO = kElemNotes, AP = kElemAppropriation, GL = kElemGeneralLedger;
    struct Case {
        const char* name;
        int dataKind;
        int changesFlag;       // the exporter's (the wizard's box)
        int settingsChanges;   // the settings file's, read again by the changes statement
        int ledgerFlag;        // the exporter's
        int settingsLedger;    // the settings file's
        QString notesSetting;
        QStringList elements;
        QStringList steps;
    };
    const QString rendo = kNotesSettingRendo;
    const Case cases[] = {
        {"corporation, changes, notes, ledger from the file", 1, 1, 1, 1, 0, rendo, {BS, IS, MS, CH, NO},
         {"load", "statements", "changes", "notes"}},
        {"corporation, changes, other notes, file asks ledger", 1, 1, 1, 0, 1, "決算書", {BS, IS, MS, CH, GL},
         {"load", "statements", "changes", "notes", "ledger"}},
        {"corporation, changes unticked in the file", 1, 1, 0, 1, 1, QString(), {BS, IS, MS, GL},
         {"load", "statements", "changes", "notes", "ledger"}},
        {"corporation without changes, notes, ledger", 1, 0, 1, 1, 0, rendo, {BS, IS, MS, NO, GL},
         {"load", "statements", "notes", "ledger"}},
        {"corporation without changes, empty notes setting", 1, 0, 1, 0, 1, QString(), {BS, IS, MS}, {"load", "statements", "notes"}},
        {"medical with the changes box ticked and ledger", 3, 1, 1, 1, 1, rendo, {BS, IS, MS, AP, GL},
         {"load", "statements", "appropriation", "ledger"}},
        {"medical without ledger", 3, 0, 0, 0, 0, QString(), {BS, IS, MS, AP}, {"load", "statements", "appropriation"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestExporter exporter(0, QString());
        exporter.DataKind = c.dataKind;
        exporter.GeneralLedgerFlag = c.ledgerFlag;
        exporter.CreateChangesSettings();
        exporter.ChangesSettings->SakuseiKubun = c.changesFlag;
        QStringList steps;
        exporter.prepare = [&](FakeMake& make) {
            make.settingsChangesFlag = c.settingsChanges;
            make.settingsLedgerFlag = c.settingsLedger;
            make.storedNotesSetting = c.notesSetting;
            make.steps = &steps;
        };
        TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
        exporter.SetSystemNode(doc);
        exporter.SetBasicNode(doc);
        exporter.SetDataNode(doc);
        EXPECT_EQ(dataChildren(doc), c.elements);
        EXPECT_EQ(steps, c.steps);
    }
}

TEST_F(HojinZeiDataExportTest, BuilderGetsTheExportersValues)
{
    TestExporter exporter(0, QString());
    exporter.CreateChangesSettings();
    exporter.ChangesSettings->SakuseiKubun = 0;
    exporter.DataKind = 3;
    exporter.TaxMode = 1;
    exporter.GeneralLedgerFlag = 1;
    exporter.StartPeriod = 2;
    exporter.EndPeriod = 11;
    exporter.LastPeriod = 15;
    const std::unique_ptr<THojinZeiDataMake> make = exporter.realMake();
    EXPECT_EQ(make->DataKind, 3);
    EXPECT_EQ(make->TaxMode, 1);
    EXPECT_EQ(make->BusinessKind, 16);
    EXPECT_EQ(make->ChangesFlag, 0);
    EXPECT_EQ(make->GeneralLedgerFlag, 1);
    EXPECT_EQ(make->StartPeriod, 2);
    EXPECT_EQ(make->EndPeriod, 11);
    EXPECT_EQ(make->LastPeriod, 15);
    EXPECT_EQ(make->MakeResult, kMakeNothingRun);

    exporter.DataKind = 1;
    exporter.FreeChangesSettings();
    EXPECT_EQ(exporter.realMake()->BusinessKind, 0);
    EXPECT_EQ(exporter.realMake()->ChangesFlag, 0); // no settings object: no statement of changes
}

TEST_F(HojinZeiDataExportTest, ResultCodesAndTheirTexts)
{
    struct Case {
        int result;
        int code; // 0: no error
        QString message;
    };
    const Case cases[] = {
        {kMakeAccountsFailed, 1, QStringLiteral("科目の集計処理に失敗しました。")},
        {kMakeEmptyPrintName, 2, QStringLiteral("決算書項目で空の印刷名称が存在します。")},
        {kMakeChangesMismatch, 6,
         QStringLiteral("株主資本等変動計算書に項目の不整合がありました。\rウィザード画面の[戻る]ボタンで設定ページに戻り、"
                        "不整合項目を見直して下さい。\r\r見直さずに終了するには、ウィザード画面の[キャンセル]ボタンを押し"
                        "てください。")},
        {kMakeLedgerFailed, 18, QStringLiteral("総勘定元帳の出力処理に失敗しました。")},
        {kMakeDone, 0, QString()},
        {kMakeNothingRun, 0, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        if (c.code == 0) {
            EXPECT_NO_THROW(RaiseForMakeXmlResult(c.result));
            continue;
        }
        try {
            RaiseForMakeXmlResult(c.result);
            ADD_FAILURE() << "no error";
        } catch (const EDataExportError& e) {
            EXPECT_EQ(e.ErrorCode, c.code);
            EXPECT_EQ(e.message(), c.message);
            EXPECT_TRUE(e.Detail.isEmpty());
        }
    }
}

// Whatever makes the balances fail, the operator reads code 1 and its fixed text.
TEST_F(HojinZeiDataExportTest, FailingBalancesGiveCode1)
{
    const std::function<void()> failures[] = {
        [] { throw core::EIBError(335544344, -902, QStringLiteral("I/O error")); },
        [] { throw std::runtime_error("anything"); },
    };
    for (const auto& failure : failures) {
        TestExporter exporter(0, QString());
        exporter.DataKind = 1;
        exporter.prepare = [&](FakeMake& make) { make.onLoad = failure; };
        TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
        try {
            exporter.SetDataNode(doc);
            ADD_FAILURE() << "no error";
        } catch (const EDataExportError& e) {
            EXPECT_EQ(e.ErrorCode, 1);
            EXPECT_EQ(e.message(), QStringLiteral("決算書の集計処理に失敗しました。"));
            EXPECT_TRUE(e.Detail.isEmpty());
        }
    }
}

// A notes read failure is no silent success: the database error reaches the caller as it is.
TEST_F(HojinZeiDataExportTest, NotesReadFailurePassesOn)
{
    TestExporter exporter(0, QString());
    exporter.DataKind = 1;
    exporter.prepare = [](FakeMake& make) {
        make.onNotes = [] { throw core::EIBError(335544580, -204, QStringLiteral("Table unknown")); };
    };
    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    EXPECT_THROW(exporter.SetDataNode(doc), core::EIBError);
}

// A failing ledger: its message box, code 18, and no file: an existing one keeps its bytes and
// nothing else is left in the folder.
TEST_F(HojinZeiDataExportTest, FailingLedgerWritesNoFile)
{
    QTemporaryDir out;
    const QString target = out.filePath("hj.xml");
    platformtest::writeBytes(target, QByteArray("previous file"));

    TestExporter exporter(0, QString());
    exporter.DataKind = 1;
    exporter.GeneralLedgerFlag = 1;
    exporter.prepare = [](FakeMake& make) { make.ledgerResult = kMakeLedgerFailed; };
    try {
        exporter.ExportToFile(target);
        ADD_FAILURE() << "no error";
    } catch (const EDataExportError& e) {
        EXPECT_EQ(e.ErrorCode, 18);
        EXPECT_EQ(e.message(), QStringLiteral("総勘定元帳の出力処理に失敗しました。"));
    }
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages.front().text.startsWith(QStringLiteral("例外エラー（総勘定元帳の作成）")));
    EXPECT_EQ(platformtest::readBytes(target), QByteArray("previous file"));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"hj.xml"});
}

// A complete run replaces the file.
TEST_F(HojinZeiDataExportTest, CompleteRunReplacesTheFile)
{
    QTemporaryDir out;
    const QString target = out.filePath("hj.xml");
    platformtest::writeBytes(target, QByteArray("previous file"));
    TestExporter exporter(0, QString());
    exporter.DataKind = 1;
    exporter.ExportToFile(target);
    const QByteArray bytes = platformtest::readBytes(target);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<REPORT><SYSTEM>"));
    EXPECT_TRUE(bytes.contains("<DATA><BalanceSheet/><IncomeStatement/><ScheduleCostGoodsManufactured/></DATA>"));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"hj.xml"});
}

} // namespace
