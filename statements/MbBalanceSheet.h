#pragma once
// Balance sheet and profit and loss of medical-corporation data over a range of periods, on
// the rows that pcMbSisanhyo_Read filled: the medical counterpart of pcBalanceSheet_Calcu.
// Total lines sit in rows 1..53 by position (ACCTOTALNAME.ARRAYNUM), row 54 is a computed
// line, the accounts run from row 61 (FirstMbAccountRow) to the last row.

#include "statements/BalanceRows.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <utility>

namespace statements {

inline constexpr int FirstMbAccountRow = 61;
inline constexpr int LastMbTotalRow = 53;
inline constexpr int MbComputedRow = 54;

// Computes rows 0..last for the range of the kind (the kinds of pcBalanceSheet_Calcu; kinds
// 1..6 fix the range). noOpening 1 computes without any brought-forward balance. jigyou picks
// the grouping (GROUPM1 or GROUPR1); an unknown business kind is reported once and grouped by
// GROUPM1. An explicit range outside 1..16 (or start after end) raises core::Exception with
// "期間番号は「1～16」です。 [start-end]" before any row changes.
void pcMbBalanceSheet_Calcu(QList<TBALANCE>& rows, int last, qint32 noOpening, qint32 kind, qint32 start,
                            qint32 end, qint32 JIGYOU);

// The caption of a total line by the sign of its amount, for the seven sign-dependent group
// codes ("3480", "6950", "7300", "8300", "9280", "9380", "9600"); any other code keeps its
// caption. A database error is reported ("合計名称読込") and propagates.
QString GetMbTotalName(const QString& groupCode, const QString& caption, Currency amount, qint32 jigyou);

// The ratio when it lies within -999.0 .. 9,999.0, else 0.
Currency LimitRatio(Currency ratio);

// Which accounts each total line collects, as (total row, account row) pairs in the order
// they are added: the total lines 1..53 with a group code, in row order, each take the
// accounts 61..last whose group lies strictly between the previous such line's code (at first
// "1000") and its own, compared as text; layout 1 compares GROUPM1, layout 2 GROUPR1.
QList<std::pair<int, int>> MbTotalAccountPairs(const QList<TBALANCE>& rows, int last, int layout);

} // namespace statements
