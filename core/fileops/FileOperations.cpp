#include "core/fileops/FileOperations.h"

#include "core/Exception.h"
#include "core/files/FolderTree.h"
#include "core/files/NetworkPaths.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
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
    if (mode == 0)
        return QFileInfo(path).isFile();
    return serverMode(mode) && ServerFileOperation(dm, QStringLiteral("FExist"), path);
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
