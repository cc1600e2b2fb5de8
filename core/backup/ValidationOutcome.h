#pragma once
// What a validation of a company database found. A database that could not be checked at
// all (not reachable, locked, refused) is neither sound nor damaged: it is not marked, so
// that a busy or unreachable data set is never taken for a broken one.

#include <QString>

namespace core {

enum class ValidationOutcome {
    Valid,      // the check ran to its end without a finding
    Damaged,    // the check reported problems, or the file is not a sound database
    NotChecked, // the check could not run (login, lock, file access, parameters, network)
};

// The outcome of a validation that ended with this database error code: the codes of a
// damaged file (bad database format, corrupt database, bad checksum) are Damaged; the codes
// of a check that could not run (login, lock conflicts and objects in use, I/O errors, bad
// parameters, network errors, a server shutting down) are NotChecked; any other code means
// the engine stopped while checking the file, which counts as Damaged.
ValidationOutcome validationOutcomeOfError(long ibErrorCode);

// "Valid", "Damaged", "NotChecked": for logs and test output.
QString validationOutcomeName(ValidationOutcome outcome);

} // namespace core
