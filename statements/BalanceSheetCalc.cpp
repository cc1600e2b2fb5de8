#include "statements/BalanceSheetCalc.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/QueryFactory.h"
#include "statements/BalanceSheetTotals.h"
#include "statements/KamokuGroup.h"

#include <algorithm>
#include <span>
#include <stdexcept>

namespace statements {
namespace {

constexpr int kTotalRows = FirstAccountRow; // rows 0..50 of the ordinary layout

// A percentage with one decimal of part in base, as the statements print it: limited to
// 9,999.0 above and -999.0 below.
Currency limitedRatio(Currency part, Currency base) {
    static const Currency upper = Currency::fromInt(9999);
    static const Currency lower = Currency::fromInt(-999);
    return std::clamp(RoundKingaku(part, base), lower, upper);
}

// The fixed range of kinds 1..6.
bool fixedRange(qint32 kind, qint32& start, qint32& end) {
    switch (kind) {
    case bskQuarter1: start = 1; end = 4; return true;
    case bskQuarter2: start = 5; end = 8; return true;
    case bskQuarter3: start = 9; end = 12; return true;
    case bskQuarter4: start = 13; end = 16; return true;
    case bskHalf1: start = 1; end = 8; return true;
    case bskHalf2: start = 9; end = 16; return true;
    default: return false;
    }
}

// Profit-and-loss amounts of kinds -1, 0, 1 and 5 compare with the previous year's balance at
// the end period; the others with its net change over the range.
bool zenkiIsBalance(qint32 kind) {
    return kind == bskRangeWithOpening || kind == bskRange || kind == bskQuarter1 || kind == bskHalf1;
}

// The sub-account lines that count: the first HOJCNT of the table.
std::span<THOJOUTIWAKE> hojoLines(TBALANCE& row) {
    const qsizetype count = std::clamp<qsizetype>(row.HOJCNT, 0, row.HOJOUTIWAKE.size());
    return std::span<THOJOUTIWAKE>(row.HOJOUTIWAKE.data(), size_t(count));
}

// Brought-forward balance, range sums and previous-year amount of one account row and its
// sub-account lines.
void computeAccount(TBALANCE& row, bool noOpening, qint32 kind, qint32 start, qint32 end) {
    const qint32 dac = row.KMK.DAC;
    row.KURIKOSI = noOpening ? Currency{} : row.KAISIZAN;
    for (THOJOUTIWAKE& line : hojoLines(row))
        line.KURIKOSI = noOpening ? Currency{} : line.KAISIZAN;
    if (!noOpening) {
        for (int l = 1; l < start; ++l) {
            row.KURIKOSI += netChange(dac, row.KAR[l], row.KAS[l]);
            for (THOJOUTIWAKE& line : hojoLines(row))
                line.KURIKOSI += netChange(dac, line.KAR[l], line.KAS[l]);
        }
    }
    for (int l = start; l <= end; ++l) {
        row.KARI += row.KAR[l];
        row.KASI += row.KAS[l];
        for (THOJOUTIWAKE& line : hojoLines(row)) {
            line.KARI += line.KAR[l];
            line.KASI += line.KAS[l];
        }
    }
    if (row.KMK.BPFLG != QLatin1String("P") || zenkiIsBalance(kind)) {
        row.ZENKI = row.ZANDAKA[end - 16];
    } else {
        for (int l = start; l <= end; ++l)
            row.ZENKI += row.HASSEI[l - 16];
    }
}

// Closing balances and the sub-account lines' shares of their account.
void closeAccount(TBALANCE& row) {
    const qint32 dac = row.KMK.DAC;
    row.ZAN = row.KURIKOSI + netChange(dac, row.KARI, row.KASI);
    for (THOJOUTIWAKE& line : hojoLines(row)) {
        line.ZAN = line.KURIKOSI + netChange(dac, line.KARI, line.KASI);
        line.KOUSEIHI = row.ZAN == Currency{} ? Currency{} : limitedRatio(line.ZAN, row.ZAN);
    }
}

void showRangeError(qint32 start, qint32 end) {
    const QString text = QStringLiteral("期間番号は「1～16」です。 [%1-%2]").arg(start).arg(end);
    core::ShowCommaMessage(text, core::MessageKind::Error);
    throw core::Exception(text);
}

// The captions of the profit lines, on the company transaction.
void captionProfitLines(QList<TBALANCE>& rows) {
    if (!core::DM)
        throw std::logic_error("no data module for the statement captions");
    core::TransactionScope scope(core::DM->IBTransactionDAT);
    try {
        for (int line : {36, 38, 41, 44, 45}) {
            TBALANCE& total = rows[line];
            total.KMK.KNAME = GetTotalName(total.KMK.GROUPM2, total.KMK.KNAME, total.ZAN);
        }
        scope.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("pcBalanceSheet_Calcu"), QString(), 0);
        throw; // the scope rolls back what it started
    }
}

// Composition ratios against total assets, total liabilities and net assets, or sales.
void compositionRatios(QList<TBALANCE>& rows, int last) {
    for (int i = 0; i <= last; ++i) {
        TBALANCE& row = rows[i];
        const QString& g = row.KMK.GROUPM2;
        int base = 0;
        if (g > QLatin1String("1000") && g < QLatin1String("1900"))
            base = 11;
        else if (g > QLatin1String("2000") && g < QLatin1String("3900"))
            base = 27;
        else if (g > QLatin1String("4000") && g <= QLatin1String("8400"))
            base = 28;
        if (base != 0 && rows[base].ZAN != Currency{})
            row.KOUSEIHI = limitedRatio(row.ZAN, rows[base].ZAN);
    }
    for (int line : {11, 27, 28})
        rows[line].KOUSEIHI = Currency::fromInt(100);
}

} // namespace

void AddToTotal(TBALANCE& total, const TBALANCE& row) {
    total.ADDCNT += 1;
    total.KARI += row.KARI;
    total.KASI += row.KASI;
    total.KMK.DAC = row.KMK.DAC;
    switch (row.KMK.DAC) {
    case 1:
    case 3:
        total.KURIKOSI += row.KURIKOSI;
        total.ZAN += row.ZAN;
        total.ZENKI += row.ZENKI;
        break;
    case 2:
    case 4:
        total.KURIKOSI -= row.KURIKOSI;
        total.ZAN -= row.ZAN;
        total.ZENKI -= row.ZENKI;
        break;
    default:
        break;
    }
}

QString GetTotalName(const QString& groupCode, const QString& currentName, Currency amount) {
    QString result = currentName;
    const QString suffix = core::SystemDef.KingakuPlus == 1 ? QStringLiteral("金額") : QString();
    auto query = core::CreateIBSQL(QStringLiteral("ACCDAT"), 0);
    if (!query)
        throw std::logic_error("no data module for the statement captions");
    QString code = groupCode;
    code.replace(QLatin1Char('\''), QStringLiteral("''"));
    query->sql() << QStringLiteral("SELECT PLUSNAME,MINUSNAME,MODIFY FROM ACCTOTALNAME WHERE (KGROUP='") + code +
                        QStringLiteral("')");
    query->execQuery();
    if (!query->eof()) {
        const QString plus = query->fieldByName(QStringLiteral("PLUSNAME")).asString();
        if (query->fieldByName(QStringLiteral("MODIFY")).asInteger() == 1)
            result = (amount >= Currency{} ? plus : query->fieldByName(QStringLiteral("MINUSNAME")).asString()) + suffix;
        else
            result = plus;
    }
    query->close();
    return result;
}

void pcBalanceSheet_Calcu(QList<TBALANCE>& rows, qint32 last, qint32 noOpening, qint32 kind, qint32 start,
                          qint32 end) {
    // Explicit ranges are checked before anything changes: a period outside 1..16 has no
    // column (the previous-year columns sit 16 below), and an empty range sums nothing.
    if (!fixedRange(kind, start, end) && (start < 1 || end > 16 || start > end))
        showRangeError(start, end);

    if (rows.size() < kTotalRows)
        rows.resize(kTotalRows);
    last = std::min<qint32>(last, qint32(rows.size()) - 1);
    const int cleared = std::max(last, kTotalRows - 1);
    for (int i = 0; i <= cleared; ++i) {
        TBALANCE& row = rows[i];
        row.KURIKOSI = row.KARI = row.KASI = row.ZAN = row.ZENKI = row.KOUSEIHI = Currency{};
        for (THOJOUTIWAKE& line : hojoLines(row))
            line.KURIKOSI = line.KARI = line.KASI = line.ZAN = Currency{};
    }

    const bool zeroPlBroughtForward = kind == bskQuarter2 || kind == bskQuarter3 || kind == bskQuarter4 ||
                                      kind == bskHalf2 || (kind == bskExport && start > core::AccInf.KAISINO);
    int x = 0; // the last retained-earnings row ("3340"), or row 0
    for (int i = FirstAccountRow; i <= last; ++i) {
        TBALANCE& row = rows[i];
        computeAccount(row, noOpening == 1, kind, start, end);
        if (zeroPlBroughtForward && row.KMK.BPFLG == QLatin1String("P"))
            row.KURIKOSI = Currency{};
        closeAccount(row);
        if (row.KMK.GROUPM2 == QLatin1String("3340")) {
            row.KURIKOSI = row.ZAN = row.ZENKI = Currency{};
            x = i;
        }
    }
    for (int i = FirstAccountRow; i <= last; ++i) {
        const int line = totalLineOfGroup(rows[i].KMK.GROUPM2);
        if (line != 0)
            AddToTotal(rows[line], rows[i]);
    }

    if (core::SystemDef.BillOffset == 1)
        for (int line : {WaribikiTegataRow, UragakiTegataRow})
            rows[line].ZAN = rows[line].ZANDAKA[end];

    computeTotals(rows, x, core::AccInf.DATATYPE);
    captionProfitLines(rows);
    compositionRatios(rows, last);
    if (core::AccInf.KAISINO > 1 && (kind == bskRangeWithOpening || kind == bskExport))
        rebuildOpening(rows, last, x, core::AccInf.DATATYPE);
}

} // namespace statements
