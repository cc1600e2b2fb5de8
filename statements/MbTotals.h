#pragma once
// The chain of the medical total lines (rows 1..53), shared by the range computation and the
// per-period totals of the settlement read: one field of the rows at a time, named by an
// accessor (KURIKOSI, ZAN, ZANDAKA[p] …).

#include "statements/BalanceRows.h"

#include <QList>

#include <array>
#include <functional>

namespace statements::mbtotals {

using Field = std::function<Currency&(TBALANCE&)>;

// The profit lines, whose debit is 0 and credit the change of their balance.
inline constexpr std::array<int, 6> profitLineRows = {42, 45, 48, 49, 50, 53};

// 2 += 1; 5 = 2 + 3 + 4; 9 = 6 + 7 + 8; 11 = 5 + 9 + 10; 14 = 12 + 13.
void sumLines(QList<TBALANCE>& rows, const Field& f);
// 19 = 11 - (14 + 15 + 16 + 17 + 18 + 22): the balancing line of the net assets.
void balancingLine(QList<TBALANCE>& rows, const Field& f);
// 21 = 17 + 18 + 19; 23 = 15 + 16 + 21 + 22; 24 = 14 + 23; 26 += 25; 28 += 27; 30 += 29;
// 32 = 26 + 28 + 30 + 31; 41 = 33 + … + 40.
void higherTotals(QList<TBALANCE>& rows, const Field& f);
// 42 = 32 - 41; 45 = 42 + 43 - 44; 48 = 45 + 46 - 47; 49 = 48 - 49; 50 = 49 + 50;
// 53 = 50 + 51 - 52.
void profitLines(QList<TBALANCE>& rows, const Field& f);

} // namespace statements::mbtotals
