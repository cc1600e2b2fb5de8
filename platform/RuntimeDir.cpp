#include "platform/RuntimeDir.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

QString runtimeDir() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QFileInfo(xdg).isDir())
        return xdg;

    const QString fallback = QStringLiteral("/tmp/taxlink-%1").arg(getuid());
    const QByteArray path = QFile::encodeName(fallback);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        throw std::runtime_error("cannot create runtime folder " + path.toStdString() + ": " + std::strerror(errno));

    // /tmp is shared: accept only a real folder (not a symlink) that this user owns, closed to others.
    struct stat st {};
    if (lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        throw std::runtime_error("runtime folder " + path.toStdString() + " is not a folder owned by this user");
    if ((st.st_mode & 0777) != 0700 && chmod(path.constData(), 0700) != 0)
        throw std::runtime_error("cannot restrict runtime folder " + path.toStdString() + ": " + std::strerror(errno));
    return fallback;
}

} // namespace platform
