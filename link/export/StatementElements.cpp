#include "link/export/StatementElements.h"

#include "link/export/ComDataExport.h"
#include "link/export/EDataExportError.h"
#include "link/export/IntermediateLayout.h"
#include "link/export/ValueFormats.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace taxreturn {

using statements::TBALANCE;

namespace {

const QString kFirstProfitAndLossGroup = QStringLiteral("4100");

// Code ranges of the tables, both bounds included.
bool In(int code, int low, int high) {
    return code >= low && code <= high;
}

template <size_t N>
bool OneOf(int code, const std::array<int, N>& codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

QString WithoutBrackets(QString label) {
    return label.remove(QStringLiteral("【")).remove(QStringLiteral("】"));
}

// Sort order of statement lines: the key's block (its first four characters), group lines
// before account lines, the key's remainder as a number (group suffix or order number), and
// the order of appending. Account order numbers below 1000 therefore stay inside their group.
struct LineOrder {
    QString block;
    bool isItem;
    qint64 number;
    int position;

    friend bool operator<(const LineOrder& a, const LineOrder& b) {
        if (a.block != b.block)
            return a.block < b.block;
        if (a.isItem != b.isItem)
            return !a.isItem;
        if (a.number != b.number)
            return a.number < b.number;
        return a.position < b.position;
    }
};

} // namespace

TStatementTotalRows TotalRowsOfCurrentLayout() {
    using statements::TotalRowIndex;
    TStatementTotalRows rows;
    rows.Subtotal1 = TotalRowIndex(2); // 当座資産, 棚卸資産, その他流動資産
    rows.Subtotal2 = TotalRowIndex(3);
    rows.Subtotal3 = TotalRowIndex(4);
    rows.CurrentAssets = TotalRowIndex(5);
    rows.PropertyPlantEquipment = TotalRowIndex(6);
    rows.IntangibleAssets = TotalRowIndex(7);
    rows.InvestmentsOtherAssets = TotalRowIndex(8);
    rows.NoncurrentAssets = TotalRowIndex(9);
    rows.DeferredAssets = TotalRowIndex(10);
    rows.CurrentLiabilities = TotalRowIndex(12);
    rows.NoncurrentLiabilities = TotalRowIndex(13);
    rows.SpecialReserves = TotalRowIndex(14);
    rows.Sales = TotalRowIndex(28);
    rows.SellingGeneralAdmin = TotalRowIndex(37);
    rows.NetIncome = TotalRowIndex(45);
    rows.Unappropriated = TotalRowIndex(statements::MedicalOnlyLine);
    return rows;
}

TBALANCE* TBalanceRowsView::RowAt(int position) const {
    if (!Balances || !SortKeys || position < 0 || position >= SortKeys->size())
        return nullptr;
    const int index = (*SortKeys)[position].ROWIDX;
    if (index < 0 || index >= Balances->size())
        return nullptr;
    return &(*Balances)[index];
}

TBALANCE* TBalanceRowsView::TotalRow(int index) const {
    if (!Balances || index <= 0 || index >= Balances->size())
        return nullptr;
    return &(*Balances)[index];
}

THojinZeiStatementBuilder::THojinZeiStatementBuilder(TBalanceRowsView rows, int dataKind)
    : DataKind(dataKind), TotalRows(TotalRowsOfCurrentLayout()), Rows(rows) {}

QString THojinZeiStatementBuilder::AccountKey(const TBALANCE& row) const {
    const QString group = row.KMK.GROUPM1.rightJustified(4, QLatin1Char(' '));
    if (DataKind == 3)
        return group + QStringLiteral("%1").arg(row.MSTREC, 3, 10, QLatin1Char('0')) + QLatin1Char('0');
    return group + QStringLiteral("%1").arg(row.MSTREC, 4, 10, QLatin1Char('0'));
}

int THojinZeiStatementBuilder::AddGroupItem(int level, const QString& sortKey, core::Currency amount,
                                            const QString& label, const QString& elementName) {
    THojinZeiItemValue line;
    line.SortKey = sortKey;
    line.Level = level;
    line.IsItem = false;
    line.ElementName = elementName;
    line.LabelText = TComDataExport::RemoveBlanks(label);
    line.AmountText = FormatAmount(amount);
    WorkItems.append(line);
    return int(WorkItems.size()) - 1;
}

int THojinZeiStatementBuilder::AddAccountItem(int level, const QString& sortKey, const TBALANCE& row,
                                              const QString& label, const QString& elementName, bool isItem,
                                              bool negate) {
    if (elementName == kElemItem && row.ZAN == core::Currency{})
        return -1;
    const qint32 nature = row.KMK.DAC;
    bool negated = false;
    if (current_ == Statement::BalanceSheet)
        negated = nature == 2 || nature == 4;
    else
        negated = negate && (nature == 1 || nature == 3);
    THojinZeiItemValue line;
    line.SortKey = sortKey;
    line.Level = level;
    line.IsItem = isItem;
    line.ElementName = elementName;
    line.LabelText = TComDataExport::RemoveBlanks(label);
    line.AmountText = FormatAmount(negated ? -row.ZAN : row.ZAN);
    WorkItems.append(line);
    return int(WorkItems.size()) - 1;
}

template <typename Action>
void THojinZeiStatementBuilder::ForEachRow(bool balanceSheet, Action action) {
    for (int position = 0; position < Rows.Count(); ++position) {
        TBALANCE* row = Rows.RowAt(position);
        if (!row || row->KMK.GROUPM1.isEmpty())
            continue;
        const bool profitAndLoss = row->KMK.GROUPM1 >= kFirstProfitAndLossGroup;
        if (balanceSheet && profitAndLoss)
            break;
        if (!balanceSheet && !profitAndLoss)
            continue;
        if (row->KMK.KNAME.isEmpty() && row->ZAN != core::Currency{})
            throw EDataExportError(QStringLiteral("決算書項目で空の印刷名称が存在します。"), kErrorEmptyPrintName,
                                   QString());
        bool ok = false;
        const int code = row->KMK.GROUPM1.toInt(&ok);
        action(*row, AccountKey(*row), ok ? code : 0);
    }
}

void THojinZeiStatementBuilder::SortInto(THojinZeiItemValues& target) {
    std::vector<LineOrder> order;
    order.reserve(size_t(WorkItems.size()));
    for (int i = 0; i < WorkItems.size(); ++i) {
        const auto& line = WorkItems[i];
        order.push_back({line.SortKey.left(4), line.IsItem, line.SortKey.mid(4).toLongLong(), i});
    }
    std::sort(order.begin(), order.end());
    target.clear();
    target.reserve(WorkItems.size());
    for (const auto& entry : order)
        target.append(WorkItems[entry.position]);
}

// ---- balance sheet ----

void THojinZeiStatementBuilder::PrepareBalanceSheetNames() {
    for (int index : {TotalRows.Subtotal1, TotalRows.Subtotal2, TotalRows.Subtotal3}) {
        if (TBALANCE* row = Rows.TotalRow(index)) {
            row->KMK.GROUPM1.clear();
            row->KMK.GROUPM2.clear();
        }
    }
    const std::pair<int, const char*> names[] = {
        {TotalRows.CurrentAssets, "流動資産"},
        {TotalRows.NoncurrentAssets, "固定資産"},
        {TotalRows.PropertyPlantEquipment, "有形固定資産"},
        {TotalRows.IntangibleAssets, "無形固定資産"},
        {TotalRows.InvestmentsOtherAssets, "投資その他の資産"},
        {TotalRows.DeferredAssets, "繰延資産"},
        {TotalRows.CurrentLiabilities, "流動負債"},
        {TotalRows.NoncurrentLiabilities, "固定負債"},
        {TotalRows.SpecialReserves, "特別法上の引当金"},
    };
    for (const auto& [index, name] : names) {
        if (TBALANCE* row = Rows.TotalRow(index))
            row->KMK.KNAME = QString::fromUtf8(name);
    }
}

void THojinZeiStatementBuilder::BalanceSheetRow(const TBALANCE& row, const QString& key, int code) {
    const QString& name = row.KMK.KNAME;
    auto item = [&](int level) { AddAccountItem(level, key, row, name, kElemItem, true, false); };
    auto group = [&](int level, const char* groupKey, const char* element) {
        AddGroupItem(level, QString::fromLatin1(groupKey), row.ZAN, name, QString::fromLatin1(element));
    };

    // Assets and liabilities: the same for both data kinds.
    if (In(code, 1100, 1170) || In(code, 1200, 1270) || In(code, 1300, 1370))
        item(2);
    else if (code == 1390)
        group(1, "1100001", "CurrentAssets");
    else if (In(code, 1400, 1570))
        item(3);
    else if (code == 1580)
        group(2, "1400002", "PropertyPlantAndEquipment");
    else if (In(code, 1600, 1670))
        item(3);
    else if (code == 1680)
        group(2, "1600002", "IntangibleAssets");
    else if (In(code, 1700, 1770))
        item(3);
    else if (code == 1780)
        group(2, "1700002", "InvestmentsAndOtherAssets");
    else if (code == 1790)
        group(1, "1400001", "NoncurrentAssets");
    else if (In(code, 1800, 1870))
        item(2);
    else if (code == 1880)
        group(1, "1800001", "DeferredAssets");
    else if (code == 1900)
        AddGroupItem(0, QStringLiteral("1100000"), {}, QStringLiteral("資産の部"), QStringLiteral("Assets"));
    else if (In(code, 2100, 2170))
        item(2);
    else if (code == 2180)
        group(1, "2100001", "CurrentLiabilities");
    else if (In(code, 2200, 2270))
        item(2);
    else if (code == 2280)
        group(1, "2200001", "NoncurrentLiabilities");
    else if (In(code, 2300, 2370))
        item(2);
    else if (code == 2380)
        group(1, "2300001", "ReservesUnderTheSpecialLaws2");
    else if (code == 2800)
        AddGroupItem(0, QStringLiteral("2100000"), {}, QStringLiteral("負債の部"), QStringLiteral("Liabilities"));
    // Net assets.
    else if (code == 3280 || code == 3380 || code == 3480 || code == 3580) {
        // These are total lines ("【株主資本】"): their balance is the computed total, signed
        // like the net assets it sums, and the nature they carry is that of whichever account
        // was added last, so the accounts' sign rule does not apply to them.
        const int line = AddAccountItem(1, key, row, WithoutBrackets(name), kElemItem, true, false);
        if (line >= 0)
            WorkItems[line].AmountText = FormatAmount(row.ZAN);
    }
    else if (code == 3800)
        AddGroupItem(0, QStringLiteral("3100000"), {}, QStringLiteral("純資産の部"), QStringLiteral("NetAssets"));
    else if (DataKind == 1) {
        static constexpr std::array<int, 12> kEquityCodes = {3100, 3150, 3200, 3220, 3300, 3320,
                                                             3340, 3360, 3370, 3400, 3500, 3600};
        if (OneOf(code, kEquityCodes))
            item(1);
    } else if (In(code, 3100, 3170) || In(code, 3200, 3270) || In(code, 3300, 3370) || In(code, 3400, 3460) ||
               In(code, 3500, 3570)) {
        item(1);
    }
}

void THojinZeiStatementBuilder::MakeBalanceSheet() {
    WorkItems.clear();
    current_ = Statement::BalanceSheet;
    PrepareBalanceSheetNames();
    if (DataKind == 1 || DataKind == 3)
        ForEachRow(true, [this](const TBALANCE& row, const QString& key, int code) { BalanceSheetRow(row, key, code); });
    SortInto(BalanceSheetItems);
}

// ---- income statement ----

void THojinZeiStatementBuilder::PrepareIncomeStatementNames() {
    if (DataKind == 3) {
        if (TBALANCE* row = Rows.TotalRow(TotalRows.Sales))
            row->KMK.KNAME = QStringLiteral("売上高");
    } else if (TBALANCE* row = Rows.TotalRow(TotalRows.SellingGeneralAdmin)) {
        row->KMK.KNAME = QStringLiteral("販売費及び一般管理費");
    }
}

void THojinZeiStatementBuilder::IncomeStatementRow(const TBALANCE& row, const QString& key, int code) {
    auto item = [&](bool negate) { AddAccountItem(1, key, row, row.KMK.KNAME, kElemItem, true, negate); };
    auto group = [&](const char* groupKey, const char* element, const char* label) {
        AddGroupItem(0, QString::fromLatin1(groupKey), row.ZAN, QString::fromUtf8(label), QString::fromLatin1(element));
    };
    if (In(code, 4100, 4110) || In(code, 5100, 5290) || In(code, 6100, 6170) || code == 7100 || code == 7200 ||
        code == 8100 || code == 8200)
        item(false);
    else if (code == 5300)
        item(true);
    else if (code == 4800)
        group("4100000", "NetSales", "売上高");
    else if (code == 5400)
        group("5100000", "CostOfSales", "売上原価");
    else if (code == 5900)
        group("5900000", "GrossProfit", "売上総利益");
    else if (code == 6180)
        group("6100000", "SellingGeneralAndAdministrativeExpenses", "販売費及び一般管理費");
    else if (code == 6200)
        group("6200000", "OperatingIncome", "営業利益");
    else if (code == 7180)
        group("7100000", "NonOperatingIncome", "営業外収益");
    else if (code == 7280)
        group("7200000", "NonOperatingExpenses", "営業外費用");
    else if (code == 7300)
        group("7300000", "OrdinaryIncome", "経常利益");
    else if (code == 8180)
        group("8100000", "ExtraordinaryIncome", "特別利益");
    else if (code == 8280)
        group("8200000", "ExtraordinaryLoss", "特別損失");
    else if (code == 8290)
        group("8290000", "IncomeBeforeIncomeTaxes", "税引前当期純利益");
    else if (code == 8400)
        group("8400000", "NetIncome", "当期純利益");
    else if (code == 8300) {
        // The income-tax group is written before its accounts and carries their signed sum.
        if (incomeTaxGroup_ < 0)
            incomeTaxGroup_ =
                AddGroupItem(0, QStringLiteral("8300000"), {}, QStringLiteral("法人税等"), QStringLiteral("IncomeTaxes"));
        item(false);
        const qint32 nature = row.KMK.DAC;
        if (nature == 1 || nature == 3)
            incomeTaxSum_ += row.ZAN;
        else if (nature == 2 || nature == 4)
            incomeTaxSum_ -= row.ZAN;
        WorkItems[incomeTaxGroup_].AmountText = FormatAmount(incomeTaxSum_);
    }
}

void THojinZeiStatementBuilder::MedicalIncomeStatementRow(const TBALANCE& row, const QString& key, int code) {
    auto group = [&](const char* groupKey, const char* element, const char* label) {
        AddGroupItem(0, QString::fromLatin1(groupKey), row.ZAN, QString::fromUtf8(label), QString::fromLatin1(element));
    };
    const bool plainItem = In(code, 4100, 4170) || In(code, 4200, 4270) || In(code, 4300, 4370) ||
                           In(code, 4400, 4470) || In(code, 5100, 5290) || In(code, 6100, 6170) ||
                           In(code, 6200, 6270) || In(code, 6300, 6370) || In(code, 6400, 6470) ||
                           In(code, 6500, 6570) || In(code, 6600, 6670) || In(code, 6700, 6770) ||
                           In(code, 6800, 6870) || code == 7100 || code == 7200 || code == 8100 || code == 8200;
    if (plainItem)
        AddAccountItem(1, key, row, row.KMK.KNAME, kElemItem, true, false);
    else if (code == 5300)
        AddAccountItem(1, key, row, row.KMK.KNAME, kElemItem, true, true);
    else if (code == 4800)
        group("4100000", "NetSales", "売上高");
    else if (code == 5400)
        group("5100000", "CostOfSales", "売上原価");
    else if (code == 5900)
        group("5900000", "GrossProfit", "売上総利益");
    else if (code == 6180)
        group("6100000", "SellingGeneralAndAdministrativeExpenses", "販売費及び一般管理費");
    else if (code == 6950)
        group("6900000", "OperatingIncome", "営業利益");
    else if (code == 7180)
        group("7100000", "NonOperatingIncome", "営業外収益");
    else if (code == 7280)
        group("7200000", "NonOperatingExpenses", "営業外費用");
    else if (code == 7300)
        group("7300000", "OrdinaryIncome", "経常利益");
    else if (code == 8180)
        group("8100000", "ExtraordinaryIncome", "特別利益");
    else if (code == 8280)
        group("8200000", "ExtraordinaryLoss", "特別損失");
    else if (code == 8300)
        group("8290000", "IncomeBeforeIncomeTaxes", "税引前当期利益");
    else if (code == 9280)
        group("8400000", "NetIncome", "当期純利益");
}

void THojinZeiStatementBuilder::MakeIncomeStatement() {
    WorkItems.clear();
    current_ = Statement::IncomeOrSchedule;
    incomeTaxGroup_ = -1;
    incomeTaxSum_ = {};
    PrepareIncomeStatementNames();
    if (DataKind == 1)
        ForEachRow(false, [this](const TBALANCE& row, const QString& key, int code) { IncomeStatementRow(row, key, code); });
    else if (DataKind == 3)
        ForEachRow(false, [this](const TBALANCE& row, const QString& key, int code) {
            MedicalIncomeStatementRow(row, key, code);
        });
    SortInto(IncomeStatementItems);
}

// ---- manufacturing schedule ----

void THojinZeiStatementBuilder::PrepareManufacturingNames() {
    if (TBALANCE* row = Rows.TotalRow(TotalRows.SellingGeneralAdmin))
        row->KMK.KNAME = QStringLiteral("販売費及び一般管理費");
}

void THojinZeiStatementBuilder::ManufacturingRow(const TBALANCE& row, const QString& key, int code) {
    auto item = [&](bool negate) { AddAccountItem(1, key, row, row.KMK.KNAME, kElemItem, true, negate); };
    auto group = [&](const char* groupKey, const char* element, const char* label) {
        AddGroupItem(0, QString::fromLatin1(groupKey), row.ZAN, QString::fromUtf8(label), QString::fromLatin1(element));
    };
    if (In(code, 5500, 5520) || In(code, 5540, 5570) || code == 5600 || code == 5685 || code == 5700)
        item(false);
    else if (code == 5530)
        item(true);
    else if (code == 5580)
        group("5500000", "MaterialCost", "材料費");
    else if (code == 5680)
        group("5600000", "LaborCost", "労務費");
    else if (code == 5688)
        group("5680000", "SubcontractCost", "外注費");
    else if (code == 5780)
        group("5700000", "OverheadExpenses", "経費");
    else if (code == 5810) {
        group("5810000", "WorkProcessBeginningInventories", "期首仕掛品たな卸高");
        item(false);
    } else if (code == 5820) {
        AddAccountItem(0, QStringLiteral("5820000"), row, QStringLiteral("期末仕掛品たな卸高"),
                       QStringLiteral("WorkProcessClosingInventories"), false, true);
        item(true);
    } else if (code == 5880)
        group("5880000", "CostFinishedGoods", "当期製品製造原価");
}

void THojinZeiStatementBuilder::MakeManufacturingSchedule() {
    WorkItems.clear();
    current_ = Statement::IncomeOrSchedule;
    if (DataKind == 1) {
        PrepareManufacturingNames();
        ForEachRow(false, [this](const TBALANCE& row, const QString& key, int code) { ManufacturingRow(row, key, code); });
    }
    SortInto(ManufacturingItems);
}

// ---- writing ----

void WriteStatementElement(TXmlSaveDoc& doc, IXMLNode data, const QString& elementName,
                           const THojinZeiItemValues& lines) {
    // slot[n]: the element that lines of level n go under; slot 0 is the statement element.
    std::vector<IXMLNode> slot(1, doc.AddNode(data, elementName, QString(), QString()));
    auto parentAt = [&slot](int level) {
        // A level whose enclosing group was never written goes under the nearest written one,
        // never out of the statement.
        for (int n = std::min(level, int(slot.size()) - 1); n >= 0; --n) {
            if (slot[size_t(n)])
                return slot[size_t(n)];
        }
        return slot[0];
    };
    for (const auto& line : lines) {
        const int level = std::max(line.Level, 0);
        TXmlNodeAttrs attrs{{kAttrLabel, line.LabelText}};
        if (line.IsItem) {
            doc.AddTextNodeAttrs(parentAt(level), kElemItem, line.AmountText, attrs);
            continue;
        }
        if (!line.AmountText.isEmpty())
            attrs.append({kAttrAmount, line.AmountText});
        IXMLNode element = doc.AddNodeAttrs(parentAt(level), line.ElementName, attrs);
        if (slot.size() < size_t(level) + 2)
            slot.resize(size_t(level) + 2, nullptr);
        slot[size_t(level) + 1] = element;
    }
}

void THojinZeiStatementBuilder::WriteStatements(TXmlSaveDoc& doc, IXMLNode data) const {
    WriteStatementElement(doc, data, kElemBalanceSheet, BalanceSheetItems);
    WriteStatementElement(doc, data, kElemIncomeStatement, IncomeStatementItems);
    WriteStatementElement(doc, data, kElemManufacturingSchedule, ManufacturingItems);
}

} // namespace taxreturn
