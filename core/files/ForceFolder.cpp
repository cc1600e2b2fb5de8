#include "core/files/FolderTree.h"

#include "core/files/ProtectedFolders.h"

#include <QDir>
#include <QFileInfo>

namespace core {

bool ForceFolder(const QString& path) {
    if (path.trimmed().isEmpty() || IsBareDrive(path))
        return false;
    const QString folder = FolderOperationPath(path);
    return QFileInfo(folder).isDir() || QDir().mkpath(folder);
}

} // namespace core
