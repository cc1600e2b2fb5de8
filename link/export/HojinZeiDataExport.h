#pragma once
// The product exporter of this program: the export base plus the equity-statement settings and
// the general-ledger switch. Its DATA element comes from the statement builder
// THojinZeiDataMake, which loads the balances once and runs the builders in a fixed order: the
// balance sheet, the income statement, the manufacturing schedule, the statement of changes in
// net assets and the notes (corporation data) or the appropriation statement (medical
// corporation data), then writes DATA and, when chosen, the general ledger. The builder's
// outcome becomes the EDataExportError codes the wizard shows.

#include "link/export/Appropriation.h"
#include "link/export/ComDataExport.h"
#include "link/export/DataLoader.h"
#include "link/export/EquitySettings.h"
#include "link/export/GeneralLedger.h"
#include "link/export/NetAssetsChanges.h"
#include "link/export/NotesReader.h"
#include "link/export/StatementElements.h"

#include <QString>

#include <memory>
#include <optional>

namespace taxreturn {

// Results of MakeXml.
enum TMakeXmlResult : int {
    kMakeNothingRun = 3,     // no builder has run
    kMakeDone = 1,
    kMakeAccountsFailed = 5,
    kMakeEmptyPrintName = 6,
    kMakeChangesMismatch = 9,
    kMakeLedgerFailed = 18,
};

// The message of each failing export code.
inline const QString kMessageBalancesFailed = QStringLiteral("決算書の集計処理に失敗しました。");
inline const QString kMessageAccountsFailed = QStringLiteral("科目の集計処理に失敗しました。");
inline const QString kMessageEmptyPrintName = QStringLiteral("決算書項目で空の印刷名称が存在します。");
inline const QString kMessageLedgerFailed = QStringLiteral("総勘定元帳の出力処理に失敗しました。");

// Raises the EDataExportError a MakeXml result stands for (empty detail); any other result is
// success and raises nothing.
void RaiseForMakeXmlResult(int result);

class THojinZeiDataMake : public TZaimuDataLoad {
public:
    THojinZeiDataMake();
    ~THojinZeiDataMake() override;

    int MakeResult = kMakeNothingRun;
    int DataKind = 0;          // 1 corporation, 3 medical corporation
    int ChangesFlag = 0;       // 1: the statement of changes in net assets
    int GeneralLedgerFlag = 0; // 1: the general ledger
    QString NotesSetting;

    // Filled by the run, readable afterwards.
    std::optional<THojinZeiStatementBuilder> Statements;
    THojinZeiKabunusiSisanItemValues EquityItems;
    TRiekiSyobunKeisansyoItemValue Appropriation;
    TChukihyoRendoIO NotesReader;

    // Where the statement builder reads "DkRendo.ini" (empty: the session's work folder).
    QString ChangesSettingsFile;

    // Runs the builders in their order and writes DATA under the document's root; returns
    // MakeResult. EDataExportError of a builder (an empty print name, an unassigned equity
    // line) and database errors outside the general ledger pass on.
    int MakeXml(TXmlSaveDoc& doc);

    // The steps of MakeXml, each its own so that a run can be followed step by step.
    virtual void LoadData();  // LoadBalances
    virtual void MakeStatements(); // balance sheet, income statement (and schedule)
    virtual void MakeChangesStatement();
    virtual void LoadNotes();
    virtual void MakeAppropriationStatement();
    virtual void WriteNotes(TXmlSaveDoc& doc, IXMLNode data);
    // Writes the ledger; gives 1, or 18 after a failure that it has shown.
    virtual int MakeGeneralLedger(TXmlSaveDoc& doc, IXMLNode data);

protected:
    TBalanceRowsView RowsView();
};

class THojinZeiDataExport : public TComDataExport {
public:
    THojinZeiDataExport(int callerWParam, const QString& callerExportFile);
    ~THojinZeiDataExport() override;

    std::unique_ptr<THojinZeiKabunusiSihonHendouKeisansyo> ChangesSettings;
    int GeneralLedgerFlag = 0;

    void CreateChangesSettings();
    void FreeChangesSettings();

    // Runs one statement builder and writes DATA; raises EDataExportError on failure (code 1
    // when the balances cannot be loaded, whatever the cause).
    void SetDataNode(TXmlSaveDoc& doc) override;

    // The whole file: SYSTEM, BASIC and DATA into a new document, saved to fileName only when
    // complete (beside the target, then renamed over it). Errors leave an existing file as it was.
    void ExportToFile(const QString& fileName);

protected:
    // The builder of one run, with the exporter's values copied in.
    virtual std::unique_ptr<THojinZeiDataMake> CreateDataMake();
};

} // namespace taxreturn
