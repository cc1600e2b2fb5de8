#pragma once
// Trial-balance procedures taken from the schema's own scripts (schema/company/trial-balance),
// so that a step writes the same body as a created database holds instead of a second copy.

#include <QString>

namespace dbupgrade {

// The procedure `name` of the script `set` ("common", "ordinary" or "medical") from its
// CREATE PROCEDURE line to its closing "END^", with CREATE replaced by `verb` ("ALTER",
// "RECREATE"). Throws core::Exception when the script has no such procedure.
QString TrialBalanceProcedure(const QString& set, const QString& name, const QString& verb);

} // namespace dbupgrade
