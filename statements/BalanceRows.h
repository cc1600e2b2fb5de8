#pragma once
// The rows of a trial balance or financial statement and their sort entries. The caller
// allocates one array of TBALANCE and one of TQSORT with the same length; the readers fill
// the accounts and their per-period columns, the statement computation the range results and
// the total lines, and the export reads the rows in the order of the sorted TQSORT array.

#include "core/Currency.h"
#include "core/session/SharedRecords.h"
#include "core/text/TextSort.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>

namespace statements {

using core::Currency;
using core::TKMKREC;
using core::TQSORT;

// Amounts by signed period index: 1..16 the periods of the current year (4, 8, 12 and 16 the
// adjustment periods), 0 the opening position, -15..0 the previous year's periods 1..16
// (previous-year period k at k - 16). -32..-16 and 17..19 exist but are never filled.
class TPeriodArray {
public:
    static constexpr int Low = -32;
    static constexpr int High = 19;
    static constexpr int Count = High - Low + 1;

    Currency& operator[](int period) { return values_[slot(period)]; }
    const Currency& operator[](int period) const { return values_[slot(period)]; }
    void clear() { values_.fill(Currency{}); }

private:
    static int slot(int period);
    std::array<Currency, Count> values_{};
};

// Debit-natured accounts (natures 1 and 4) change by debit minus credit; every other nature by
// credit minus debit.
bool isDebitNature(qint32 dac);

// Net change of one period of an account of the given nature.
Currency netChange(qint32 dac, Currency debit, Currency credit);

// HASSEI[0] = ZANDAKA[0] = opening; for p = 1..16 HASSEI[p] is the period's net change by the
// nature and ZANDAKA[p] = ZANDAKA[p - 1] + HASSEI[p].
void computePeriodBalances(qint32 dac, Currency opening, const TPeriodArray& kar, const TPeriodArray& kas,
                           TPeriodArray& hassei, TPeriodArray& zandaka);

// One sub-account line of an account row.
struct THOJOUTIWAKE {
    QString HCODE;
    QString HNAME;
    Currency KURIKOSI;  // range results, as on the row
    Currency KARI;
    Currency KASI;
    Currency ZAN;
    Currency KOUSEIHI;  // share of the account's ZAN in per cent, one decimal
    Currency KAISIZAN;  // opening balance
    TPeriodArray KAR;
    TPeriodArray KAS;
    TPeriodArray HASSEI;
    TPeriodArray ZANDAKA;
};

// One line: a total line or an account with its sub-account lines.
struct TBALANCE {
    TKMKREC KMK;
    Currency KAISIZAN;  // opening balance
    Currency KISHU0;    // fiscal-year opening balance of data that begins after the first month
    qint32 HOJCNT = 0;  // entries in HOJOUTIWAKE
    QList<THOJOUTIWAKE> HOJOUTIWAKE;
    qint32 MSTREC = 0;  // statement-line number (REC of EXTERA4, EXTERA3, EXTERKS)
    qint32 SUBREC = 0;  // position within the statement line
    qint32 ADDCNT = 0;  // on a total line: rows added into it
    Currency KURIKOSI;  // range results: brought forward, debit, credit, closing balance
    Currency KARI;
    Currency KASI;
    Currency ZAN;
    Currency KOUSEIHI;  // composition ratio in per cent
    Currency ZENKI;     // previous-year amount of the same range
    TPeriodArray KAR;
    TPeriodArray KAS;
    TPeriodArray HASSEI;
    TPeriodArray ZANDAKA;
    TPeriodArray KOUSEIHI_P; // per-period composition ratio (medical data, periods 0..16)
};

// The key of a sort entry whose row is not shown (the half-width "ﾟ", CP932 0xDF); it sorts
// after every key of digits and letters.
inline const QString HiddenSortKey = QStringLiteral("\uFF9F");

// Parameters of one trial balance computed by the program's own queries.
struct TCalcSisanhyoSettingRec {
    QString SCODE;          // facility, or facility group when SCODE_ONE is 0
    qint32 SCODE_ONE = 0;
    QString BCODE;          // department, or department group when BCODE_ONE is 0
    qint32 BCODE_ONE = 0;
    qint32 SCOPE = 0;
    qint32 TAX = 0;
    qint32 HAIBUN = 0;      // 1: apply the accounts' allocation ratios
    qint32 FORM = 0;        // 0 accounts, 1 A4 lines, 2 A3 lines, 3 and 4 settlement lines
    qint32 KIND = 0;        // carried, not read by the computation
    qint32 ZENKI_ON = 0;    // carried, not read by the computation
    qint32 JIGYOU = 0;      // business kind of a medical corporation
};

} // namespace statements
