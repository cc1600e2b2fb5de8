#pragma once
// Puts journal entries into SIWAKE the way SP_SIWAKE_INS lays them out — debit row 2g-1,
// credit row 2g, the facility's own running number, one SIWAKE2 row per line — but through
// one prepared INSERT executed for every row and one transaction for the whole batch, which
// is what makes large data sets fast. The SIWAKE triggers keep the period totals.

#include "schema/sample/CompanyProfile.h"
#include "schema/sample/JournalEntry.h"

namespace core {
class TIBDatabase;
}

namespace schema::sample {

// Appends the entries after those already in the database and moves SIWAKE_REC_GEN and the
// facilities' SIWAKEnn_GEN on, so that later entries made by the program follow them.
// Returns the number of SIWAKE rows written (two per entry).
int writeJournal(core::TIBDatabase& company, const CompanyProfile& profile, const QList<JournalEntry>& entries);

} // namespace schema::sample
