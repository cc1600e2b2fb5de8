#include "core/files/ProtectedFolders.h"

#include "core/files/ResolvedPath.h"
#include "core/files/SystemFolders.h"

#include "platform/DriveMap.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QRegularExpression>

namespace core {

namespace {

bool isWindowsShaped(const QString& path) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    return drive.match(path).hasMatch() || path.startsWith(QStringLiteral("\\\\"));
}

// Every folder of the drive map, drive letters and shares alike.
QStringList mappedFolders() {
    const platform::TIniFile map(platform::driveMapFile());
    QStringList folders;
    for (const QString& section : {QStringLiteral("DRIVES"), QStringLiteral("SHARES")})
        for (const QString& key : map.ReadSection(section)) {
            const QString folder = map.ReadString(section, key, {});
            if (!folder.isEmpty())
                folders << folder;
        }
    return folders;
}

// The folders refused by name, each in its lexical and its resolved form.
QStringList namedProtectedFolders() {
    QStringList named = mappedFolders();
    named << GetSystemDir() << QDir::homePath();
    QStringList forms;
    for (const QString& folder : named) {
        forms << LexicalAbsolutePath(folder) << KernelResolvedPath(folder, true);
    }
    forms.removeAll(QString());
    return forms;
}

// True for "/" and "/name".
bool isRootOrTopLevel(const QString& absolute) {
    return absolute.lastIndexOf(u'/') == 0;
}

} // namespace

bool IsBareDrive(const QString& path) {
    static const QRegularExpression bare(QStringLiteral("^[A-Za-z]:[\\\\/]?$"));
    return bare.match(path).hasMatch();
}

QString FolderOperationPath(const QString& path) {
    return isWindowsShaped(path) ? platform::toNativePath(path) : path;
}

bool IsNotRootOrSystemDir(const QString& path) {
    if (path.trimmed().isEmpty() || IsBareDrive(path))
        return false;
    const QString native = FolderOperationPath(path);
    const QStringList forms = {LexicalAbsolutePath(native), KernelResolvedPath(native, false),
                               KernelResolvedPath(native, true)};
    const QStringList named = namedProtectedFolders();
    for (const QString& form : forms)
        if (isRootOrTopLevel(form) || named.contains(form))
            return false;
    return true;
}

} // namespace core
