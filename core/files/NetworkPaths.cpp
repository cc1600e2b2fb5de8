#include "core/files/NetworkPaths.h"

#include "core/Exception.h"
#include "core/files/ResolvedPath.h"

#include <QFile>
#include <QSet>

#include <sys/stat.h>

namespace core {

namespace {

bool isNetworkFileSystem(const QString& type) {
    static const QSet<QString> network = {
        QStringLiteral("nfs"),       QStringLiteral("nfs4"),       QStringLiteral("cifs"),
        QStringLiteral("smb3"),      QStringLiteral("smbfs"),      QStringLiteral("ncpfs"),
        QStringLiteral("afs"),       QStringLiteral("ceph"),       QStringLiteral("glusterfs"),
        QStringLiteral("lustre"),    QStringLiteral("fuse.sshfs"), QStringLiteral("fuse.glusterfs"),
        QStringLiteral("fuse.cephfs"),
    };
    return network.contains(type);
}

// mountinfo writes blanks, tabs, newlines and "\" in paths as octal escapes ("\040").
QString unescapeMountField(const QString& field) {
    QString out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == u'\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += QChar(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool isBelow(const QString& path, const QString& mountPoint) {
    return mountPoint == u"/" || path == mountPoint || path.startsWith(mountPoint + u'/');
}

} // namespace

QString UncPathFromMountInfo(const QString& path, const QString& mountInfo) {
    QString bestPoint;
    QString bestType;
    QString bestSource;
    bool found = false;
    for (const QString& line : mountInfo.split(u'\n', Qt::SkipEmptyParts)) {
        // id parent major:minor root mount-point options [optional…] - type source super-options
        const QStringList fields = line.split(u' ');
        const qsizetype dash = fields.indexOf(QStringLiteral("-"));
        if (fields.size() < 5 || dash < 6 || dash + 2 >= fields.size())
            continue;
        const QString point = unescapeMountField(fields[4]);
        // The last matching line wins for equal mount points: later mounts cover earlier ones.
        if (isBelow(path, point) && (!found || point.size() >= bestPoint.size())) {
            found = true;
            bestPoint = point;
            bestType = fields[dash + 1];
            bestSource = unescapeMountField(fields[dash + 2]);
        }
    }
    if (!found || !isNetworkFileSystem(bestType))
        return path;
    const QString rest = bestPoint == u"/" ? path.mid(1) : path.mid(bestPoint.size() + 1);
    if (rest.isEmpty())
        return bestSource;
    return bestSource.endsWith(u'/') ? bestSource + rest : bestSource + u'/' + rest;
}

QString GetUncPath(const QString& path) {
    if (path.trimmed().isEmpty())
        return path;
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return path;
    const QString mountInfo = QString::fromUtf8(mounts.readAll());
    const QString resolved = KernelResolvedPath(path, true);
    const QString universal = UncPathFromMountInfo(resolved, mountInfo);
    return universal == resolved ? path : universal;
}

QString GetShortPath(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        throw Exception(QStringLiteral("ファイルが見つかりません。"));
    return path;
}

} // namespace core
