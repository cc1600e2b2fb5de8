#pragma once
// Procedures taken from the schema's own scripts (schema/company, the trial balances in
// schema/company/trial-balance), so that a step writes the same body as a created database
// holds instead of a second copy.

#include <QString>

namespace dbupgrade {

// The procedure `name` of the script `set` ("common", "ordinary" or "medical") from its
// CREATE PROCEDURE line to its closing "END^", with CREATE replaced by `verb` ("ALTER",
// "RECREATE"). Throws core::Exception when the script has no such procedure.
QString TrialBalanceProcedure(const QString& set, const QString& name, const QString& verb);

// The same from another company schema script, `script` relative to schema/company
// ("040-procedures.sql").
QString SchemaProcedure(const QString& script, const QString& name, const QString& verb);

} // namespace dbupgrade
