#include "link/app/WorkFolder.h"

#include "core/files/SystemFolders.h"

#include <QFile>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace taxlink {

QString PrivateWorkFolder()
{
    const QString base = core::GetTempDir(QStringLiteral("/tmp"));
    const QString folder = base + QStringLiteral("/taxlink-%1").arg(getuid());
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    struct stat info {};
    // lstat: a symbolic link planted under our name is not our folder.
    if (lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
        return QString();
    if ((info.st_mode & 0777) != 0700 && chmod(path.constData(), 0700) != 0)
        return QString();
    return folder;
}

} // namespace taxlink
