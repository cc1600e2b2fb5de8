#include "core/net/RelayExchange.h"

#include "core/net/CurlHandle.h"
#include "core/net/NetError.h"

#include <QDeadlineTimer>

#include <poll.h>

namespace core::net {

namespace {

constexpr int kPollSliceMs = 50;

// Waits until the socket can be read (or written), at most one slice, keeping windows painted.
void WaitOnSocket(curl_socket_t socket, bool forWrite, const QDeadlineTimer& deadline)
{
    if (deadline.hasExpired())
        throw NetError(NetFailure::Timeout, QStringLiteral("the relay server did not answer in time"));
    pollfd fd{};
    fd.fd = socket;
    fd.events = forWrite ? POLLOUT : POLLIN;
    const int wait = int(qMin<qint64>(kPollSliceMs, qMax<qint64>(0, deadline.remainingTime())));
    ::poll(&fd, 1, wait);
    ProcessPaintEvents();
}

QByteArray RequestBytes(const QByteArray& target, const TNetSettings& settings)
{
    QByteArray request;
    request += "GET " + target + " HTTP/1.0\r\n";
    request += "Host: " + settings.RelayServer.toLatin1() + "\r\n";
    request += "User-Agent: Tessaro\r\n";
    request += "Connection: Close\r\n";
    request += "\r\n";
    return request;
}

} // namespace

QList<QByteArray> SplitReplyLines(const QByteArray& reply)
{
    QList<QByteArray> lines = reply.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the LF that ended the last line
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

QList<QByteArray> RelayExchange(const QByteArray& target, const TNetSettings& settings)
{
    CurlHandle handle;
    CURL* curl = handle.get();
    handle.ApplyCommonOptions(settings);
    const QByteArray url = "https://" + settings.RelayServer.toLatin1() + ":" + QByteArray::number(settings.RelayPort) + "/";
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_CONNECT_ONLY, 1L);
    const CURLcode connected = curl_easy_perform(curl);
    if (connected != CURLE_OK)
        throw NetError(NetFailure::Connect, handle.ErrorText(connected));

    curl_socket_t socket = CURL_SOCKET_BAD;
    curl_easy_getinfo(curl, CURLINFO_ACTIVESOCKET, &socket);
    const QDeadlineTimer deadline(qint64(settings.RequestTimeout) * 1000);

    const QByteArray request = RequestBytes(target, settings);
    qsizetype sent = 0;
    while (sent < request.size()) {
        size_t n = 0;
        const CURLcode rc = curl_easy_send(curl, request.constData() + sent, size_t(request.size() - sent), &n);
        if (rc == CURLE_AGAIN) {
            WaitOnSocket(socket, true, deadline);
            continue;
        }
        if (rc != CURLE_OK)
            throw NetError(NetFailure::Transfer, handle.ErrorText(rc));
        sent += qsizetype(n);
    }

    QByteArray reply;
    char buffer[4096];
    for (;;) {
        size_t n = 0;
        const CURLcode rc = curl_easy_recv(curl, buffer, sizeof buffer, &n);
        if (rc == CURLE_AGAIN) {
            WaitOnSocket(socket, false, deadline);
            continue;
        }
        if (rc != CURLE_OK)
            throw NetError(NetFailure::Transfer, handle.ErrorText(rc));
        if (n == 0)
            break; // the server closed the connection: the reply is complete
        reply.append(buffer, qsizetype(n));
        if (deadline.hasExpired())
            throw NetError(NetFailure::Timeout, QStringLiteral("the relay server did not finish its reply in time"));
    }
    return SplitReplyLines(reply);
}

} // namespace core::net
