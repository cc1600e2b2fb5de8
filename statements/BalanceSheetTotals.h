#pragma once
// The total lines of the ordinary balance sheet and profit-and-loss statement (rows 1..50,
// every line in the row of its own number): which line collects an account group, how the
// higher totals and profit lines follow from the lower ones, and the rebuild of the opening
// balances for data that begins after the first month.

#include "statements/BalanceRows.h"

#include <QList>
#include <QString>

namespace statements {

// The total line (or fixed row 46) that collects accounts of the group; 0 for none. Ranges
// exclude their bounds and are tried in order, so "5830".."5900" goes to line 36.
int totalLineOfGroup(const QString& group);

// The totals chain after the accounts were added: subtotals, the retained-earnings balancing
// figure on row x (corporation data, dataType 1) or on line 23 (other data), the
// manufacturing lines and the profit lines. rows must hold rows 0..50.
void computeTotals(QList<TBALANCE>& rows, int x, int dataType);

// Brought-forward amounts of the balance-sheet accounts and totals from the fiscal-year
// opening balances KISHU0 (accounts 51..last), for data that begins after the first month.
void rebuildOpening(QList<TBALANCE>& rows, int last, int x, int dataType);

} // namespace statements
