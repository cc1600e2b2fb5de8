#pragma once
// Named mutexes between processes ("TESSARO000", "TESSARO_TOOLS", "DIRU_RENDO"), used to tell
// whether another program of the product line is running. A mutex is the lock file
// <runtimeDir()>/taxlink-mutex-<name>.lock held with flock(LOCK_EX); the lock goes away with
// its holder, even when the holder crashes, so a lock file left behind means nothing.
// Names are case-sensitive, as Windows object names are.

#include <QString>

namespace platform {

class NamedMutex {
public:
    // True when some process, this one included, holds the mutex.
    static bool exists(const QString& name);

    // Takes the mutex and holds it until the object is destroyed or released. When another
    // holder has it already (CreateMutex's ERROR_ALREADY_EXISTS), the object holds nothing and
    // alreadyExisted() is true. Throws std::runtime_error when the lock file cannot be opened,
    // std::invalid_argument for an empty name.
    static NamedMutex create(const QString& name);

    NamedMutex(NamedMutex&& other) noexcept;
    NamedMutex& operator=(NamedMutex&& other) noexcept;
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;
    ~NamedMutex();

    QString name() const { return name_; }
    bool isHeld() const { return fd_ >= 0; }
    bool alreadyExisted() const { return alreadyExisted_; }
    void release();

    // The lock file that stands for the mutex.
    static QString lockFilePath(const QString& name);

private:
    NamedMutex(QString name, int fd, bool alreadyExisted);

    QString name_;
    int fd_ = -1;
    bool alreadyExisted_ = false;
};

} // namespace platform
