#include "link/export/NotesReader.h"

#include "core/dates/DateTexts.h"
#include "core/dates/SerialDate.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/Exception.h"
#include "core/settings/QueryFactory.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <limits>

namespace taxreturn {

using namespace Qt::StringLiterals;

namespace {

struct TemplateRow {
    QString id;
    int level;
    QString type;
    QString key;
    QString title;
};

// Id, level, type, XBRL key and title of every note item, in row order.
const TemplateRow kTemplateRows[] = {
    {u"ID-0"_s, 0, u"－"_s, u"ListNotesNonConsolidated"_s, u"個別注記表"_s},
    {u"ID-0-1"_s, 1, u"文字"_s, u"NotesGoingConcernAssumption"_s, u"継続企業の前提に関する注記"_s},
    {u"ID-0-2"_s, 1, u"文字"_s, u"NotesSignificantAccountingPolicy"_s, u"重要な会計方針に係る事項に関する注記"_s},
    {u"ID-0-2-1"_s, 1, u"文字"_s, u"ValuationBasisValuationMethodAssets"_s, u"資産の評価基準及び評価方法"_s},
    {u"ID-0-2-1-1"_s, 1, u"文字"_s, u"ValuationBasisValuationMethodMarketableSecurities"_s, u"有価証券の評価基準及び評価方法"_s},
    {u"ID-0-2-1-2"_s, 1, u"文字"_s, u"ValuationBasisValuationMethodInventories"_s, u"たな卸資産の評価基準及び評価方法"_s},
    {u"ID-0-2-2"_s, 1, u"文字"_s, u"DepreciationMethodFixedAssets"_s, u"固定資産の減価償却の方法"_s},
    {u"ID-0-2-3"_s, 1, u"文字"_s, u"RecordingBasisReserves"_s, u"引当金の計上基準"_s},
    {u"ID-0-2-4"_s, 1, u"文字"_s, u"RecordingBasisRevenueExpense"_s, u"収益及び費用の計上基準"_s},
    {u"ID-0-2-5"_s, 1, u"文字"_s, u"OtherSignificantMattersFundamentalsPreparingFinancialStatements"_s, u"その他計算書類の作成のための基本となる重要な事項"_s},
    {u"ID-0-2-5-1"_s, 1, u"文字"_s, u"InclusionInterestExpenseAcquisitionCost"_s, u"金利の取得原価算入"_s},
    {u"ID-0-2-5-2"_s, 1, u"－"_s, u"SignificantAccountingPoliciesOther"_s, u"その他"_s},
    {u"ID-0-2-5-2-1"_s, 2, u"文字"_s, u"SignificantAccountingPoliciesItemName"_s, u"項目名"_s},
    {u"ID-0-2-5-2-2"_s, 2, u"文字"_s, u"SignificantAccountingPoliciesDescription"_s, u"内容"_s},
    {u"ID-0-2-6"_s, 1, u"文字"_s, u"ChangesAccountingPrincipleProcedure"_s, u"会計処理の原則又は手続の変更"_s},
    {u"ID-0-2-7"_s, 1, u"文字"_s, u"ChangesPresentation"_s, u"表示方法の変更"_s},
    {u"ID-0-3"_s, 1, u"文字"_s, u"NoteBalanceSheet"_s, u"貸借対照表に関する注記"_s},
    {u"ID-0-3-1"_s, 1, u"文字"_s, u"PledgedAssets"_s, u"担保資産及び担保付債務"_s},
    {u"ID-0-3-2"_s, 1, u"文字"_s, u"AllowanceDoubtfulAccountsDeductedDirectlyAssets"_s, u"資産の部から直接控除した貸倒引当金"_s},
    {u"ID-0-3-2-1"_s, 1, u"金額"_s, u"AllowanceDoubtfulAccountsDeductedDirectlyCurrentAssets"_s, u"流動資産"_s},
    {u"ID-0-3-2-2"_s, 1, u"金額"_s, u"AllowanceDoubtfulAccountsDeductedDirectlyLongTermInvestments"_s, u"投資その他の資産"_s},
    {u"ID-0-3-3"_s, 1, u"金額"_s, u"DepreciationTangibleAssets"_s, u"有形固定資産の減価償却累計額"_s},
    {u"ID-0-3-4"_s, 1, u"金額"_s, u"AmountGuaranties"_s, u"保証債務額"_s},
    {u"ID-0-3-5"_s, 1, u"金額"_s, u"AmountNotesReceivableDiscounted"_s, u"受取手形割引高"_s},
    {u"ID-0-3-6"_s, 1, u"金額"_s, u"AmountNotesReceivableEndorsed"_s, u"受取手形裏書譲渡高"_s},
    {u"ID-0-3-7"_s, 1, u"文字"_s, u"MaterialCompensationObligationDamageLitigation"_s, u"重要な係争事件に係る損害賠償義務"_s},
    {u"ID-0-3-8"_s, 1, u"文字"_s, u"CircumstanceDoubtfulLoan"_s, u"不良債権の状況"_s},
    {u"ID-0-3-9"_s, 1, u"金額"_s, u"DishonoredNotesNotesPayable"_s, u"受取手形中の不渡手形"_s},
    {u"ID-0-3-10"_s, 1, u"文字"_s, u"MonetaryReceivablesPayablesAffiliates"_s, u"関係会社に対する金銭債権・金銭債務"_s},
    {u"ID-0-3-10-1"_s, 1, u"－"_s, u"MonetaryReceivablesPayablesAffiliatesDetails"_s, u"内訳"_s},
    {u"ID-0-3-10-1-1"_s, 2, u"文字"_s, u"MonetaryReceivablesPayablesAffiliatesAccountName"_s, u"科目名"_s},
    {u"ID-0-3-10-1-2"_s, 2, u"金額"_s, u"MonetaryReceivablesPayablesAffiliatesAmount"_s, u"金額"_s},
    {u"ID-0-3-11"_s, 1, u"文字"_s, u"MonetaryReceivablesPayablesDirectors"_s, u"取締役等に対する金銭債権・金銭債務"_s},
    {u"ID-0-3-11-1"_s, 1, u"金額"_s, u"MonetaryReceivablesDirectors"_s, u"金銭債権"_s},
    {u"ID-0-3-11-2"_s, 1, u"金額"_s, u"MonetaryPayablesDirectors"_s, u"金銭債務"_s},
    {u"ID-0-3-12"_s, 1, u"金額"_s, u"ParentCompanySecuritiesMarketableSecurities"_s, u"有価証券中の親会社株式"_s},
    {u"ID-0-3-13"_s, 1, u"文字"_s, u"RecoverableInventoriesEtc"_s, u"回復の見込みがあるたな卸資産等"_s},
    {u"ID-0-3-14"_s, 1, u"文字"_s, u"SignificantOwnershipReservedAssets"_s, u"重要な所有権留保資産"_s},
    {u"ID-0-3-15"_s, 1, u"文字"_s, u"RevaluationLandBusiness"_s, u"事業用土地の再評価"_s},
    {u"ID-0-3-16"_s, 1, u"文字"_s, u"RevenueReserveSpecialLaw"_s, u"特別法上の準備金等"_s},
    {u"ID-0-3-17"_s, 1, u"文字"_s, u"AdvancedDepreciation"_s, u"圧縮記帳"_s},
    {u"ID-0-3-18"_s, 1, u"文字"_s, u"NotesReceivablesNotesPayablesMaturedAtClosingDate"_s, u"期末日満期手形"_s},
    {u"ID-0-3-18-1"_s, 1, u"文字"_s, u"AccountingMethodNotesReceivablesNotesPayablesMaturedClosingDate"_s, u"期末日満期手形の会計処理"_s},
    {u"ID-0-3-18-2"_s, 1, u"金額"_s, u"NotesReceivablesNotesPayablesMaturedAtClosingDateNotesReceivables"_s, u"受取手形"_s},
    {u"ID-0-3-18-3"_s, 1, u"金額"_s, u"NotesReceivablesNotesPayablesMaturedAtClosingDateNotesPayables"_s, u"支払手形"_s},
    {u"ID-0-3-19"_s, 1, u"文字"_s, u"AccountingMethodConsumptionTaxes"_s, u"消費税及び地方消費税の会計処理"_s},
    {u"ID-0-3-20"_s, 1, u"－"_s, u"OthersNotesBalanceSheet"_s, u"その他貸借対照表に関する注記"_s},
    {u"ID-0-3-20-1"_s, 2, u"文字"_s, u"OthersNotesBalanceSheetItemName"_s, u"項目名"_s},
    {u"ID-0-3-20-2"_s, 2, u"文字"_s, u"OthersNotesBalanceSheetDescription"_s, u"内容"_s},
    {u"ID-0-4"_s, 1, u"文字"_s, u"NoteIncomeStatement"_s, u"損益計算書に関する注記"_s},
    {u"ID-0-4-1"_s, 1, u"文字"_s, u"TransactionsAffiliates"_s, u"関係会社との取引に係るもの"_s},
    {u"ID-0-4-1-1"_s, 1, u"金額"_s, u"SalesAffiliates"_s, u"売上高"_s},
    {u"ID-0-4-1-2"_s, 1, u"金額"_s, u"PurchaseAffiliates"_s, u"仕入高"_s},
    {u"ID-0-4-1-3"_s, 1, u"金額"_s, u"OtherOperatingTransactionsAffiliates"_s, u"その他の営業取引高"_s},
    {u"ID-0-4-1-4"_s, 1, u"金額"_s, u"NonoperatingTransactionsAffiliates"_s, u"営業取引以外の取引高"_s},
    {u"ID-0-4-2"_s, 1, u"文字"_s, u"ValuationLossDeductedClosingInventories"_s, u"期末たな卸高から控除した評価損"_s},
    {u"ID-0-4-2-1"_s, 1, u"－"_s, u"ValuationLossDeductedClosingInventoriesDetails"_s, u"内訳"_s},
    {u"ID-0-4-2-1-1"_s, 2, u"文字"_s, u"ValuationLossDeductedClosingInventoriesItemName"_s, u"項目名"_s},
    {u"ID-0-4-2-1-2"_s, 2, u"金額"_s, u"ValuationLossDeductedClosingInventoriesAmount"_s, u"金額"_s},
    {u"ID-0-4-3"_s, 1, u"文字"_s, u"IncomeTaxesPastYear"_s, u"過年度法人税等"_s},
    {u"ID-0-4-4"_s, 1, u"－"_s, u"OtherNotesIncomeStatement"_s, u"その他の損益計算書注記項目"_s},
    {u"ID-0-4-4-1"_s, 2, u"文字"_s, u"OtherNotesIncomeStatementItemName"_s, u"項目名"_s},
    {u"ID-0-4-4-2"_s, 2, u"文字"_s, u"OtherNotesIncomeStatementDescription"_s, u"内容"_s},
    {u"ID-0-5"_s, 1, u"文字"_s, u"NotesStatementChangesNetAssets"_s, u"株主資本等変動計算書に関する注記"_s},
    {u"ID-0-5-1"_s, 1, u"文字"_s, u"MattersTypesTotalNumberSharesIssued"_s, u"発行済株式の種類及び総数に関する事項"_s},
    {u"ID-0-5-1-1"_s, 1, u"文字"_s, u"SharesIssued"_s, u"発行済株式"_s},
    {u"ID-0-5-1-1-1"_s, 1, u"文字"_s, u"IssuanceNewOrdinaryShares"_s, u"普通株式（発行済株式）"_s},
    {u"ID-0-5-1-1-1-1"_s, 1, u"株"_s, u"NumberSharesIssuanceNewOrdinaryShares-P"_s, u"前期末株式数（発行済普通株式）"_s},
    {u"ID-0-5-1-1-1-2"_s, 1, u"株"_s, u"NumberSharesIncreasedDuringPeriodIssuanceNewOrdinaryShares"_s, u"当期増加株式数（発行済普通株式）"_s},
    {u"ID-0-5-1-1-1-3"_s, 1, u"株"_s, u"NumberSharesDecreasedDuringPeriodIssuanceNewOrdinaryShares"_s, u"当期減少株式数（発行済普通株式）"_s},
    {u"ID-0-5-1-1-1-4"_s, 1, u"株"_s, u"NumberSharesIssuanceNewOrdinaryShares"_s, u"当期末株式数（発行済普通株式）"_s},
    {u"ID-0-5-1-1-1-5"_s, 1, u"文字"_s, u"RemarksIssuanceNewOrdinaryShares"_s, u"摘要（発行済普通株式）"_s},
    {u"ID-0-5-1-1-2"_s, 1, u"文字"_s, u"IssuanceNewPreferenceShares"_s, u"優先株式（発行済株式）"_s},
    {u"ID-0-5-1-1-2-1"_s, 1, u"株"_s, u"NumberSharesEndPreviousPeriodIssuanceNewPreferenceShares-P"_s, u"前期末株式数（発行済優先株式）"_s},
    {u"ID-0-5-1-1-2-2"_s, 1, u"株"_s, u"NumberSharesIncreasedDuringPeriodIssuanceNewPreferenceShares"_s, u"当期増加株式数（発行済優先株式）"_s},
    {u"ID-0-5-1-1-2-3"_s, 1, u"株"_s, u"NumberSharesDecreasedDuringPeriodIssuanceNewPreferenceShares"_s, u"当期減少株式数（発行済優先株式）"_s},
    {u"ID-0-5-1-1-2-4"_s, 1, u"株"_s, u"NumberSharesEndPreviousPeriodIssuanceNewPreferenceShares"_s, u"当期末株式数（発行済優先株式）"_s},
    {u"ID-0-5-1-1-2-5"_s, 1, u"文字"_s, u"RemarksIssuanceNewPreferenceShares"_s, u"摘要（発行済優先株式）"_s},
    {u"ID-0-5-1-1-3"_s, 1, u"文字"_s, u"TotalSharesIssued"_s, u"合計（発行済株式）"_s},
    {u"ID-0-5-1-1-3-1"_s, 1, u"株"_s, u"NumberSharesEndPreviousPeriodTotalSharesIssued-P"_s, u"前期末株式数（発行済株式）"_s},
    {u"ID-0-5-1-1-3-2"_s, 1, u"株"_s, u"NumberSharesIncreasedDuringPeriodTotalSharesIssued"_s, u"当期増加株式数（発行済株式）"_s},
    {u"ID-0-5-1-1-3-3"_s, 1, u"株"_s, u"NumberSharesDecreasedDuringPeriodTotalSharesIssued"_s, u"当期減少株式数（発行済株式）"_s},
    {u"ID-0-5-1-1-3-4"_s, 1, u"株"_s, u"NumberSharesEndPreviousPeriodTotalSharesIssued"_s, u"当期末株式数（発行済株式）"_s},
    {u"ID-0-5-1-1-3-5"_s, 1, u"文字"_s, u"RemarksTotalSharesIssued"_s, u"摘要（発行済株式）"_s},
    {u"ID-0-5-2"_s, 1, u"文字"_s, u"MattersTypesTotalNumberTreasuryStock"_s, u"自己株式の種類及び株式数に関する事項"_s},
    {u"ID-0-5-2-1"_s, 1, u"文字"_s, u"TreasuryStockTypesTotalNumber"_s, u"自己株式（種類及び株式数）"_s},
    {u"ID-0-5-2-1-1"_s, 1, u"文字"_s, u"TreasuryOrdinaryShares"_s, u"普通株式（自己株式）"_s},
    {u"ID-0-5-2-1-1-1"_s, 1, u"株"_s, u"NumberSharesTreasuryOrdinaryShares-P"_s, u"前期末株式数（自己株式）"_s},
    {u"ID-0-5-2-1-1-2"_s, 1, u"株"_s, u"NumberSharesIncreasedDuringPeriodTreasuryOrdinaryShares"_s, u"当期増加株式数（自己株式）"_s},
    {u"ID-0-5-2-1-1-3"_s, 1, u"株"_s, u"NumberSharesDecreasedDuringPeriodTreasuryOrdinaryShares"_s, u"当期減少株式数（自己株式）"_s},
    {u"ID-0-5-2-1-1-4"_s, 1, u"株"_s, u"NumberSharesTreasuryOrdinaryShares"_s, u"当期末株式数（自己株式）"_s},
    {u"ID-0-5-2-1-1-5"_s, 1, u"文字"_s, u"RemarksTreasuryOrdinaryShares"_s, u"摘要（自己株式）"_s},
    {u"ID-0-5-2-1-2"_s, 1, u"文字"_s, u"TotalTreasuryOrdinaryShares"_s, u"合計"_s},
    {u"ID-0-5-2-1-2-1"_s, 1, u"株"_s, u"NumberSharesTotalTreasuryOrdinaryShares-P"_s, u"前期末株式数"_s},
    {u"ID-0-5-2-1-2-2"_s, 1, u"株"_s, u"NumberSharesIncreasedDuringPeriodTotalTreasuryOrdinaryShares"_s, u"当期増加株式数"_s},
    {u"ID-0-5-2-1-2-3"_s, 1, u"株"_s, u"NumberSharesDecreasedDuringPeriodTotalTreasuryOrdinaryShares"_s, u"当期減少株式数"_s},
    {u"ID-0-5-2-1-2-4"_s, 1, u"株"_s, u"NumberSharesTotalTreasuryOrdinaryShares"_s, u"当期末株式数"_s},
    {u"ID-0-5-2-1-2-5"_s, 1, u"文字"_s, u"RemarksTotalTreasuryOrdinaryShares"_s, u"摘要"_s},
    {u"ID-0-5-3"_s, 1, u"文字"_s, u"MattersSubscriptionRightsSharesTreasurySubscriptionRightsShares"_s, u"新株予約権及び自己新株予約権に関する事項"_s},
    {u"ID-0-5-3-1"_s, 1, u"－"_s, u"BreakdownSubscriptionRightsShares"_s, u"新株予約権の内訳"_s},
    {u"ID-0-5-3-1-1"_s, 2, u"文字"_s, u"TypeStocksPurposeSubscriptionRightsShares"_s, u"新株予約権の目的となる株式の種類"_s},
    {u"ID-0-5-3-1-2"_s, 2, u"文字"_s, u"NumberSharesPurposeSubscriptionRightsShares"_s, u"新株予約権の目的となる株式の数"_s},
    {u"ID-0-5-3-1-2-1"_s, 2, u"株"_s, u"NumberSharesEndPreviousPeriodSubscriptionRightsShares-P"_s, u"前期末株式数"_s},
    {u"ID-0-5-3-1-2-2"_s, 2, u"株"_s, u"NumberSharesIncreasedDuringPeriodSubscriptionRightsShares"_s, u"当期増加株式数"_s},
    {u"ID-0-5-3-1-2-3"_s, 2, u"株"_s, u"NumberSharesDecreasedDuringPeriodSubscriptionRightsShares"_s, u"当期減少株式数"_s},
    {u"ID-0-5-3-1-2-4"_s, 2, u"株"_s, u"NumberSharesEndPreviousPeriodSubscriptionRightsShares"_s, u"当期末株式数"_s},
    {u"ID-0-5-3-1-3"_s, 2, u"金額"_s, u"SubscriptionRightsSharesBalanceEndCurrentPeriod"_s, u"期末残高（新株予約権）"_s},
    {u"ID-0-5-3-1-4"_s, 2, u"文字"_s, u"RemarksSubscriptionRightsShares"_s, u"摘要"_s},
    {u"ID-0-5-3-2"_s, 1, u"文字"_s, u"MattersTreasurySubscriptionRightsShares"_s, u"自己新株予約権に関する事項"_s},
    {u"ID-0-5-3-2-1"_s, 1, u"文字"_s, u"TypeStocksPurposeTreasurySubscriptionRightsShares"_s, u"新株予約権の目的となる株式の種類"_s},
    {u"ID-0-5-3-2-2"_s, 1, u"株"_s, u"NumberSharesPurposeTreasurySubscriptionRightsShares"_s, u"新株予約権の目的となる株式の数"_s},
    {u"ID-0-5-3-2-3"_s, 1, u"金額"_s, u"TreasurySubscriptionRightsSharesBalanceEndCurrentPeriod"_s, u"新株予約権の当期末残高"_s},
    {u"ID-0-5-4"_s, 1, u"文字"_s, u"MattersDividends"_s, u"配当に関する事項"_s},
    {u"ID-0-5-4-1"_s, 1, u"文字"_s, u"InCaseCashDividend"_s, u"配当財産が金銭の場合"_s},
    {u"ID-0-5-4-1-1"_s, 1, u"－"_s, u"ItemsCashDividendTypeStocks"_s, u"金銭配当の株式の種類別内訳"_s},
    {u"ID-0-5-4-1-1-1"_s, 1, u"文字"_s, u"TypeStocksCashDividend"_s, u"株式の種類"_s},
    {u"ID-0-5-4-1-1-2"_s, 1, u"文字"_s, u"ResolutionCashDividend"_s, u"決議"_s},
    {u"ID-0-5-4-1-1-3"_s, 1, u"金額"_s, u"TotalDividendCashDividend"_s, u"配当金の総額"_s},
    {u"ID-0-5-4-1-1-4"_s, 1, u"金額"_s, u"DividendsPerShareCashDividend"_s, u"1株当たり配当額"_s},
    {u"ID-0-5-4-1-1-5"_s, 1, u"日付"_s, u"RecordDateCashDividend"_s, u"基準日"_s},
    {u"ID-0-5-4-1-1-6"_s, 1, u"日付"_s, u"EffectiveDateCashDividend"_s, u"効力発生日"_s},
    {u"ID-0-5-4-2"_s, 1, u"文字"_s, u"InCasePropertyDividend"_s, u"配当財産が金銭以外の場合"_s},
    {u"ID-0-5-4-2-1"_s, 1, u"－"_s, u"ItemsPropertyDividendTypeStocks"_s, u"非金銭配当の株式の種類別内訳"_s},
    {u"ID-0-5-4-2-1-1"_s, 1, u"文字"_s, u"TypeStocksPropertyDividend"_s, u"株式の種類"_s},
    {u"ID-0-5-4-2-1-2"_s, 1, u"文字"_s, u"ResolutionPropertyDividend"_s, u"決議"_s},
    {u"ID-0-5-4-2-1-3"_s, 1, u"文字"_s, u"TypeDividendProperty"_s, u"配当財産の種類"_s},
    {u"ID-0-5-4-2-1-4"_s, 1, u"金額"_s, u"BookValueDividendProperty"_s, u"配当財産の帳簿価額"_s},
    {u"ID-0-5-4-2-1-5"_s, 1, u"金額"_s, u"DividendsPerSharePropertyDividend"_s, u"1株当たり配当額"_s},
    {u"ID-0-5-4-2-1-6"_s, 1, u"日付"_s, u"RecordDatePropertyDividend"_s, u"基準日"_s},
    {u"ID-0-5-4-2-1-7"_s, 1, u"日付"_s, u"EffectiveDatePropertyDividend"_s, u"効力発生日"_s},
    {u"ID-0-5-4-3"_s, 1, u"文字"_s, u"DividendsWhichEffectiveDatesAreAfterPeriodDividendsWhichRecordDatesArePeriod"_s, u"基準日が当期に属する配当のうち、配当の効力発生日が翌期となるもの"_s},
    {u"ID-0-5-4-3-2"_s, 1, u"文字"_s, u"FundsDividendAfterPeriod"_s, u"配当の原資"_s},
    {u"ID-0-5-4-3-3"_s, 1, u"文字"_s, u"InCaseCashDividendAfterPeriod"_s, u"配当財産が金銭の場合"_s},
    {u"ID-0-5-4-3-3-1"_s, 1, u"－"_s, u"ItemsCashDividendAfterPeriodTypeStocks"_s, u"株式の種類別内訳"_s},
    {u"ID-0-5-4-3-3-1-1"_s, 1, u"文字"_s, u"TypeStocksCashDividendAfterPeriod"_s, u"株式の種類"_s},
    {u"ID-0-5-4-3-3-1-2"_s, 1, u"文字"_s, u"ResolutionCashDividendAfterPeriod"_s, u"決議"_s},
    {u"ID-0-5-4-3-3-1-3"_s, 1, u"金額"_s, u"TotalDividendCashDividendAfterPeriod"_s, u"配当金の総額"_s},
    {u"ID-0-5-4-3-3-1-4"_s, 1, u"金額"_s, u"DividendsPerShareCashDividendAfterPeriod"_s, u"1株当たり配当額"_s},
    {u"ID-0-5-4-3-3-1-5"_s, 1, u"日付"_s, u"RecordDateCashDividendAfterPeriod"_s, u"基準日"_s},
    {u"ID-0-5-4-3-3-1-6"_s, 1, u"日付"_s, u"EffectiveDateCashDividendAfterPeriod"_s, u"効力発生日"_s},
    {u"ID-0-5-4-3-4"_s, 1, u"文字"_s, u"InCasePropertyDividendAfterPeriod"_s, u"配当財産が金銭以外の場合"_s},
    {u"ID-0-5-4-3-4-1"_s, 1, u"－"_s, u"ItemsPropertyDividendAfterPeriodTypeStocks"_s, u"非金銭配当の株式の種類別内訳"_s},
    {u"ID-0-5-4-3-4-1-1"_s, 1, u"文字"_s, u"TypeStocksPropertyDividendAfterPeriod"_s, u"株式の種類"_s},
    {u"ID-0-5-4-3-4-1-2"_s, 1, u"文字"_s, u"ResolutionPropertyDividendAfterPeriod"_s, u"決議"_s},
    {u"ID-0-5-4-3-4-1-3"_s, 1, u"文字"_s, u"TypeDividendPropertyAfterPeriod"_s, u"配当財産の種類"_s},
    {u"ID-0-5-4-3-4-1-4"_s, 1, u"金額"_s, u"BookValueDividendPropertyAfterPeriod"_s, u"配当財産の帳簿価額"_s},
    {u"ID-0-5-4-3-4-1-5"_s, 1, u"金額"_s, u"DividendsPerSharePropertyDividendAfterPeriod"_s, u"1株当たり配当額"_s},
    {u"ID-0-5-4-3-4-1-6"_s, 1, u"日付"_s, u"RecordDatePropertyDividendAfterPeriod"_s, u"基準日"_s},
    {u"ID-0-5-4-3-4-1-7"_s, 1, u"日付"_s, u"EffectiveDatePropertyDividendAfterPeriod"_s, u"効力発生日"_s},
    {u"ID-0-6"_s, 1, u"文字"_s, u"NotesTaxEffectAccounting"_s, u"税効果会計に関する注記"_s},
    {u"ID-0-6-1"_s, 1, u"文字"_s, u"MajorCauseDeferredTaxAssets"_s, u"繰延税金資産の発生の主な原因"_s},
    {u"ID-0-6-2"_s, 1, u"文字"_s, u"MajorCauseDeferredTaxLiabilities"_s, u"繰延税金負債の発生の主な原因"_s},
    {u"ID-0-7"_s, 1, u"文字"_s, u"NotesFixedAssetsUsingFinanceLease"_s, u"リースにより使用する固定資産に関する注記"_s},
    {u"ID-0-7-1"_s, 1, u"文字"_s, u"EquivalentValueAcquisitionValueEndPeriod"_s, u"事業年度の末日における取得原価相当額"_s},
    {u"ID-0-7-2"_s, 1, u"文字"_s, u"EquivalentValueAccumulatedDepreciationEndPeriod"_s, u"事業年度の末日における減価償却累計額相当額"_s},
    {u"ID-0-7-3"_s, 1, u"文字"_s, u"EquivalentValueUnexpiredLeasePaymentEndPeriod"_s, u"事業年度の末日における未経過リース料相当額"_s},
    {u"ID-0-7-4"_s, 1, u"文字"_s, u"OtherSignificantMattersLeasedAssets"_s, u"その他リース物件に係る重要な事項"_s},
    {u"ID-0-8"_s, 1, u"文字"_s, u"NotesRelatedPartyTransactions"_s, u"関連当事者との取引に関する注記"_s},
    {u"ID-0-8-1"_s, 1, u"－"_s, u"BreakdownRelatedPartyTransactions"_s, u"関連当事者との取引の内訳"_s},
    {u"ID-0-8-1-1"_s, 2, u"文字"_s, u"NameRelatedParty"_s, u"関連当事者の名称又は氏名"_s},
    {u"ID-0-8-1-2"_s, 2, u"割合"_s, u"RatioVotingRightsOwnedCompanyTotalVotingRightsOwnedAllShareholdersRelatedParty"_s, u"関連当事者の総株主の議決権の総数に占める会社が有する議決権の数の割合"_s},
    {u"ID-0-8-1-3"_s, 2, u"割合"_s, u"RatioVotingRightsOwnedRelatedPartyTotalVotingRightsOwnedAllShareholdersCompany"_s, u"会社の総株主の議決権の総数に占める関連当事者が有する議決権の数の割合"_s},
    {u"ID-0-8-1-4"_s, 2, u"文字"_s, u"RelationshipCompanyRelatedParty"_s, u"会社と関連当事者との関係"_s},
    {u"ID-0-8-1-5"_s, 2, u"文字"_s, u"DetailsTransactions"_s, u"取引の内容"_s},
    {u"ID-0-8-1-6"_s, 2, u"文字"_s, u"TransactionAmountTransactionType"_s, u"取引の種類別の取引金額"_s},
    {u"ID-0-8-1-6-1"_s, 2, u"－"_s, u"ItemsTransactions"_s, u"取引内訳"_s},
    {u"ID-0-8-1-6-1-1"_s, 3, u"文字"_s, u"TransactionType"_s, u"取引の種類"_s},
    {u"ID-0-8-1-6-1-2"_s, 3, u"金額"_s, u"TransactionAmount"_s, u"取引金額"_s},
    {u"ID-0-8-1-7"_s, 2, u"文字"_s, u"TransactionTermsDecisionPolicyTransactionTerms"_s, u"取引条件及び取引条件の決定方針"_s},
    {u"ID-0-8-1-8"_s, 2, u"文字"_s, u"EndingBalancesMajorItemsReceivablesPayablesTransactions"_s, u"取引により発生した債権又は債務に係る主な項目別の当該事業年度の末日における残高"_s},
    {u"ID-0-8-1-9"_s, 2, u"文字"_s, u"ChangesTransactionTerms"_s, u"取引条件の変更"_s},
    {u"ID-0-9"_s, 1, u"文字"_s, u"NotesPerShareInformation"_s, u"1株当たり情報に関する注記"_s},
    {u"ID-0-9-1"_s, 1, u"金額"_s, u"NetAssetsPerShare"_s, u"1株当たりの純資産額"_s},
    {u"ID-0-9-2"_s, 1, u"金額"_s, u"NetIncomeNetLossPerShare"_s, u"1株当たりの当期純利益金額又は当期純損失金額"_s},
    {u"ID-0-10"_s, 1, u"文字"_s, u"NotesMaterialSubsequentEvents"_s, u"重要な後発事象に関する注記"_s},
    {u"ID-0-11"_s, 1, u"文字"_s, u"NotesConsolidatedDividendRestrictionsAppliedCompany"_s, u"連結配当規制適用会社に関する注記"_s},
    {u"ID-0-12"_s, 1, u"－"_s, u"ItemsOtherNotes"_s, u"その他の注記"_s},
    {u"ID-0-12-1"_s, 2, u"文字"_s, u"ItemNameOtherNotes"_s, u"項目名"_s},
    {u"ID-0-12-2"_s, 2, u"文字"_s, u"ItemDescriptionOtherNotes"_s, u"内容"_s},
};

TChukihyoRendoList buildTemplate()
{
    TChukihyoRendoList items;
    int row = 0;
    for (const TemplateRow& t : kTemplateRows) {
        TChukihyoRendoRec item;
        item.Kind = 0;
        item.RowNo = row++;
        item.Id = t.id;
        item.Depth = int(t.id.count(u'-')) - 1;
        item.Level = t.level;
        item.ParentId = NoteParentId(t.id);
        item.Title = t.title;
        item.XbrlKey = t.key;
        item.ValueType = t.type;
        items.append(item);
    }
    return items;
}

// A stored number; a text that is no number (or no finite one) reads as 0.
double storedNumber(const QString& value)
{
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    return ok && std::isfinite(number) ? number : 0.0;
}

// Whole number of a value, halves away from zero (the "###0" and "#,##0" formats) or, for the
// amounts of the display modes that round to whole yen first, halves to even.
qint64 wholeNumber(double value, bool halfToEven)
{
    const double rounded = halfToEven ? std::nearbyint(value) : std::round(value);
    constexpr double limit = 9.2e18;
    if (rounded >= limit)
        return std::numeric_limits<qint64>::max();
    if (rounded <= -limit)
        return std::numeric_limits<qint64>::min();
    return qint64(rounded);
}

// The shortest general form of a number with 15 significant digits ("12.5", "0.0001", "1E-5",
// "1E20"), as the product's float-to-text conversion writes it.
QString generalNumber(double value)
{
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return text;
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith(u'-');
    if (exponent.startsWith(u'+') || negative)
        exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith(u'0'))
        exponent.remove(0, 1);
    return mantissa + u'E' + (negative ? u"-"_s : QString()) + exponent;
}

// The date of a stored day number (days since 1899-12-30; the fraction is the time of day).
QDate storedDate(const QString& value)
{
    const double days = std::trunc(storedNumber(value));
    if (std::abs(days) > 3.0e6)
        return {};
    return core::zeroDate().addDays(qint64(days));
}

} // namespace

QString NoteParentId(const QString& id)
{
    const qsizetype dash = id.lastIndexOf(u'-');
    if (dash < 0 || id == u"ID-0"_s)
        return {};
    return id.left(dash);
}

const TChukihyoRendoList& ChukihyoTemplate()
{
    static const TChukihyoRendoList items = buildTemplate();
    return items;
}

TChukihyoRendoIO::TChukihyoRendoIO() : query_(core::CreateIBSQL(u"ACCDAT"_s, 0)) {}

TChukihyoRendoIO::~TChukihyoRendoIO() = default;

TChukihyoRendoRec TChukihyoRendoIO::GetNoteItem(int i) const
{
    if (i < 0 || i >= Count || i >= Items.size())
        return {};
    return Items[i];
}

bool TChukihyoRendoIO::Qualifies(const TChukihyoRendoRec& item) const
{
    if (item.Kind != 0 && item.Kind != RendoId)
        return false;
    return !(NotesMode == 0 && item.RowNo == 0);
}

const TChukihyoRendoRec* TChukihyoRendoIO::QualifyingTemplateItemById(const QString& id) const
{
    if (id.isEmpty())
        return nullptr;
    for (const TChukihyoRendoRec& item : ChukihyoTemplate())
        if (item.Id == id && Qualifies(item))
            return &item;
    return nullptr;
}

int TChukihyoRendoIO::IndexOfKey(const QString& xbrlKey) const
{
    for (int i = 0; i < Count && i < Items.size(); ++i)
        if (Items[i].XbrlKey == xbrlKey)
            return i;
    return -1;
}

void TChukihyoRendoIO::LoadNotesList(int kind, int mode)
{
    RendoId = quint8(kind);
    NotesMode = quint8(mode);
    Count = 0;
    Items.clear();

    TChukihyoRendoList qualifying;
    for (const TChukihyoRendoRec& item : ChukihyoTemplate())
        if (Qualifies(item))
            qualifying.append(item);

    if (mode == 0) {
        Items = qualifying;
        Count = int(Items.size());
        LoadValues();
    } else if (mode == 1 || mode == 2) {
        LoadValues();
        Items.resize(Count);
    } else {
        // No mode of its own: the list stays of empty records.
        Items.resize(qualifying.size());
    }
}

bool TChukihyoRendoIO::LoadValues()
{
    const QList<TChukihyoStoredRow> rows = ReadStoredRows(RendoId);
    for (const TChukihyoStoredRow& row : rows)
        PlaceStoredRow(row);
    return true;
}

QList<TChukihyoStoredRow> TChukihyoRendoIO::ReadStoredRows(int rendoId)
{
    if (!query_)
        query_ = core::CreateIBSQL(u"ACCDAT"_s, 0);
    if (!query_)
        throw core::Exception(u"注記表を読み込めません（データベースに接続されていません）。"_s);

    // The transaction is finished only when this read started it; a failure rolls that back
    // and reaches the caller.
    core::TransactionScope scope(*query_->transaction());
    query_->sql().clear();
    query_->sql() << u"SELECT FRENDO_ID,FXBRL_KEY,FROW_NO,FTYPE,FVALUE"_s << u"FROM KESSAN_CHUKIHYO_RENDO"_s
                  << u"WHERE FRENDO_ID=:FRENDO_ID"_s << u"ORDER BY FROW_NO,FXBRL_KEY"_s;
    query_->paramByName(u"FRENDO_ID"_s).setInteger(rendoId);
    QList<TChukihyoStoredRow> rows;
    for (query_->execQuery(); !query_->eof(); query_->next())
        rows.append({query_->fieldByName(u"FXBRL_KEY"_s).asString(), query_->fieldByName(u"FVALUE"_s).asString()});
    query_->close();
    scope.commit();
    return rows;
}

void TChukihyoRendoIO::PlaceStoredRow(const TChukihyoStoredRow& row)
{
    if (NotesMode == 0) {
        const int at = IndexOfKey(row.XbrlKey);
        if (at >= 0)
            Items[at].Value = row.Value;
        return;
    }
    if (NotesMode != 1 && NotesMode != 2)
        return;
    for (const TChukihyoRendoRec& item : ChukihyoTemplate()) {
        if (item.XbrlKey != row.XbrlKey || !Qualifies(item))
            continue;
        TChukihyoRendoRec stored = item;
        stored.Value = row.Value;
        AddWithParents(stored);
    }
}

void TChukihyoRendoIO::AddWithParents(const TChukihyoRendoRec& item)
{
    TChukihyoRendoList chain{item};
    if (NotesMode == 2 && RendoId == 1) {
        // The export nests by level: every item needs the chain of enclosing items up to its
        // first level-1 ancestor, which sits directly under the notes element.
        const TChukihyoRendoRec* current = &item;
        while (current->Level > 1) {
            const TChukihyoRendoRec* parent = QualifyingTemplateItemById(current->ParentId);
            if (!parent)
                break;
            chain.prepend(*parent);
            current = parent;
        }
    } else {
        // The display modes show the whole path up to the root.
        QString parentId = item.ParentId;
        for (int n = item.Depth; n > 0; --n) {
            const TChukihyoRendoRec* parent = QualifyingTemplateItemById(parentId);
            chain.prepend(parent ? *parent : TChukihyoRendoRec{});
            parentId = parent ? parent->ParentId : QString();
        }
    }

    for (const TChukihyoRendoRec& link : chain) {
        if (link.XbrlKey.isEmpty())
            continue;
        const int at = IndexOfKey(link.XbrlKey);
        if (at < 0) {
            Items.resize(Count);
            Items.append(link);
            Count = int(Items.size());
        } else if (Items[at].Value.isEmpty() && !link.Value.isEmpty()) {
            // Added before as an enclosing item of another: its own stored value belongs there.
            Items[at].Value = link.Value;
        }
    }
}

QString TChukihyoRendoIO::FormatValue(const TChukihyoRendoRec& item) const
{
    if (item.Value.isEmpty() || NotesMode > 2)
        return {};
    const bool exportMode = NotesMode == 2;
    const QString& type = item.ValueType;

    if (type == kNoteTypeText)
        return item.Value;
    if (type == kNoteTypeAmount) {
        if (exportMode)
            return QString::number(wholeNumber(storedNumber(item.Value), false));
        return core::IntToCommaStr(wholeNumber(storedNumber(item.Value), true)) + u"円"_s;
    }
    if (type == kNoteTypeShares) {
        const qint64 shares = wholeNumber(storedNumber(item.Value), false);
        return exportMode ? QString::number(shares) : core::IntToCommaStr(shares) + u"株"_s;
    }
    if (type == kNoteTypeDate) {
        const QDate date = storedDate(item.Value);
        if (!date.isValid())
            return {};
        if (exportMode)
            return date.toString(u"yyyy-MM-dd"_s);
        if (NotesMode == 1 && EraDateFlag == 1)
            return core::FormatDateTextNen(u"yyyy年 m月 d日"_s, 1, date, false);
        return core::FormatWarekiText(u"gg e年 m月 d日"_s, 1, date);
    }
    if (type == kNoteTypeRatio) {
        const QString number = generalNumber(storedNumber(item.Value));
        return exportMode ? number : number + u"％"_s;
    }
    return {};
}

} // namespace taxreturn
