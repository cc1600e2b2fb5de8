#pragma once
// The balances of every account at once, as GetKamokuZan gives them one account at a time (over
// every facility, department and sub-account): for a reader that needs the balances of many
// accounts, such as the general ledger of the export. The accounts, their opening balances and
// their period sums are read in one grouped query each at the first request, instead of three
// queries per account.
//
// The figures are those of the first request: later changes to the tables are not seen. A code
// the account master does not hold, a request in another mode, and every request after the
// grouped read failed (a sum that overflows the amount type, say) are answered by GetKamokuZan
// itself, so that each gives exactly what GetKamokuZan gives, its errors included.

#include "statements/BalanceRows.h"

#include <QHash>
#include <QString>
#include <QtGlobal>

namespace statements {

class TKamokuZanTable {
public:
    // mode as GetKamokuZan's: 0 tax included, 1 tax excluded with the consumption tax added to
    // the two tax accounts, any other value tax excluded.
    explicit TKamokuZanTable(qint32 mode);

    // GetKamokuZan(QString(), QString(), KCODE, QString(), period, mode).
    Currency Balance(const QString& KCODE, qint32 period, qint32 mode);

private:
    // An account's figures as the per-account read gathers them, before its period balances.
    struct Account {
        qint32 dac = 0;
        Currency opening;
        TPeriodArray kar;
        TPeriodArray kas;
    };

    bool load(); // false when the grouped read failed
    void readAccounts();
    void readOpenings();
    void readSums();
    void readConsumptionTax(int kind, TPeriodArray& kar, TPeriodArray& kas);

    qint32 mode_;
    enum class State { NotRead, Read, Failed } state_ = State::NotRead;
    QHash<QString, Account> accounts_; // by code, trailing blanks removed as the engine compares
    TPeriodArray taxKar_[3];           // the consumption tax by kind (1 仮受, 2 仮払), mode 1 only
    TPeriodArray taxKas_[3];
};

} // namespace statements
