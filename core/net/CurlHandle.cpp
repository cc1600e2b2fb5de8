#include "core/net/CurlHandle.h"

#include "core/net/NetError.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace core::net {

namespace {

void InitCurlOnce()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

} // namespace

CurlHandle::CurlHandle()
{
    InitCurlOnce();
    curl_ = curl_easy_init();
    if (!curl_)
        throw NetError(NetFailure::Local, QStringLiteral("libcurl could not be initialised"));
}

CurlHandle::~CurlHandle()
{
    curl_easy_cleanup(curl_);
}

void CurlHandle::ApplyCommonOptions(const TNetSettings& settings)
{
    errorBuffer_[0] = '\0';
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, long(settings.ConnectTimeout) * 1000L);
    curl_easy_setopt(curl_, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!settings.CaFile.isEmpty())
        curl_easy_setopt(curl_, CURLOPT_CAINFO, settings.CaFile.toLocal8Bit().constData());
}

QString CurlHandle::ErrorText(CURLcode code) const
{
    if (errorBuffer_[0] != '\0')
        return QString::fromLocal8Bit(errorBuffer_);
    return QString::fromLatin1(curl_easy_strerror(code));
}

void ProcessPaintEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace core::net
