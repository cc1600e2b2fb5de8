#include "core/net/FtpSession.h"

#include "core/net/NetError.h"

#include <QFile>
#include <QUrl>

namespace core::net {

namespace {

int KeepPainting(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    ProcessPaintEvents();
    return 0;
}

size_t ReadFromFile(char* buffer, size_t size, size_t count, void* file)
{
    const qint64 n = static_cast<QFile*>(file)->read(buffer, qint64(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : size_t(n);
}

size_t Discard(char*, size_t size, size_t count, void*)
{
    return size * count;
}

size_t WriteToFile(char* buffer, size_t size, size_t count, void* file)
{
    const qint64 n = static_cast<QFile*>(file)->write(buffer, qint64(size * count));
    return n < 0 ? 0 : size_t(n);
}

// The failure kind of a libcurl result: the server's refusals apart from broken connections.
NetFailure FailureOf(CURLcode code, NetFailure fallback)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_LOGIN_DENIED:
    case CURLE_WEIRD_SERVER_REPLY:
        return NetFailure::Connect;
    case CURLE_OPERATION_TIMEDOUT:
        return NetFailure::Timeout;
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_QUOTE_ERROR:
        return NetFailure::Refused;
    default:
        return fallback;
    }
}

} // namespace

FtpSession::FtpSession(const QString& host, const QString& user, const QString& password,
                       const TNetSettings& settings)
    : host_(host), user_(user), password_(password), settings_(settings), handle_(std::make_unique<CurlHandle>())
{
}

FtpSession::~FtpSession() = default; // the handle's clean-up sends QUIT

QByteArray FtpSession::Url(const QString& path) const
{
    QByteArray url = "ftp://" + host_.toLatin1() + ":" + QByteArray::number(settings_.FtpPort);
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        url += "/" + QUrl::toPercentEncoding(part);
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        url += "/";
    return url;
}

void FtpSession::Prepare(const QString& path)
{
    CURL* curl = handle_->get();
    curl_easy_reset(curl);
    handle_->ApplyCommonOptions(settings_);
    curl_easy_setopt(curl, CURLOPT_URL, Url(path).constData());
    curl_easy_setopt(curl, CURLOPT_USERNAME, user_.toLatin1().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password_.toLatin1().constData());
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(settings_.RequestTimeout));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(settings_.RequestTimeout));
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, KeepPainting);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard); // the size lines of a NOBODY step
}

void FtpSession::Perform(NetFailure failure)
{
    const CURLcode rc = curl_easy_perform(handle_->get());
    if (rc != CURLE_OK)
        throw NetError(FailureOf(rc, failure), handle_->ErrorText(rc));
}

void FtpSession::Commands(const QStringList& commands)
{
    Prepare(QStringLiteral("/"));
    curl_slist* list = nullptr;
    for (const QString& command : commands)
        list = curl_slist_append(list, command.toLatin1().constData());
    curl_easy_setopt(handle_->get(), CURLOPT_QUOTE, list);
    curl_easy_setopt(handle_->get(), CURLOPT_NOBODY, 1L);
    const CURLcode rc = curl_easy_perform(handle_->get());
    curl_slist_free_all(list);
    if (rc != CURLE_OK)
        throw NetError(FailureOf(rc, NetFailure::Refused), handle_->ErrorText(rc));
}

void FtpSession::Connect()
{
    Prepare(QStringLiteral("/"));
    curl_easy_setopt(handle_->get(), CURLOPT_NOBODY, 1L);
    const CURLcode rc = curl_easy_perform(handle_->get());
    if (rc != CURLE_OK)
        throw NetError(NetFailure::Connect, handle_->ErrorText(rc));
}

void FtpSession::CheckFolder(const QString& folder)
{
    Prepare(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    curl_easy_setopt(handle_->get(), CURLOPT_NOBODY, 1L);
    Perform(NetFailure::Refused);
}

qint64 FtpSession::Size(const QString& path)
{
    Prepare(path);
    curl_easy_setopt(handle_->get(), CURLOPT_NOBODY, 1L);
    const CURLcode rc = curl_easy_perform(handle_->get());
    if (rc == CURLE_REMOTE_FILE_NOT_FOUND || rc == CURLE_FTP_COULDNT_RETR_FILE)
        return -1;
    if (rc != CURLE_OK)
        throw NetError(FailureOf(rc, NetFailure::Transfer), handle_->ErrorText(rc));
    curl_off_t size = -1;
    curl_easy_getinfo(handle_->get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    return qint64(size);
}

void FtpSession::Rename(const QString& from, const QString& to)
{
    Commands({QStringLiteral("RNFR ") + from, QStringLiteral("RNTO ") + to});
}

void FtpSession::Delete(const QString& path)
{
    Commands({QStringLiteral("DELE ") + path});
}

void FtpSession::Put(const QString& localFile, const QString& path)
{
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly))
        throw NetError(NetFailure::Local, file.errorString());
    Prepare(path);
    CURL* curl = handle_->get();
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.size()));
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadFromFile);
    curl_easy_setopt(curl, CURLOPT_READDATA, &file);
    Perform(NetFailure::Transfer);
}

void FtpSession::Get(const QString& path, const QString& localFile)
{
    QFile file(localFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw NetError(NetFailure::Local, file.errorString());
    Prepare(path);
    CURL* curl = handle_->get();
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &file);
    Perform(NetFailure::Transfer);
    if (!file.flush())
        throw NetError(NetFailure::Local, file.errorString());
}

} // namespace core::net
