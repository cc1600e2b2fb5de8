#include "core/net/HttpsGet.h"

#include "core/net/CurlHandle.h"

namespace core::net {

namespace {

size_t CollectBody(char* data, size_t size, size_t count, void* target)
{
    static_cast<QByteArray*>(target)->append(data, qsizetype(size * count));
    return size * count;
}

size_t CollectHeader(char* data, size_t size, size_t count, void* target)
{
    auto* reply = static_cast<THttpReply*>(target);
    QByteArray line(data, qsizetype(size * count));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    // A new status line starts the headers of another reply (a redirect or an interim one).
    if (line.startsWith("HTTP/"))
        reply->HeaderLines.clear();
    else if (!line.isEmpty())
        reply->HeaderLines << QString::fromLatin1(line);
    return size * count;
}

int KeepPainting(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    ProcessPaintEvents();
    return 0;
}

} // namespace

THttpReply HttpsGet(const QByteArray& url, const QByteArray& userAgent, const TNetSettings& settings)
{
    CurlHandle handle;
    CURL* curl = handle.get();
    handle.ApplyCommonOptions(settings);
    THttpReply reply;
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, userAgent.constData());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CollectBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.Body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, CollectHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &reply);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(settings.RequestTimeout));
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, KeepPainting);
    const CURLcode rc = curl_easy_perform(curl);
    if (rc != CURLE_OK)
        throw NetError(rc == CURLE_OPERATION_TIMEDOUT ? NetFailure::Timeout : NetFailure::Connect, handle.ErrorText(rc));
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.Status);
    if (reply.Status >= 400)
        throw NetError(NetFailure::Refused, QStringLiteral("HTTP %1").arg(reply.Status));
    return reply;
}

} // namespace core::net
