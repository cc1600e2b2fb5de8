#include "core/fileops/FileOperations.h"

#include "core/Exception.h"
#include "core/errors/DetailMessage.h"
#include "core/files/FolderTree.h"
#include "core/files/NetworkPaths.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace core::fileops {
namespace {

bool serverMode(int mode) {
    return mode == 1 || mode == 2;
}

// rename(2) that never replaces an existing target, as a rename of the file name should.
bool renameNoReplace(const QString& source, const QString& target) {
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without RENAME_NOREPLACE: check, then rename.
    struct stat info {};
    return lstat(to.constData(), &info) != 0 && errno == ENOENT && std::rename(from.constData(), to.constData()) == 0;
}

// stat(2) tells "nothing there" (ENOENT, ENOTDIR) from a test that failed (EACCES, EIO ...).
FileState LocalFileState(const QString& path) {
    if (path.isEmpty())
        return FileState::Unknown;
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) == 0)
        return S_ISREG(info.st_mode) ? FileState::Present : FileState::Absent;
    const int failure = errno;
    if (failure == ENOENT || failure == ENOTDIR)
        return FileState::Absent;
    ShowMessageWithDetail(QStringLiteral("ファイルの存在確認に失敗しました。"),
                          path + QLatin1Char('\r') + QString::fromLocal8Bit(std::strerror(failure)), MessageKind::Error);
    return FileState::Unknown;
}

} // namespace

bool DExist(TDM& dm, const QString& path, int mode) {
    if (mode == 0)
        return QFileInfo(path).isDir();
    return serverMode(mode) && ServerFileOperation(dm, QStringLiteral("DExist"), path);
}

bool MkDir(TDM& dm, const QString& path, int mode) {
    if (mode == 0)
        return ForceFolder(path);
    return serverMode(mode) && ServerFileOperation(dm, QStringLiteral("MkDir"), path);
}

bool RmDir(TDM& dm, const QString& path, int mode, bool allowUndo) {
    if (mode == 0)
        return DeleteFolderTree(path, allowUndo, true);
    return serverMode(mode) && ServerFileOperation(dm, QStringLiteral("RmDir"), path);
}

bool FExist(TDM& dm, const QString& path, int mode) {
    return FExistState(dm, path, mode) == FileState::Present;
}

FileState FExistState(TDM& dm, const QString& path, int mode) {
    if (mode == 0)
        return LocalFileState(path);
    return serverMode(mode) ? ServerFileState(dm, path) : FileState::Absent;
}

bool FDel(TDM& dm, const QString& path, int mode, bool allowUndo) {
    if (mode == 0)
        return DeleteFolderTree(path, allowUndo, true);
    return serverMode(mode) && ServerFileOperation(dm, QStringLiteral("FDel"), path);
}

bool FMove(TDM& dm, const QString& source, const QString& target, int mode) {
    if (mode == 0)
        return !source.isEmpty() && !target.isEmpty() && renameNoReplace(source, target);
    if (!serverMode(mode) || !ServerFileOperation(dm, QStringLiteral("FCopy"), source, target))
        return false;
    return ServerFileOperation(dm, QStringLiteral("FDel"), source);
}

bool FCopy(TDM& dm, const QString& source, const QString& target, int mode) {
    if (mode == 0)
        return CopyFolderTree(source, target);
    return serverMode(mode) && ServerFileOperation(dm, QStringLiteral("FCopy"), source, target);
}

QString LongToShortFileName(TDM& dm, const QString& path, int mode) {
    if (mode == 0) {
        try {
            return GetShortPath(path);
        } catch (const Exception&) {
            return path;
        }
    }
    return serverMode(mode) ? ServerLongToShortFileName(dm, path) : QString();
}

} // namespace core::fileops
