#pragma once
// What the company steps ask the database while they build their scripts, and the ACCDEF1
// column blocks several steps add when the columns are missing.

#include <QString>
#include <QStringList>

namespace dbupgrade {

// Connects the company database of the current data folder (no in-use marking), asks whether
// the table has the column, and closes it again. A failed connection or query answers false.
bool CompanyHasField(const QString& table, const QString& field);

// "ADD SDAI_HASUU3 …" with the update of row 1 and its COMMIT.
QStringList SdaiHasuu3Block();
// "ADD KESSAN_KIKAN, CASHFLOW_KIKAN1, CASHFLOW_KIKAN2 …" with the update of row 1 and its COMMIT.
QStringList KessanKikanBlock();

} // namespace dbupgrade
