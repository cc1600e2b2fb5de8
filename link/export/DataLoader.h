#pragma once
// The accounting data loader that the statement builder stands on: for the exported range of
// periods it reads the trial balance of the open company database and computes the balance
// sheet and profit and loss figures into one array of balance rows with its parallel sort
// array. It also owns the read-committed transaction and the statements through which the
// general ledger reads the journal, and offers the typed reader of the facility settings
// table SISETREG.

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "statements/KamokuGroup.h"

#include <QString>
#include <QVariant>

namespace taxreturn {

// A range of period slots (0..15 of the 16-period year).
struct TPeriodRange {
    int StartPeriod = 0;
    int EndPeriod = 15;

    friend bool operator==(const TPeriodRange&, const TPeriodRange&) = default;
};

// The range the statements are computed for. kaisiNo is the open data's first period number
// (KAISINO: 1 the data covers the year from its first month, 2 or more a mid-year start).
// - a mid-year start computes from slot 0;
// - a shorter year whose last period is the range's end runs through the adjustment slot 15;
// - any range that then still ends before slot 15 becomes the first half, slots 0..7.
TPeriodRange NormalizePeriodRange(int startPeriod, int endPeriod, int lastPeriod, int kaisiNo);

class TZaimuDataLoad {
public:
    // Binds the transaction and the statements to the data module's company database.
    TZaimuDataLoad();
    virtual ~TZaimuDataLoad();

    TZaimuDataLoad(const TZaimuDataLoad&) = delete;
    TZaimuDataLoad& operator=(const TZaimuDataLoad&) = delete;

    int StartPeriod = 0; // first slot of the range
    int EndPeriod = 15;  // last slot of the range
    int LastPeriod = 15; // slot of the fiscal year's last period
    int TaxMode = 0;     // 0 tax included, 1 tax excluded
    int RangeKind = 0;   // 7 (an explicit range) once LoadBalances has run
    int BusinessKind = 0; // 16 for medical-corporation data, else 0

    // The general ledger's own transaction: "read_committed", "rec_version", "nowait". It is
    // started and finished by the ledger writer, never by LoadBalances.
    core::TIBTransaction Transaction;
    core::TIBSQL LedgerAccountQuery; // bound to Transaction: the ledger's account list and counts
    core::TIBSQL LedgerEntryQuery;   // bound to Transaction: journal lines
    core::TIBSQL SpareQuery;         // bound to Transaction

    int RowCount = 0;
    statements::TQSortArray SortKeys;  // entry i: index in Balances of the i-th row in statement order
    statements::TBalanceArray Balances;

    // Normalises the range (NormalizePeriodRange with AccInf.KAISINO), reads the trial balance
    // and computes the statements for slots StartPeriod+1 .. EndPeriod+1 (1-based). Runs on the
    // data module's transactions; database errors propagate.
    void LoadBalances();

    // The value of one SISETREG row as the type ("文字", "論理", "日付", "整数", "金額"; any other
    // type gives the text "Data Type Error"). A missing row is inserted with the type and the
    // default's text, and the default is read as the type. Runs on the data module's company
    // transaction, started (and committed, or rolled back on an error) here only when it is
    // not active; errors propagate.
    static QVariant GetFacilitySetting(const QString& SCODE, const QString& RGROUP, const QString& RCODE,
                                       const QVariant& defaultValue, const QString& valueType);
};

} // namespace taxreturn
