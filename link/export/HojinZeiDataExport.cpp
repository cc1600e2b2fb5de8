#include "link/export/HojinZeiDataExport.h"

#include "link/export/IntermediateLayout.h"
#include "link/export/NotesElement.h"
#include "statements/KamokuZanTable.h"

#include <memory>

namespace taxreturn {

namespace {

const int kMedicalData = 3;
const int kCorporationData = 1;
const int kMedicalBusinessKind = 16;

} // namespace

void RaiseForMakeXmlResult(int result)
{
    switch (result) {
    case kMakeAccountsFailed:
        throw EDataExportError(kMessageAccountsFailed, kErrorBalances, {});
    case kMakeEmptyPrintName:
        throw EDataExportError(kMessageEmptyPrintName, kErrorEmptyPrintName, {});
    case kMakeChangesMismatch:
        throw EDataExportError(kChangesMismatchMessage, kErrorChangesMismatch, {});
    case kMakeLedgerFailed:
        throw EDataExportError(kMessageLedgerFailed, kErrorGeneralLedger, {});
    default:
        return;
    }
}

// ---- the statement builder ----

THojinZeiDataMake::THojinZeiDataMake() = default;
THojinZeiDataMake::~THojinZeiDataMake() = default;

TBalanceRowsView THojinZeiDataMake::RowsView()
{
    return {&Balances, &SortKeys};
}

void THojinZeiDataMake::LoadData()
{
    LoadBalances();
}

void THojinZeiDataMake::MakeStatements()
{
    Statements.emplace(RowsView(), DataKind);
    Statements->MakeBalanceSheet();
    Statements->MakeIncomeStatement();
    if (DataKind == kCorporationData)
        Statements->MakeManufacturingSchedule();
    MakeResult = kMakeDone;
}

void THojinZeiDataMake::MakeChangesStatement()
{
    const statements::TBALANCE* netIncome =
        Statements ? Statements->Rows.TotalRow(Statements->TotalRows.NetIncome) : nullptr;
    TNetAssetsChangesBuilder builder(RowsView(), netIncome, ChangesSettingsFile);
    builder.MakeChangesStatement();
    ChangesFlag = builder.ChangesFlag;
    GeneralLedgerFlag = builder.GeneralLedgerFlag;
    EquityItems = builder.EquityItems;
    MakeResult = kMakeDone;
}

void THojinZeiDataMake::LoadNotes()
{
    if (taxreturn::LoadNotes(NotesReader, NotesSetting))
        MakeResult = kMakeDone;
}

void THojinZeiDataMake::MakeAppropriationStatement()
{
    const statements::TBALANCE* row =
        Statements ? Statements->Rows.TotalRow(Statements->TotalRows.Unappropriated) : nullptr;
    Appropriation = taxreturn::MakeAppropriationStatement(row ? row->ZAN : core::Currency{},
                                                          &TZaimuDataLoad::GetFacilitySetting);
    MakeResult = kMakeDone;
}

void THojinZeiDataMake::WriteNotes(TXmlSaveDoc& doc, IXMLNode data)
{
    WriteNotesElement(doc, data, NotesReader);
}

int THojinZeiDataMake::MakeGeneralLedger(TXmlSaveDoc& doc, IXMLNode data)
{
    TGeneralLedger ledger(Transaction, LedgerAccountQuery, LedgerEntryQuery);
    ledger.StartPeriod = StartPeriod;
    ledger.EndPeriod = EndPeriod;
    ledger.TaxMode = TaxMode;
    // Two balances per listed account: all accounts' figures are read once, at the first.
    auto balances = std::make_shared<statements::TKamokuZanTable>(TaxMode);
    ledger.BalanceAfter = [balances](const QString& kcode, int periodIndex, int taxMode) {
        return balances->Balance(kcode, periodIndex, taxMode);
    };
    return taxreturn::MakeGeneralLedger(ledger, doc, data);
}

int THojinZeiDataMake::MakeXml(TXmlSaveDoc& doc)
{
    MakeResult = kMakeNothingRun;
    MakeStatements();
    if (DataKind == kCorporationData) {
        if (ChangesFlag == 1) {
            MakeChangesStatement();
            if (MakeResult == kMakeChangesMismatch)
                return MakeResult;
        }
        LoadNotes();
    } else if (DataKind == kMedicalData) {
        MakeAppropriationStatement();
    }

    IXMLNode data = doc.AddNode(nullptr, kElemData, {}, {});
    Statements->WriteStatements(doc, data);
    if (DataKind == kCorporationData) {
        if (ChangesFlag == 1)
            WriteChangesStatement(doc, data, EquityItems);
        if (NotesSetting == kNotesSettingRendo)
            WriteNotes(doc, data);
    } else if (DataKind == kMedicalData) {
        WriteAppropriationStatement(doc, data, Appropriation);
    }

    if (GeneralLedgerFlag == 1)
        MakeResult = MakeGeneralLedger(doc, data);
    return MakeResult;
}

// ---- the product exporter ----

THojinZeiDataExport::THojinZeiDataExport(int callerWParam, const QString& callerExportFile)
    : TComDataExport(callerWParam, callerExportFile)
{
}

THojinZeiDataExport::~THojinZeiDataExport() = default;

void THojinZeiDataExport::CreateChangesSettings()
{
    if (!ChangesSettings)
        ChangesSettings = std::make_unique<THojinZeiKabunusiSihonHendouKeisansyo>();
}

void THojinZeiDataExport::FreeChangesSettings()
{
    ChangesSettings.reset();
}

std::unique_ptr<THojinZeiDataMake> THojinZeiDataExport::CreateDataMake()
{
    auto make = std::make_unique<THojinZeiDataMake>();
    make->DataKind = DataKind;
    make->TaxMode = TaxMode;
    make->BusinessKind = DataKind == kMedicalData ? kMedicalBusinessKind : 0;
    make->ChangesFlag = ChangesSettings ? ChangesSettings->SakuseiKubun : 0;
    make->GeneralLedgerFlag = GeneralLedgerFlag;
    make->StartPeriod = StartPeriod;
    make->EndPeriod = EndPeriod;
    make->LastPeriod = LastPeriod;
    if (ChangesSettings)
        make->ChangesSettingsFile = ChangesSettings->SettingsFile();
    return make;
}

void THojinZeiDataExport::SetDataNode(TXmlSaveDoc& doc)
{
    const std::unique_ptr<THojinZeiDataMake> make = CreateDataMake();
    try {
        make->LoadData();
    } catch (const std::exception&) {
        // Whatever failed underneath, the operator learns that the statements could not be read.
        throw EDataExportError(kMessageBalancesFailed, kErrorBalances, {});
    }
    RaiseForMakeXmlResult(make->MakeXml(doc));
}

void THojinZeiDataExport::ExportToFile(const QString& fileName)
{
    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    SetSystemNode(doc);
    SetBasicNode(doc);
    SetDataNode(doc);
    doc.SaveToFile(fileName);
}

} // namespace taxreturn
