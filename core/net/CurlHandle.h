#pragma once
// One libcurl easy handle, with the library set up once for the process, and the options that
// every connection of the program shares: TLS 1.2 or later, peer and host name verified
// against the configured CA file (empty: the system store), no signals.

#include "core/net/NetSettings.h"

#include <curl/curl.h>

#include <QString>

namespace core::net {

class CurlHandle {
public:
    CurlHandle();
    ~CurlHandle();
    CurlHandle(const CurlHandle&) = delete;
    CurlHandle& operator=(const CurlHandle&) = delete;

    CURL* get() const { return curl_; }
    // Sets the shared options again after curl_easy_reset (the connection stays cached).
    void ApplyCommonOptions(const TNetSettings& settings);
    // The handle's last error text, else libcurl's text for the code.
    QString ErrorText(CURLcode code) const;

private:
    CURL* curl_ = nullptr;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
};

// Lets the program's windows repaint during a blocking exchange (input is left queued).
void ProcessPaintEvents();

} // namespace core::net
