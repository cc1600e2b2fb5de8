#include "core/files/FolderTree.h"

#include "core/files/ProtectedFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace core {

bool CopyFileTo(const QString& source, const QString& target) {
    QFile in(FolderOperationPath(source));
    if (!QFileInfo(in.fileName()).isFile() || !in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(FolderOperationPath(target));
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            return false; // the save file is discarded and the target stays as it was
        if (got == 0)
            break;
        if (out.write(buffer, got) != got)
            return false;
    }
    return out.commit();
}

} // namespace core
