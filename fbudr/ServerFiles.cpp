#include "ServerFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace taxlink_udr {
namespace {

bool statIs(const std::string& path, mode_t type, bool followLinks) {
    struct stat info {};
    const int rc = followLinks ? stat(path.c_str(), &info) : lstat(path.c_str(), &info);
    return rc == 0 && (info.st_mode & S_IFMT) == type;
}

std::string parentOf(const std::string& canonical) {
    const auto slash = canonical.rfind('/');
    return slash == 0 ? std::string("/") : canonical.substr(0, slash);
}

// Deletes the folder `name` in the folder parentFd with everything in it. Links are removed
// as links; nothing outside the folder is reached.
bool removeTreeAt(int parentFd, const char* name) {
    const int fd = openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return false;
    }
    bool ok = true;
    while (dirent* entry = readdir(dir)) {
        const std::string child = entry->d_name;
        if (child == "." || child == "..")
            continue;
        struct stat info {};
        if (fstatat(fd, child.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            ok = false;
            continue;
        }
        if (S_ISDIR(info.st_mode))
            ok = removeTreeAt(fd, child.c_str()) && ok;
        else if (unlinkat(fd, child.c_str(), 0) != 0)
            ok = false;
    }
    closedir(dir); // closes fd
    return ok && unlinkat(parentFd, name, AT_REMOVEDIR) == 0;
}

} // namespace

ServerFiles ServerFiles::fromConfig() {
    return ServerFiles(loadRoots());
}

std::optional<std::string> ServerFiles::allowed(const std::string& path, bool followLast, bool strictly) const {
    auto canonical = resolvePath(path, followLast);
    if (!canonical || !insideRoots(*canonical, roots_, strictly))
        return std::nullopt;
    return canonical;
}

bool ServerFiles::fileExists(const std::string& path) const {
    return fileState(path) == FileAnswer::Present;
}

FileAnswer ServerFiles::fileState(const std::string& path) const {
    const auto file = allowed(path, true, false);
    if (!file)
        return FileAnswer::Refused;
    struct stat info {};
    if (stat(file->c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileAnswer::Absent : FileAnswer::Failed;
    return S_ISREG(info.st_mode) ? FileAnswer::Present : FileAnswer::Absent;
}

bool ServerFiles::folderExists(const std::string& path) const {
    const auto folder = allowed(path, true, false);
    return folder && statIs(*folder, S_IFDIR, true);
}

bool ServerFiles::makeFolder(const std::string& path) const {
    const auto folder = allowed(path, true, false);
    if (!folder)
        return false;
    // The existing part of a canonical path has no links; what is missing is created here.
    size_t end = 0;
    while (end != std::string::npos) {
        end = folder->find('/', end + 1);
        const std::string step = folder->substr(0, end);
        if (mkdir(step.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    return statIs(*folder, S_IFDIR, false);
}

bool ServerFiles::removeFolder(const std::string& path) const {
    const auto folder = allowed(path, false, true);
    if (!folder || !statIs(*folder, S_IFDIR, false))
        return false;
    const int parentFd = open(parentOf(*folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0)
        return false;
    const bool removed = removeTreeAt(parentFd, folder->substr(folder->rfind('/') + 1).c_str());
    close(parentFd);
    return removed;
}

bool ServerFiles::deleteFile(const std::string& path) const {
    const auto file = allowed(path, false, true);
    if (!file)
        return false;
    struct stat info {};
    return lstat(file->c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && unlink(file->c_str()) == 0;
}

bool ServerFiles::copyFile(const std::string& from, const std::string& to) const {
    const int in = openForReading(from);
    if (in < 0)
        return false;
    bool copied = false;
    struct stat source {};
    struct stat target {};
    if (const auto destination = writeTarget(to); destination && fstat(in, &source) == 0) {
        const bool sameFile = stat(destination->c_str(), &target) == 0 && target.st_dev == source.st_dev &&
                              target.st_ino == source.st_ino;
        if (!sameFile) {
            ReplacingFile out(*destination);
            bool ok = out.isOpen();
            char buffer[64 * 1024];
            ssize_t got = 0;
            while (ok && (got = read(in, buffer, sizeof buffer)) > 0)
                ok = out.write(buffer, size_t(got));
            copied = ok && got == 0 && out.commit();
        }
    }
    close(in);
    return copied;
}

bool ServerFiles::renameFile(const std::string& from, const std::string& to) const {
    const auto source = allowed(from, false, true);
    const auto target = allowed(to, false, true);
    if (!source || !target || !statIs(*source, S_IFREG, false))
        return false;
    struct stat info {};
    if (lstat(target->c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return false;
    return rename(source->c_str(), target->c_str()) == 0;
}

int ServerFiles::openForReading(const std::string& path) const {
    const auto file = allowed(path, true, false);
    if (!file)
        return -1;
    const int fd = open(file->c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::string> ServerFiles::writeTarget(const std::string& path) const {
    const auto target = allowed(path, true, true);
    if (!target || !statIs(parentOf(*target), S_IFDIR, false))
        return std::nullopt;
    struct stat info {};
    if (lstat(target->c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return std::nullopt;
    return target;
}

ReplacingFile::ReplacingFile(const std::string& target) : target_(target) {
    std::string pattern = target + ".tmp-XXXXXX";
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return;
    temporary_ = pattern;
    fchmod(fd_, 0644); // readable like a file the server writes itself, never group-writable
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) {
        close(fd_);
        unlink(temporary_.c_str());
    }
}

bool ReplacingFile::write(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        size -= size_t(written);
    }
    return true;
}

bool ReplacingFile::commit() {
    if (fd_ < 0)
        return false;
    const bool flushed = fsync(fd_) == 0;
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    if (flushed && closed && rename(temporary_.c_str(), target_.c_str()) == 0)
        return true;
    unlink(temporary_.c_str());
    return false;
}

} // namespace taxlink_udr
