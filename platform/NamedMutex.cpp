#include "platform/NamedMutex.h"

#include "platform/RuntimeDir.h"

#include <QFile>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace platform {

QString NamedMutex::lockFilePath(const QString& name) {
    // Windows names may hold "\" (e.g. "Global\..."); percent-encoding keeps any name one file name.
    const QString safe = QString::fromLatin1(QUrl::toPercentEncoding(name, "_-."));
    return runtimeDir() + QStringLiteral("/taxlink-mutex-") + safe + QStringLiteral(".lock");
}

bool NamedMutex::exists(const QString& name) {
    if (name.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(lockFilePath(name));
    // A fresh open file description of our own: flock conflicts between descriptions, so this
    // also sees a mutex that this process holds through another descriptor.
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

NamedMutex NamedMutex::create(const QString& name) {
    if (name.isEmpty())
        throw std::invalid_argument("named mutex without a name");
    const QByteArray path = QFile::encodeName(lockFilePath(name));
    // O_CLOEXEC: a child process we start must not inherit, and so keep, our mutex.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        throw std::runtime_error("cannot open mutex lock file " + path.toStdString() + ": " + std::strerror(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return NamedMutex(name, fd, false);
    const int error = errno;
    ::close(fd);
    if (error != EWOULDBLOCK)
        throw std::runtime_error("cannot lock mutex lock file " + path.toStdString() + ": " + std::strerror(error));
    return NamedMutex(name, -1, true);
}

NamedMutex::NamedMutex(QString name, int fd, bool alreadyExisted)
    : name_(std::move(name)), fd_(fd), alreadyExisted_(alreadyExisted) {}

NamedMutex::NamedMutex(NamedMutex&& other) noexcept
    : name_(std::move(other.name_)), fd_(std::exchange(other.fd_, -1)), alreadyExisted_(other.alreadyExisted_) {}

NamedMutex& NamedMutex::operator=(NamedMutex&& other) noexcept {
    if (this != &other) {
        release();
        name_ = std::move(other.name_);
        fd_ = std::exchange(other.fd_, -1);
        alreadyExisted_ = other.alreadyExisted_;
    }
    return *this;
}

NamedMutex::~NamedMutex() {
    release();
}

// The lock file stays: removing it would race with a process that has just opened it and would
// then lock a file nobody else can find.
void NamedMutex::release() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace platform
