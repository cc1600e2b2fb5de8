#pragma once
// A session on the relay service's FTP server: plain FTP (the archives travel enciphered),
// passive mode, binary transfers, the configured port, a connect time-out, a time-out for each
// server reply and an abort when a transfer stalls. The connection is made by Connect and kept
// for the following steps. Paths on the server are absolute ("/03/qmacc.wen"). Every step
// throws NetError on failure.

#include "core/net/CurlHandle.h"
#include "core/net/NetError.h"
#include "core/net/NetSettings.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace core::net {

class FtpSession {
public:
    FtpSession(const QString& host, const QString& user, const QString& password,
               const TNetSettings& settings = NetSettings());
    ~FtpSession();

    // Logs in.
    void Connect();
    // Fails with NetFailure::Refused when the folder does not exist.
    void CheckFolder(const QString& folder);
    // The server's size of the file; -1 when the file does not exist or the size is unknown.
    qint64 Size(const QString& path);
    void Rename(const QString& from, const QString& to);
    void Delete(const QString& path);
    // Stores the local file under the path, replacing what is there.
    void Put(const QString& localFile, const QString& path);
    // Fetches the file into the local file, which is created or replaced.
    void Get(const QString& path, const QString& localFile);

private:
    QByteArray Url(const QString& path) const;
    void Prepare(const QString& path);
    void Perform(NetFailure failure);
    void Commands(const QStringList& commands);

    QString host_;
    QString user_;
    QString password_;
    TNetSettings settings_;
    std::unique_ptr<CurlHandle> handle_;
};

} // namespace core::net
