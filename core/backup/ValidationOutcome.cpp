#include "core/backup/ValidationOutcome.h"

#include <algorithm>
#include <array>

namespace core {

namespace {

// The check could not run: the file or the server was not reachable, or not to us.
constexpr std::array<long, 26> kNotCheckedCodes{
    335544472, // login: user name and password are not defined
    335545106, // login_error
    335544352, // no_priv
    335544790, // insufficient_svc_privileges
    335544345, // lock_conflict
    335544510, // lock_timeout
    335544453, // obj_in_use
    335544336, // deadlock
    335544424, // no_lock_mgr
    335544432, // lockmanerr
    335544992, // lock_dir_access
    335544344, // io_error (missing file, file locked by another engine)
    335544325, // bad_dpb_content: bad parameters on attach
    335544528, // shutdown: the database is shut down
    335544506, // shutinprog
    335544856, // att_shutdown
    335544648, // conn_lost
    335544704, // net_lookup_err
    335544719, // net_init_error
    335544721, // network_error
    335544722, // net_connect_err
    335544723, // net_connect_listen_err
    335544726, // net_read_err
    335544727, // net_write_err
    335544741, // lost_db_connection
    335544971, // net_server_shutdown
};

} // namespace

ValidationOutcome validationOutcomeOfError(long ibErrorCode) {
    // Damaged: 335544323 bad database format, 335544335 corrupt database, 335544649 bad
    // checksum, and every other code, such as 335740952 that ends a check with findings
    // ("Summary of validation errors").
    if (std::find(kNotCheckedCodes.cbegin(), kNotCheckedCodes.cend(), ibErrorCode) != kNotCheckedCodes.cend())
        return ValidationOutcome::NotChecked;
    return ValidationOutcome::Damaged;
}

QString validationOutcomeName(ValidationOutcome outcome) {
    switch (outcome) {
    case ValidationOutcome::Valid: return QStringLiteral("Valid");
    case ValidationOutcome::Damaged: return QStringLiteral("Damaged");
    case ValidationOutcome::NotChecked: return QStringLiteral("NotChecked");
    }
    return QString();
}

} // namespace core
