#pragma once
// The one error type of the database layer: every failure reported by the Firebird client
// becomes an EIBError carrying the first error code of the status vector (the code callers
// branch on), the SQL code and the whole message joined into one line.

#include <QString>
#include <stdexcept>

namespace core {

class EIBError : public std::runtime_error {
public:
    EIBError(long ibErrorCode, int sqlCode, const QString& message);

    long ibErrorCode() const { return ibErrorCode_; }
    int sqlCode() const { return sqlCode_; }
    QString message() const { return message_; }

private:
    long ibErrorCode_;
    int sqlCode_;
    QString message_;
};

// Firebird error codes that callers branch on.
namespace isc {
constexpr long io_error = 335544344;      // input/output error on a database file
constexpr long bad_db_format = 335544323; // file is not a valid database
constexpr long corrupt = 335544335;       // database file appears corrupt
constexpr long db_corrupt = 335544325;    // bad parameters on attach or create database
constexpr long network_error = 335544721; // unable to complete network request to host
constexpr long lost_db_connection = 335544741;
} // namespace isc

} // namespace core
