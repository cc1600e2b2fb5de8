#include "platform/CallerLink.h"

#include "platform/RuntimeDir.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <cstring>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

// A caller that stopped reading must not hang us: connect and send give up after this.
constexpr int kSendTimeoutSeconds = 2;

bool sendLine(WindowHandle handle, const QByteArray& line) {
    if (handle == 0)
        return false;
    const QByteArray path = QFile::encodeName(windowSocketPath(handle));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const timeval timeout{kSendTimeoutSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    bool sent = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    for (qsizetype done = 0; sent && done < line.size();) {
        const ssize_t n = ::send(fd, line.constData() + done, size_t(line.size() - done), MSG_NOSIGNAL);
        sent = n > 0;
        done += n;
    }
    ::close(fd);
    return sent;
}

} // namespace

QString windowSocketPath(WindowHandle handle) {
    return runtimeDir() + QStringLiteral("/taxlink-window-") + QString::number(handle);
}

bool isWindow(WindowHandle handle) {
    if (handle == 0)
        return false;
    struct stat st {};
    return ::stat(QFile::encodeName(windowSocketPath(handle)).constData(), &st) == 0 && S_ISSOCK(st.st_mode);
}

bool postMessageToWindow(WindowHandle handle, quint32 message, quint64 wParam, qint64 lParam) {
    return sendLine(handle, QByteArray::number(message) + ' ' + QByteArray::number(wParam) + ' ' +
                                QByteArray::number(lParam) + '\n');
}

bool enableWindow(WindowHandle handle, bool enable) {
    return sendLine(handle, enable ? QByteArrayLiteral("enable 1\n") : QByteArrayLiteral("enable 0\n"));
}

bool setForegroundWindow(WindowHandle handle) {
    return isWindow(handle);
}

CallerWindow::CallerWindow(WindowHandle handle, QObject* parent)
    : QObject(parent), handle_(handle), server_(new QLocalServer(this)) {
    if (handle == 0)
        throw std::runtime_error("window handle 0 cannot be listened on");
    const QString path = windowSocketPath(handle);
    if (QFile::exists(path)) {
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(200))
            throw std::runtime_error("window handle " + std::to_string(handle) + " is in use");
        QLocalServer::removeServer(path);
    }
    if (!server_->listen(path))
        throw std::runtime_error("cannot listen on " + path.toStdString() + ": " +
                                 server_->errorString().toStdString());
    connect(server_, &QLocalServer::newConnection, this, &CallerWindow::acceptConnections);
}

CallerWindow::~CallerWindow() {
    server_->close(); // removes the socket file
}

bool CallerWindow::waitForLines(qsizetype count, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (lines_.size() < count && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return lines_.size() >= count;
}

void CallerWindow::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLines(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readLines(socket);
            socket->deleteLater();
        });
        readLines(socket);
    }
}

void CallerWindow::readLines(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QString line = QString::fromLatin1(socket->readLine()).trimmed();
        if (line == QLatin1String("enable 0"))
            enabled_ = false;
        else if (line == QLatin1String("enable 1"))
            enabled_ = true;
        lines_ << line;
        emit lineReceived(line);
    }
}

} // namespace platform
