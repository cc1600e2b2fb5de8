#include "core/files/SystemFolders.h"

#include "core/files/PathDelim.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace core {

namespace {

QString& configuredCommonDir() {
    static QString folder;
    return folder;
}

QString programDir() {
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

// The folder without its trailing "/", or the program's folder when there is none.
QString orProgramDir(const QString& folder) {
    const QString cleaned = folder == u"/" ? folder : ExcludePathDelim(folder);
    return cleaned.isEmpty() ? programDir() : cleaned;
}

QString standardFolder(QStandardPaths::StandardLocation location) {
    return orProgramDir(QStandardPaths::writableLocation(location));
}

bool isExistingFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

QString GetSystemDirStr() {
    return QStringLiteral("/usr/lib");
}

QString GetSystemDir() {
    return ExcludePathDelim(GetSystemDirStr());
}

void SetCommonAppDataDir(const QString& folder) {
    configuredCommonDir() = folder;
}

QString CommonAppDataDir() {
    const QString env = qEnvironmentVariable("TAXLINK_COMMON_APPDATA");
    if (!env.isEmpty())
        return env;
    if (!configuredCommonDir().isEmpty())
        return configuredCommonDir();
    return QStringLiteral("/var/lib/taxlink");
}

QString GetAppDataDir(bool common) {
    if (common)
        return orProgramDir(CommonAppDataDir());
    return standardFolder(QStandardPaths::GenericDataLocation);
}

QString GetMyDocumentsDir() {
    return standardFolder(QStandardPaths::DocumentsLocation);
}

QString GetSpecialFolder(const QString& name) {
    const QString key = name.toLower();
    if (key == u"desktop")
        return standardFolder(QStandardPaths::DesktopLocation);
    if (key == u"mydocument")
        return GetMyDocumentsDir();
    if (key == u"programfiles")
        return QStringLiteral("/opt");
    return programDir();
}

QString GetTempDir(const QString& defaultDir) {
    for (const char* name : {"TEMP", "TMPDIR"}) {
        const QString folder = qEnvironmentVariable(name);
        if (isExistingFolder(folder))
            return folder == u"/" ? folder : ExcludePathDelim(folder);
    }
    return defaultDir;
}

} // namespace core
