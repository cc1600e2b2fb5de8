#pragma once
// Whether this test process holds a file open itself (the engine inside the process would).

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace testsupport {

inline bool processHoldsFile(const QString& path) {
    const QString wanted = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = QFileInfo(fds.filePath(fd)).symLinkTarget();
        if (!wanted.isEmpty() && target == wanted)
            return true;
    }
    return false;
}

} // namespace testsupport
