#pragma once
// Universal and short forms of paths.

#include <QString>

namespace core {

// For a path on a network file system (NFS, SMB/CIFS, sshfs …) the name of the same place on
// its server: the mount's source followed by the rest of the path ("//server/share/dir" for
// SMB, "server:/export/dir" for NFS). Any other path, a blank one, and a path whose mounts
// cannot be read come back unchanged.
QString GetUncPath(const QString& path);

// The same decision on a given mount table (the text of /proc/self/mountinfo) for an absolute
// path whose links are resolved.
QString UncPathFromMountInfo(const QString& path, const QString& mountInfo);

// Linux keeps no short (8.3) names: the path itself when it exists; otherwise raises
// core::Exception "ファイルが見つかりません。".
QString GetShortPath(const QString& path);

} // namespace core
