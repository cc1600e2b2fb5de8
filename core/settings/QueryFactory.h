#pragma once
// Statements of their own for the routines that need one, bound to a database of the data
// module DM. The caller owns (and frees) the statement; its SQL text is empty.

#include "core/db/IBSQL.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace core {

// "ACCDEF" (exactly so; "accdef" does not count) binds to the system database and its
// transaction; any other name (callers pass "ACCDAT") to the company database with its
// transaction, or with the snapshot transaction when snapshot is set. nullptr when there is
// no data module.
std::unique_ptr<TIBQuery> CreateIBQuery(const QString& databaseName, bool snapshot);

// The same; only the snapshot kind 1 selects the snapshot transaction.
std::unique_ptr<TIBSQL> CreateIBSQL(const QString& databaseName, quint8 snapshotKind);

} // namespace core
