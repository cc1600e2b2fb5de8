#pragma once
// The trial balance of an ordinary (non-medical) company read through the company database's
// trial-balance procedures into a caller's pair of row and sort arrays, on one snapshot of the
// snapshot transaction IBTransactionDATSS.
//
// A database error ends the read: the transaction is rolled back (undoing the caption updates),
// the error is reported ("試算表読込") and then passed on, so that no caller takes a half-read
// trial balance for a whole one.

#include "statements/KamokuGroup.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace statements {

// Reads the trial balance. SCOPE: 0 whole company (one department total with a BCODE), 1
// facility group, 2 one facility, 3 one department, 4 a department group, 5 nothing, 6 own
// queries; in the settlement layout 10, 20 or 30. FORM: 0 accounts, 1 A4 lines, 2 A3 lines, 4
// settlement; other values read nothing. Rows beyond the arrays' length grow both arrays.
void pcSisanhyo_Read(TBalanceArray& rows, qint32 lastRow, TQSortArray& sorts, qint32 lastSort, const QString& SCODE,
                     const QString& BCODE, qint32 TAX, qint32 SCOPE, qint32 FORM, qint32 KIND, qint32 HAIBUN,
                     qint32 ZENKI_ON);

// Period column (0-based, adjustment columns skipped) of month 1..12 of the fiscal year; also
// the number of periods before that month. 0 for other months.
int MonthToSisanhyouColumn(int month);

// Folds the amounts of row source into row target and moves the source account into row copy
// (the discounted and endorsed notes into rows 48 and 49); the source row is hidden.
void CopySisanhyoRow(TBalanceArray& rows, TQSortArray& sorts, int target, int source, int copy);

} // namespace statements
