#pragma once
// Two small hand-made company databases for the trial-balance procedures: an ordinary company
// (one facility, the common department "00" and departments "01", "02") and a medical
// corporation (three facilities of different business kinds). Each holds a few accounts, their
// balance rows, a few journal lines (the journal triggers keep the totals) and past-year
// balances, and the procedure set that the creation tool chooses for its kind of data.

#include "core/db/IBDatabase.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace statementstest {

// Runs each statement in a transaction of its own (parameter markers off, for EXECUTE BLOCK).
void execAll(core::TIBDatabase& db, const QStringList& statements);

// Creates the company database in dir ("ordinary" or "medical" picks the data and the kind
// name "houjin" or "iryou" for the procedure set).
std::unique_ptr<core::TIBDatabase> createOrdinaryCompany(const QString& dir);
std::unique_ptr<core::TIBDatabase> createMedicalCompany(const QString& dir);

// Every result row of a query as one line: the named columns, then the amounts that are not
// zero ("K=" opening balance, "Rnn=" debit and "Snn=" credit of period nn, and the settlement
// columns KISHU1, ZANMnn, KISHU0, ZANPnn by name).
QStringList resultRows(core::TIBDatabase& db, const QString& sql, const QStringList& columns);

// Per period 1..16 and for the opening balances: the periods whose debit and credit sums of the
// rows differ, as "Pnn debit/credit" ("K debit/credit" for the opening balances by nature).
// Sub-account rows (a non-empty HCODE) are left out; they split their account's row.
QStringList unbalancedPeriods(core::TIBDatabase& db, const QString& sql);

} // namespace statementstest
