#include "core/files/FolderTree.h"

#include "core/errors/DetailMessage.h"
#include "core/files/ProtectedFolders.h"
#include "core/files/ResolvedPath.h"
#include "core/ui/MessageService.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// The names in a folder opened as fd, without "." and "..". Reads them all before anything is
// removed, so that removing does not disturb the listing.
bool listNames(int fd, QList<QByteArray>& names, int& error) {
    const int listFd = ::dup(fd);
    if (listFd < 0) {
        error = errno;
        return false;
    }
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        error = errno;
        ::close(listFd);
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names << QByteArray(entry->d_name);
        errno = 0;
    }
    error = errno;
    ::closedir(dir);
    return error == 0;
}

// Removes the entry name of the folder parentFd. A folder is opened with O_NOFOLLOW, so an
// entry swapped for a link on the way fails instead of leading out of the tree.
bool removeEntry(int parentFd, const QByteArray& name, int& error) {
    struct stat st {};
    if (::fstatat(parentFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        error = errno;
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        const Fd folder(::openat(parentFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (folder.get() < 0) {
            error = errno;
            return false;
        }
        QList<QByteArray> names;
        if (!listNames(folder.get(), names, error))
            return false;
        for (const QByteArray& child : names)
            if (!removeEntry(folder.get(), child, error))
                return false;
    }
    if (::unlinkat(parentFd, name.constData(), S_ISDIR(st.st_mode) ? AT_REMOVEDIR : 0) != 0) {
        error = errno;
        return false;
    }
    return true;
}

// Removes the entry at an absolute path whose folders hold no link (KernelResolvedPath).
bool removeTree(const QString& entry, QString& reason) {
    const qsizetype slash = entry.lastIndexOf(u'/');
    const QString parent = slash == 0 ? QStringLiteral("/") : entry.left(slash);
    const Fd parentFd(::open(QFile::encodeName(parent).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    int error = 0;
    if (parentFd.get() < 0)
        error = errno;
    else if (removeEntry(parentFd.get(), QFile::encodeName(entry.mid(slash + 1)), error))
        return true;
    reason = systemError(error);
    return false;
}

bool entryExists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

bool DeleteFolderTree(const QString& path, bool allowUndo, bool showErrors) {
    if (!IsNotRootOrSystemDir(path)) {
        ShowCommaMessage(QStringLiteral("ルート・システムディレクトリは、削除できません。<%1> ").arg(path),
                         MessageKind::Error);
        return false;
    }
    const QString entry = KernelResolvedPath(FolderOperationPath(path), false);
    QString reason;
    bool done = false;
    if (!entryExists(entry))
        reason = systemError(ENOENT);
    else if (allowUndo) {
        done = QFile::moveToTrash(entry);
        if (!done)
            reason = QStringLiteral("ごみ箱へ移動できませんでした。");
    } else
        done = removeTree(entry, reason);
    if (!done && showErrors)
        showMessage(MessageKind::Error, QStringLiteral("%1 を削除できませんでした。\r%2").arg(path, reason));
    return done;
}

} // namespace core
