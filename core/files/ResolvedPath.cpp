#include "core/files/ResolvedPath.h"

#include <QDir>
#include <QFile>

#include <climits>
#include <cstdlib>

namespace core {

namespace {

// realpath(3) of an existing path, else empty.
QString realPath(const QString& path) {
    char buffer[PATH_MAX];
    if (!::realpath(QFile::encodeName(path).constData(), buffer))
        return {};
    return QFile::decodeName(buffer);
}

QString joinName(const QString& folder, const QString& name) {
    return folder == u"/" ? u'/' + name : folder + u'/' + name;
}

} // namespace

QString LexicalAbsolutePath(const QString& path) {
    if (path.isEmpty())
        return {};
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

QString KernelResolvedPath(const QString& path, bool followLast) {
    if (path.isEmpty())
        return {};
    QString absolute = QDir::current().absoluteFilePath(path);
    while (absolute.size() > 1 && absolute.endsWith(u'/'))
        absolute.chop(1);
    const qsizetype slash = absolute.lastIndexOf(u'/');
    const QString parent = slash == 0 ? QStringLiteral("/") : absolute.left(slash);
    const QString last = absolute.mid(slash + 1);

    if (followLast || last.isEmpty() || last == u"." || last == u"..") {
        const QString resolved = realPath(absolute);
        if (!resolved.isEmpty())
            return resolved;
    }
    if (last.isEmpty())
        return QStringLiteral("/");
    if (last == u"." || last == u"..") {
        // The path does not exist: resolve what does and finish lexically.
        const QString resolvedParent = KernelResolvedPath(parent, true);
        return QDir::cleanPath(joinName(resolvedParent, last));
    }
    return joinName(KernelResolvedPath(parent, true), last);
}

} // namespace core
