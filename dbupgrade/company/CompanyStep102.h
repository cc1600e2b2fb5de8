#pragma once
// Company step 1.0.2: before its script, the past-year balance of the start period is set from
// every account row's opening balance in one transaction (RepairKanendoZan); then the
// depreciable assets of converted data are repaired, the journal re-totalling procedure and the
// department trial balance replaced, and the special-account table pruned to its eight names.

#include "dbupgrade/runner/UpdateScript.h"

#include <QDate>

namespace dbupgrade {

// What the repair reads of the company information.
struct KanendoZanData {
    int dataType = 0;   // 1 法人, 2 個人, 3 医療法人
    QDate kishu;        // period start
    QDate kaisi;        // bookkeeping start
    int kaisino = 0;    // start month 1-12
};

// The past-year period of the start month of mid-year-start data; -1 outside 1-12.
int KanendoStartPeriod(int kaisino);

// On the open company database of the data module, in one transaction: true when every row was
// written and committed; false after a rollback and the error message.
bool RepairKanendoZan(const KanendoZanData& data);

UpdateScript BuildCompanyStep102Script();
int RunCompanyStep102();

} // namespace dbupgrade
