// The balance sheet, income statement and manufacturing schedule on hand-made balance rows:
// which lines appear, their signs, their order and nesting, and the written elements.

#include "link/export/EDataExportError.h"
#include "link/export/StatementElements.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace taxreturn;
using core::Currency;

namespace {

// Hand-made rows in statement order; row 0 is unused, as in the computation's layout.
struct Rows {
    statements::TBalanceArray balances{statements::TBALANCE{}};
    statements::TQSortArray sorts;

    int add(const char* group, const QString& name, qint32 nature, qint32 mstrec, qint64 closing,
            qint64 opening = 0)
    {
        statements::TBALANCE row;
        row.KMK.GROUPM1 = QString::fromLatin1(group);
        row.KMK.GROUPM2 = row.KMK.GROUPM1;
        row.KMK.KNAME = name;
        row.KMK.DAC = nature;
        row.MSTREC = mstrec;
        row.ZAN = Currency::fromInt(closing);
        row.KURIKOSI = Currency::fromInt(opening);
        balances.append(row);
        const int index = int(balances.size()) - 1;
        sorts.append(core::TQSORT{row.KMK.GROUPM1, index});
        return index;
    }
    TBalanceRowsView view() { return {&balances, &sorts}; }
};

THojinZeiStatementBuilder builder(Rows& rows, int dataKind)
{
    THojinZeiStatementBuilder b(rows.view(), dataKind);
    b.TotalRows = TStatementTotalRows{};
    return b;
}

// The DATA element of a document holding the three statements.
QString writtenStatements(const THojinZeiStatementBuilder& b)
{
    TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    IXMLNode root = doc.CreateRoot(QStringLiteral("REPORT"), {});
    b.WriteStatements(doc, doc.AddNode(root, QStringLiteral("DATA"), {}, {}));
    const QString text = platform::fromCp932(doc.SaveToBytes());
    return text.mid(text.indexOf(QStringLiteral("<DATA>")));
}

TEST(StatementElementsTest, BalanceSheetNestsGroupsSignsLiabilitiesAndLeavesZeroAccountsOut)
{
    Rows rows;
    rows.add("1100", QStringLiteral("現　金"), 1, 1000, 300);
    rows.add("1100", QStringLiteral("預金"), 1, 1010, 0);          // zero: left out
    rows.add("1100", QStringLiteral("小口"), 1, 12, 5);             // small order number stays in its group
    const int subtotal = rows.add("1180", QStringLiteral("当座資産合計"), 1, 0, 305);
    const int current = rows.add("1390", QStringLiteral("流動資産合計"), 1, 0, 305);
    rows.add("1900", QStringLiteral("資産の部合計"), 1, 0, 305);
    rows.add("2100", QStringLiteral("買掛金"), 2, 1000, 500);       // nature 2: negated by the rule
    rows.add("2100", QStringLiteral("前受金"), 4, 1010, 7);         // nature 4: negated
    const int liabilities = rows.add("2180", QStringLiteral("流動負債合計"), 2, 0, 0); // zero: no Amount
    rows.add("2800", QStringLiteral("負債の部合計"), 2, 0, 507);
    rows.add("3100", QStringLiteral("資本金"), 2, 1000, -200);
    rows.add("3280", QStringLiteral("【資本剰余金】"), 2, 1000, 5);  // a total: no sign rule
    rows.add("3480", QStringLiteral("【株主資本】"), 4, 1000, 205);  // its nature is a stray account's
    rows.add("3800", QStringLiteral("純資産の部合計"), 2, 0, -205);
    rows.add("4100", QStringLiteral("売上高"), 2, 1000, 900);       // ends the balance sheet

    THojinZeiStatementBuilder b = builder(rows, 1);
    b.TotalRows.Subtotal1 = subtotal;
    b.TotalRows.CurrentAssets = current;
    b.TotalRows.CurrentLiabilities = liabilities;
    b.MakeBalanceSheet();

    EXPECT_TRUE(rows.balances[subtotal].KMK.GROUPM1.isEmpty()) << "the subtotal leaves the statements";
    EXPECT_EQ(writtenStatements(b),
              QStringLiteral("<DATA><BalanceSheet>"
                             "<Assets Label=\"資産の部\"><CurrentAssets Label=\"流動資産\" Amount=\"305\">"
                             "<Item Label=\"小口\">5</Item><Item Label=\"現金\">300</Item></CurrentAssets></Assets>"
                             "<Liabilities Label=\"負債の部\"><CurrentLiabilities Label=\"流動負債\">"
                             "<Item Label=\"買掛金\">-500</Item><Item Label=\"前受金\">-7</Item>"
                             "</CurrentLiabilities></Liabilities>"
                             "<NetAssets Label=\"純資産の部\"><Item Label=\"資本金\">200</Item>"
                             "<Item Label=\"資本剰余金\">5</Item><Item Label=\"株主資本\">205</Item></NetAssets>"
                             "</BalanceSheet><IncomeStatement/><ScheduleCostGoodsManufactured/></DATA></REPORT>"));
}

TEST(StatementElementsTest, EmptyPrintNameWithABalanceStopsWithCode2)
{
    struct Case {
        const char* group;
        qint64 balance;
        bool fails;
    } cases[] = {
        {"1100", 10, true},
        {"1180", 10, true}, // a code of no table fails too
        {"1100", 0, false},
        {"5100", -3, true},
    };
    for (const Case& c : cases) {
        Rows rows;
        rows.add(c.group, QString(), 1, 1000, c.balance);
        THojinZeiStatementBuilder b = builder(rows, 1);
        try {
            b.MakeBalanceSheet();
            b.MakeIncomeStatement();
            EXPECT_FALSE(c.fails) << c.group << " " << c.balance;
        } catch (const EDataExportError& e) {
            EXPECT_TRUE(c.fails) << c.group << " " << c.balance;
            EXPECT_EQ(e.ErrorCode, 2);
            EXPECT_EQ(e.message(), QStringLiteral("決算書項目で空の印刷名称が存在します。"));
            EXPECT_TRUE(e.Detail.isEmpty());
        }
    }
}

TEST(StatementElementsTest, IncomeTaxGroupCarriesTheSignedSumBeforeItsAccounts)
{
    Rows rows;
    rows.add("1100", QStringLiteral("現金"), 1, 1000, 1); // balance sheet: not part of this statement
    rows.add("4100", QStringLiteral("売上高"), 2, 1000, 900);
    rows.add("4800", QStringLiteral("純売上高"), 2, 0, 900);
    rows.add("5100", QStringLiteral("期首商品"), 1, 1000, 50);
    rows.add("5300", QStringLiteral("期末商品"), 1, 1000, 20);   // negate flag, nature 1
    rows.add("5400", QStringLiteral("売上原価"), 1, 0, 30);
    const int sga = rows.add("6180", QStringLiteral("販売費・一般管理費"), 1, 0, 0);
    rows.add("8300", QStringLiteral("法人税"), 1, 1000, 100);    // adds
    rows.add("8300", QStringLiteral("還付税"), 2, 1010, 30);     // subtracts
    rows.add("8400", QStringLiteral("当期純利益"), 2, 0, 770);

    THojinZeiStatementBuilder b = builder(rows, 1);
    b.TotalRows.SellingGeneralAdmin = sga;
    b.MakeIncomeStatement();

    EXPECT_EQ(rows.balances[sga].KMK.KNAME, QStringLiteral("販売費及び一般管理費"));
    EXPECT_EQ(writtenStatements(b),
              QStringLiteral("<DATA><BalanceSheet/><IncomeStatement>"
                             "<NetSales Label=\"売上高\" Amount=\"900\"><Item Label=\"売上高\">900</Item></NetSales>"
                             "<CostOfSales Label=\"売上原価\" Amount=\"30\"><Item Label=\"期首商品\">50</Item>"
                             "<Item Label=\"期末商品\">-20</Item></CostOfSales>"
                             "<SellingGeneralAndAdministrativeExpenses Label=\"販売費及び一般管理費\"/>"
                             "<IncomeTaxes Label=\"法人税等\" Amount=\"70\"><Item Label=\"法人税\">100</Item>"
                             "<Item Label=\"還付税\">30</Item></IncomeTaxes>"
                             "<NetIncome Label=\"当期純利益\" Amount=\"770\"/>"
                             "</IncomeStatement><ScheduleCostGoodsManufactured/></DATA></REPORT>"));
}

TEST(StatementElementsTest, ManufacturingScheduleWritesWorkInProcessLinesAndNegatesClosingStock)
{
    Rows rows;
    rows.add("5500", QStringLiteral("材料仕入"), 1, 1000, 400);
    rows.add("5530", QStringLiteral("期末材料"), 1, 1000, 40);
    rows.add("5580", QStringLiteral("材料費計"), 1, 0, 360);
    rows.add("5810", QStringLiteral("期首仕掛品"), 1, 1000, 15);
    rows.add("5820", QStringLiteral("期末仕掛品"), 1, 1000, 25);
    rows.add("5880", QStringLiteral("当期製造原価"), 1, 0, 350);

    THojinZeiStatementBuilder b = builder(rows, 1);
    b.MakeManufacturingSchedule();
    EXPECT_EQ(writtenStatements(b),
              QStringLiteral("<DATA><BalanceSheet/><IncomeStatement/><ScheduleCostGoodsManufactured>"
                             "<MaterialCost Label=\"材料費\" Amount=\"360\"><Item Label=\"材料仕入\">400</Item>"
                             "<Item Label=\"期末材料\">-40</Item></MaterialCost>"
                             "<WorkProcessBeginningInventories Label=\"期首仕掛品たな卸高\" Amount=\"15\">"
                             "<Item Label=\"期首仕掛品\">15</Item></WorkProcessBeginningInventories>"
                             "<WorkProcessClosingInventories Label=\"期末仕掛品たな卸高\" Amount=\"-25\">"
                             "<Item Label=\"期末仕掛品\">-25</Item></WorkProcessClosingInventories>"
                             "<CostFinishedGoods Label=\"当期製品製造原価\" Amount=\"350\"/>"
                             "</ScheduleCostGoodsManufactured></DATA></REPORT>"));
}

TEST(StatementElementsTest, MedicalDataUsesItsKeyFormatTablesAndAnEmptySchedule)
{
    Rows rows;
    rows.add("3170", QStringLiteral("基金"), 2, 150, -10);
    rows.add("3800", QStringLiteral("純資産合計"), 2, 0, -10);
    rows.add("4300", QStringLiteral("医業収益"), 2, 120, 800);
    rows.add("4800", QStringLiteral("医業収益計"), 2, 0, 800);
    rows.add("6950", QStringLiteral("事業利益"), 2, 0, 800);
    rows.add("8300", QStringLiteral("税引前"), 2, 0, 800);     // a total for medical data
    rows.add("5500", QStringLiteral("材料"), 1, 100, 9);       // no schedule for medical data

    THojinZeiStatementBuilder b = builder(rows, 3);
    EXPECT_EQ(b.AccountKey(rows.balances[1]), QStringLiteral("31701500"));
    EXPECT_EQ(THojinZeiStatementBuilder(rows.view(), 1).AccountKey(rows.balances[1]), QStringLiteral("31700150"));
    b.MakeBalanceSheet();
    b.MakeIncomeStatement();
    b.MakeManufacturingSchedule();
    EXPECT_EQ(writtenStatements(b),
              QStringLiteral("<DATA><BalanceSheet><NetAssets Label=\"純資産の部\"><Item Label=\"基金\">10</Item>"
                             "</NetAssets></BalanceSheet><IncomeStatement>"
                             "<NetSales Label=\"売上高\" Amount=\"800\"><Item Label=\"医業収益\">800</Item></NetSales>"
                             "<OperatingIncome Label=\"営業利益\" Amount=\"800\"/>"
                             "<IncomeBeforeIncomeTaxes Label=\"税引前当期利益\" Amount=\"800\"/>"
                             "</IncomeStatement><ScheduleCostGoodsManufactured/></DATA></REPORT>"));
}

TEST(StatementElementsTest, LinesWithEqualKeysKeepTheirOwnValuesInAppendOrder)
{
    Rows rows;
    rows.add("1390", QStringLiteral("流動資産"), 1, 0, 3);
    rows.add("1100", QStringLiteral("甲"), 1, 1000, 1);
    rows.add("1100", QStringLiteral("乙"), 1, 1000, 2);
    THojinZeiStatementBuilder b = builder(rows, 1);
    b.MakeBalanceSheet();
    ASSERT_EQ(b.BalanceSheetItems.size(), 3);
    EXPECT_EQ(b.BalanceSheetItems[0].ElementName, QStringLiteral("CurrentAssets"));
    EXPECT_EQ(b.BalanceSheetItems[1].LabelText, QStringLiteral("甲"));
    EXPECT_EQ(b.BalanceSheetItems[2].LabelText, QStringLiteral("乙"));
}

} // namespace

// ---- the real read: the samples through the loader and the builders (read only) ----

#include "link/export/DataLoader.h"
#include "tests/link/ExportSampleFixture.h"

namespace {

class StatementsOnSampleTest : public exporttest::ExportSampleTest {
protected:
    // The sum of the Item lines directly under the group line at position i.
    static Currency itemSum(const THojinZeiItemValues& lines, int group)
    {
        Currency sum;
        for (int i = group + 1; i < lines.size() && (lines[i].IsItem || lines[i].Level > lines[group].Level); ++i) {
            if (lines[i].IsItem && lines[i].Level == lines[group].Level + 1)
                sum += Currency::fromInt(lines[i].AmountText.toLongLong());
        }
        return sum;
    }
    static int find(const THojinZeiItemValues& lines, const QString& element)
    {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].ElementName == element)
                return i;
        return -1;
    }
};

TEST_F(StatementsOnSampleTest, OrdinarySampleNestsEveryStatementUnderItsGroups)
{
    openSample(exporttest::kOrdinarySample);
    statements::InitKamokuGroupTable(false);
    TZaimuDataLoad loader;
    loader.LoadBalances();
    THojinZeiStatementBuilder b({&loader.Balances, &loader.SortKeys}, 1);
    b.MakeBalanceSheet();
    b.MakeIncomeStatement();
    b.MakeManufacturingSchedule();

    const auto& bs = b.BalanceSheetItems;
    ASSERT_FALSE(bs.isEmpty());
    EXPECT_EQ(bs.first().ElementName, QStringLiteral("Assets"));
    // Every line sits at most one level below the line before it, and items never open a level.
    for (int i = 1; i < bs.size(); ++i)
        EXPECT_LE(bs[i].Level, bs[i - 1].Level + (bs[i - 1].IsItem ? 0 : 1)) << i << " " << bs[i].LabelText.toStdString();
    const int current = find(bs, QStringLiteral("CurrentAssets"));
    ASSERT_GE(current, 0);
    EXPECT_EQ(bs[current].LabelText, QStringLiteral("流動資産"));
    EXPECT_EQ(itemSum(bs, current), Currency::fromInt(bs[current].AmountText.toLongLong()))
        << "debit-natured assets add up to their group";

    const auto& is = b.IncomeStatementItems;
    ASSERT_FALSE(is.isEmpty());
    EXPECT_EQ(is.first().ElementName, QStringLiteral("NetSales"));
    EXPECT_EQ(is.last().ElementName, QStringLiteral("NetIncome"));
    const int taxes = find(is, QStringLiteral("IncomeTaxes"));
    if (taxes >= 0)
        EXPECT_EQ(itemSum(is, taxes), Currency::fromInt(is[taxes].AmountText.toLongLong()));
}

TEST_F(StatementsOnSampleTest, MedicalSampleHasMedicalKeysAndNoSchedule)
{
    openSample(exporttest::kMedicalSample);
    statements::InitKamokuGroupTable(true);
    TZaimuDataLoad loader;
    loader.BusinessKind = 16;
    loader.LoadBalances();
    THojinZeiStatementBuilder b({&loader.Balances, &loader.SortKeys}, 3);
    b.MakeBalanceSheet();
    b.MakeIncomeStatement();
    b.MakeManufacturingSchedule();
    statements::InitKamokuGroupTable(false);

    ASSERT_FALSE(b.BalanceSheetItems.isEmpty());
    ASSERT_FALSE(b.IncomeStatementItems.isEmpty());
    EXPECT_TRUE(b.ManufacturingItems.isEmpty());
    for (const auto& line : b.BalanceSheetItems + b.IncomeStatementItems)
        if (line.IsItem)
            EXPECT_TRUE(line.SortKey.endsWith(QLatin1Char('0'))) << line.SortKey.toStdString();
    EXPECT_EQ(find(b.IncomeStatementItems, QStringLiteral("IncomeTaxes")), -1);
}

} // namespace
