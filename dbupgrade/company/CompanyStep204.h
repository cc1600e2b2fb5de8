#pragma once
// Company step 2.0.4: the exchange with the cash-book program (the communication-ID table, the
// journal update that keeps the link to the journal it replaces, the exchanged-journal table),
// the journal monitor back in entry order, the fixed-form and settlement balances, two
// past-year balance procedures, the sub-account balance rows, and for individual real-estate
// data without them the default depreciation entry settings rebuilt per facility.

#include "dbupgrade/runner/UpdateScript.h"

#include <QStringList>

#include <optional>

namespace dbupgrade {

// The facility codes whose depreciation entries are rebuilt from the 35 defaults; none when the
// data keeps its settings.
using DepreciationFacilities = std::optional<QStringList>;

UpdateScript BuildCompanyStep204Script(const DepreciationFacilities& facilities);
int RunCompanyStep204();

} // namespace dbupgrade
