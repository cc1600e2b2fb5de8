#pragma once
// The three statements every intermediate file carries: the balance sheet, the income
// statement and the schedule of cost of goods manufactured. The builders walk the loaded
// balance rows in statement order, turn the rows of known group codes into group lines and
// account lines, sort them by their keys and write them as the BalanceSheet, IncomeStatement
// and ScheduleCostGoodsManufactured elements.
//
// The nesting of the written statements rests on the sort: a group line's key is its block's
// four-digit code followed by "000", "001" or "002", an account line's key the group code
// followed by its order number, so a group sorts in front of the accounts it encloses.

#include "link/export/XmlSaveDoc.h"
#include "statements/KamokuGroup.h"

#include <QList>
#include <QString>

namespace taxreturn {

inline const QString kElemItem = QStringLiteral("Item");

// One statement line.
struct THojinZeiItemValue {
    QString SortKey;
    int Level = 0;       // 0 directly under the statement element, one more per enclosing group
    bool IsItem = false; // an account line, written as an "Item" element
    QString ElementName; // the group element's name; "Item" for account lines
    QString LabelText;
    QString AmountText;  // empty for zero
};
using THojinZeiItemValues = QList<THojinZeiItemValue>;

// Rows of the balance array the builders address by role (0: the layout has no such row).
struct TStatementTotalRows {
    int Subtotal1 = 0; // the three intermediate balance-sheet subtotals
    int Subtotal2 = 0;
    int Subtotal3 = 0;
    int CurrentAssets = 0;
    int NoncurrentAssets = 0;
    int PropertyPlantEquipment = 0;
    int IntangibleAssets = 0;
    int InvestmentsOtherAssets = 0;
    int DeferredAssets = 0;
    int CurrentLiabilities = 0;
    int NoncurrentLiabilities = 0;
    int SpecialReserves = 0;
    int SellingGeneralAdmin = 0;
    int Sales = 0;
    int NetIncome = 0;
    int Unappropriated = 0; // unappropriated retained earnings (medical layout)
};

// The rows of the statement computation's current layout (statements::InitKamokuGroupTable).
TStatementTotalRows TotalRowsOfCurrentLayout();

// The balance rows as the loader left them: entry i of SortKeys gives the index in Balances of
// the i-th row in statement order. Neither array is owned.
struct TBalanceRowsView {
    statements::TBalanceArray* Balances = nullptr;
    const statements::TQSortArray* SortKeys = nullptr;

    // Number of rows in statement order.
    int Count() const { return SortKeys ? int(SortKeys->size()) : 0; }
    // The row at statement position i; nullptr when the entry points outside the array.
    statements::TBALANCE* RowAt(int position) const;
    // The row of a total role; nullptr for 0 or an index outside the array.
    statements::TBALANCE* TotalRow(int index) const;
};

// The balance sheet, income statement and manufacturing-schedule builders.
class THojinZeiStatementBuilder {
public:
    // dataKind: 1 corporation, 3 medical corporation (other kinds produce no lines). The total
    // rows are those of the current layout; tests on hand-made rows set their own.
    THojinZeiStatementBuilder(TBalanceRowsView rows, int dataKind);

    int DataKind = 0;
    TStatementTotalRows TotalRows;
    TBalanceRowsView Rows;

    THojinZeiItemValues WorkItems;
    THojinZeiItemValues BalanceSheetItems;
    THojinZeiItemValues IncomeStatementItems;
    THojinZeiItemValues ManufacturingItems;

    // Each empties WorkItems, prepares the print names it needs, builds its lines and sorts
    // them into its statement. EDataExportError code 2 for a row with a balance and no print
    // name. The preparations change names and codes in the shared balance rows.
    void MakeBalanceSheet();
    void MakeIncomeStatement();
    void MakeManufacturingSchedule();

    // Appends one line to WorkItems; returns its position (-1 when nothing was appended).
    int AddGroupItem(int level, const QString& sortKey, core::Currency amount, const QString& label,
                     const QString& elementName);
    int AddAccountItem(int level, const QString& sortKey, const statements::TBALANCE& row, const QString& label,
                       const QString& elementName, bool isItem, bool negate);

    // The account line's key: "%4s%.4d" of GROUPM1 and MSTREC, "%4s%.3d0" for medical data.
    QString AccountKey(const statements::TBALANCE& row) const;

    // Writes BalanceSheet, IncomeStatement and ScheduleCostGoodsManufactured under DATA.
    void WriteStatements(TXmlSaveDoc& doc, IXMLNode data) const;

private:
    enum class Statement { BalanceSheet, IncomeOrSchedule };
    void PrepareBalanceSheetNames();
    void PrepareIncomeStatementNames();
    void PrepareManufacturingNames();
    // Visits the rows in statement order whose GROUPM1 lies in the statement's range.
    template <typename Action> void ForEachRow(bool balanceSheet, Action action);
    void SortInto(THojinZeiItemValues& target);
    void BalanceSheetRow(const statements::TBALANCE& row, const QString& key, int code);
    void IncomeStatementRow(const statements::TBALANCE& row, const QString& key, int code);
    void MedicalIncomeStatementRow(const statements::TBALANCE& row, const QString& key, int code);
    void ManufacturingRow(const statements::TBALANCE& row, const QString& key, int code);

    Statement current_ = Statement::BalanceSheet;
    int incomeTaxGroup_ = -1;     // position of the IncomeTaxes group line in WorkItems
    core::Currency incomeTaxSum_; // its running total
};

// Writes one statement element under DATA with its lines (empty when there are none).
void WriteStatementElement(TXmlSaveDoc& doc, IXMLNode data, const QString& elementName,
                           const THojinZeiItemValues& lines);

} // namespace taxreturn
