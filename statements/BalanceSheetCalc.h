#pragma once
// The balance sheet and the profit-and-loss statement of ordinary (non-medical) company data,
// computed in place on the rows that the trial-balance read filled: each account's brought-
// forward balance, range sums, closing balance and previous-year amount, the total lines of
// the account groups, the profit lines with their captions, the composition ratios and, for
// data that begins after the first month, the opening balances of the balance-sheet totals.

#include "statements/BalanceRows.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace statements {

// Range kinds of pcBalanceSheet_Calcu.
enum BalanceSheetKind : qint32 {
    bskRangeWithOpening = -1, // start and end passed; opening rebuild
    bskRange = 0,             // start and end passed
    bskQuarter1 = 1,          // periods 1..4
    bskQuarter2 = 2,          // 5..8
    bskQuarter3 = 3,          // 9..12
    bskQuarter4 = 4,          // 13..16
    bskHalf1 = 5,             // 1..8
    bskHalf2 = 6,             // 9..16
    bskExport = 7,            // start and end passed; the export's kind
};

// Computes rows 0..last (rows 1..50 the total lines, accounts from row 51). noOpening 1
// leaves out every brought-forward balance. Kinds 1..6 fix the range; every other kind takes
// start..end, which must lie within 1..16 with start <= end: otherwise the message
// "期間番号は「1～16」です。 [start-end]" is shown and core::Exception is thrown before any row
// changes. The array is grown to hold the 51 total rows when it is shorter; last is limited to
// the array. A database error while the profit lines are captioned is reported (logged) and
// passes on; the ratios and the opening rebuild are then not done.
void pcBalanceSheet_Calcu(QList<TBALANCE>& rows, qint32 last, qint32 noOpening, qint32 kind, qint32 start,
                          qint32 end);

// Adds one row into one total line: debit and credit always, the brought-forward, closing and
// previous-year amounts added for natures 1 and 3, subtracted for 2 and 4.
void AddToTotal(TBALANCE& total, const TBALANCE& row);

// The caption of a profit line for the sign of its amount, from ACCTOTALNAME (PLUSNAME or
// MINUSNAME, with "金額" when the operator setting KingakuPlus is 1); the current name when the
// table does not know the group. Runs on the company transaction, which must be active.
QString GetTotalName(const QString& groupCode, const QString& currentName, Currency amount);

} // namespace statements
