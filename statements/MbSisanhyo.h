#pragma once
// The trial-balance read of medical-corporation data: total lines from ACCTOTALNAME by
// business kind, account rows from the medical procedure set (or the own queries of
// CalcSisanhyoBySetting for scope 6), per-period totals and ratios for the settlement form.
// The read is one snapshot (DM->IBTransactionDATSS), committed before and after.

#include "statements/BalanceRows.h"
#include "statements/MbBalanceSheet.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace core {
class TIBSQL;
}

namespace statements {

// The arguments of one medical read, as SetMbSisanhyoRows needs them.
struct TMbReadArgs {
    QString SCODE;
    QString BCODE;
    qint32 TAX = 0;
    qint32 SCOPE = 0;
    qint32 FORM = 0;
    qint32 KIND = 0;
    qint32 HAIBUN = 0;
    qint32 JIGYOU = 0;
};

// Reads the trial balance into rows and sorts. Both lists must hold at least last + 1 and
// lastSort + 1 entries; a result with more accounts than fit grows both lists (callers take
// the real length from rows.size()). A database error is reported ("試算表読込"), the snapshot
// rolled back, and the error propagates so that no caller goes on with partial figures.
void pcMbSisanhyo_Read(QList<TBALANCE>& rows, int last, QList<TQSORT>& sorts, int lastSort, const QString& SCODE,
                       const QString& BCODE, qint32 TAX, qint32 SCOPE, qint32 FORM, qint32 KIND, qint32 HAIBUN,
                       qint32 JIGYOU);

// Loads the total lines of the business kind into rows 1..53 and their sort entries
// (statement kind KIND; department hides lines 46..53).
void LoadMbTotalNames(QList<TBALANCE>& rows, QList<TQSORT>& sorts, qint32 jigyou, qint32 kind, bool department);

// Spreads the open result rows of query into rows from 61 on and returns the index of the
// last row filled (60 when none). Rows of the same account that an earlier call of the same
// read already placed (a department group) are matched by (MSTREC, SUBREC) in forms 1..4 and by
// KCODE in form 0, sub-account lines by HCODE, and their amounts added.
int SetMbSisanhyoRows(core::TIBSQL& query, QList<TBALANCE>& rows, QList<TQSORT>& sorts, int lastFilled,
                      const TMbReadArgs& args);

// Per-period totals of the lines 1..53 and the ratios KOUSEIHI_P of rows 0..last for period p.
void SumMbTotalRows(QList<TBALANCE>& rows, int last, int p, qint32 jigyou);

// The first account row 61..last of the code; 0 when there is none.
int IndexOfMbKamokuRow(const QList<TBALANCE>& rows, int last, const QString& KCODE);

// Sort key of total line 32: its current key when at least two of the sort entries 26, 28, 30
// and 31 are shown, else "ﾟ".
QString GetMbJigyouTotalKey(const QList<TQSORT>& sorts);

} // namespace statements
