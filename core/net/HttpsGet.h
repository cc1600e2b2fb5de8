#pragma once
// One HTTPS GET through libcurl with the shared TLS options (TLS 1.2 or later, peer and host
// name verified against the configured CA file), the connect time-out and a stall time-out.

#include "core/net/NetError.h"
#include "core/net/NetSettings.h"

#include <QByteArray>
#include <QStringList>

namespace core::net {

struct THttpReply {
    long Status = 0;
    QStringList HeaderLines; // the raw header lines of the final reply, without line ends
    QByteArray Body;
};

// Throws NetError when no reply arrives (connection, TLS, time-out) and when the reply's status
// is an HTTP error (400 or above).
THttpReply HttpsGet(const QByteArray& url, const QByteArray& userAgent, const TNetSettings& settings = NetSettings());

} // namespace core::net
