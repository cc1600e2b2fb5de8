#pragma once
// Writes a sample company's settings, masters and balance rows into a new company database.
// The journal triggers only update existing rows, so every facility/account/sub-account/
// department in use gets its KAMOKU_SZ row (with the opening balance), its 16 KAMOKU_MS rows
// and its 48 KAMOKU_PZ rows, and every facility its KAMOKU_TAX rows, before any entry.

#include "schema/sample/CompanyProfile.h"

namespace core {
class TIBDatabase;
}

namespace schema::sample {

// Everything of the profile except the journal; runs the kind's defaults script after the
// chart of accounts. One transaction per step, committed.
void writeCompany(core::TIBDatabase& company, const CompanyProfile& profile);

} // namespace schema::sample
