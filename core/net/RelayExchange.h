#pragma once
// One exchange with the relay service's web server: a new TLS connection, the request written
// as raw text lines, the raw reply read until the server closes the connection. The reply is
// not read as HTTP: the callers evaluate its lines by position, whatever they hold.

#include "core/net/NetSettings.h"

#include <QByteArray>
#include <QList>

namespace core::net {

// Sends "GET <target> HTTP/1.0", "Host: <relay server>", "User-Agent: Tessaro",
// "Connection: Close" and an empty line, each ended by CR LF, to the configured relay server
// and returns the reply cut into lines at LF (a CR before the LF dropped; CP932 bytes as they
// came). The connection must be made within the connect time-out and the whole exchange end
// within the request time-out. Throws NetError.
QList<QByteArray> RelayExchange(const QByteArray& target, const TNetSettings& settings = NetSettings());

// The reply bytes cut into lines as RelayExchange returns them.
QList<QByteArray> SplitReplyLines(const QByteArray& reply);

} // namespace core::net
