#pragma once
// The failure of a relay exchange or an FTP step. The kind tells the callers' messages apart
// (a connection that could not be made, a server that refused a step, a lost transfer).

#include <QString>
#include <stdexcept>

namespace core::net {

enum class NetFailure {
    Connect,  // no connection: refused, unreachable, time-out, TLS or certificate failure, login
    Timeout,  // the server stopped answering
    Transfer, // the connection broke or a transfer failed
    Refused,  // the server answered a step with an error (missing folder, refused rename …)
    Local,    // a local file could not be read or written
};

class NetError : public std::runtime_error {
public:
    NetError(NetFailure failure, const QString& message)
        : std::runtime_error(message.toStdString()), failure_(failure) {}
    NetFailure failure() const { return failure_; }

private:
    NetFailure failure_;
};

} // namespace core::net
