#include "core/files/SubFolders.h"

#include "core/files/PathDelim.h"
#include "core/files/ProtectedFolders.h"

#include <QDir>

namespace core {

QStringList GetSubFolderList(const QString& folder, bool namesOnly) {
    if (folder.trimmed().isEmpty())
        return {};
    const QDir dir(FolderOperationPath(folder));
    if (!dir.exists())
        return {};
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    if (namesOnly)
        return names;
    const QString prefix = IncludePathDelim(folder);
    QStringList paths;
    for (const QString& name : names)
        paths << prefix + name;
    return paths;
}

} // namespace core
