#include "platform/DriveMap.h"

#include "platform/AsciiCase.h"
#include "platform/IniFile.h"

#include <QList>

namespace platform {

namespace {

QString& configuredFile() {
    static QString path;
    return path;
}

const QString kDrives = QStringLiteral("DRIVES");
const QString kShares = QStringLiteral("SHARES");

QString cleanFolder(QString folder) {
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

// folder + rest, where rest is "" or starts with "/"; a root folder "/" does not double the slash.
QString join(const QString& folder, const QString& rest) {
    if (rest.isEmpty())
        return folder;
    return folder == u"/" ? rest : folder + rest;
}

bool isDriveLetter(QChar c) {
    const char16_t u = asciiFold(c.unicode());
    return u >= u'a' && u <= u'z';
}

struct Mapping {
    QString windowsRoot; // "D:" or "\\server\share"
    QString folder;
};

QList<Mapping> mappings() {
    const TIniFile ini(driveMapFile());
    QList<Mapping> result;
    for (const QString& key : ini.ReadSection(kDrives)) {
        const QString folder = cleanFolder(ini.ReadString(kDrives, key, {}));
        if (key.size() == 1 && isDriveLetter(key[0]) && !folder.isEmpty())
            result << Mapping{key.toUpper() + u':', folder};
    }
    for (const QString& key : ini.ReadSection(kShares)) {
        const QString folder = cleanFolder(ini.ReadString(kShares, key, {}));
        if (key.startsWith(QStringLiteral("\\\\")) && !folder.isEmpty())
            result << Mapping{key, folder};
    }
    return result;
}

// The share part "\\server\share" of a UNC path, or empty.
QString uncRoot(const QString& path) {
    if (!path.startsWith(QStringLiteral("\\\\")))
        return {};
    const qsizetype serverEnd = path.indexOf(u'\\', 2);
    if (serverEnd <= 2)
        return {};
    const qsizetype shareEnd = path.indexOf(u'\\', serverEnd + 1);
    return shareEnd < 0 ? path : path.left(shareEnd);
}

} // namespace

void setDriveMapFile(const QString& path) {
    configuredFile() = path;
}

QString driveMapFile() {
    const QString env = qEnvironmentVariable("TAXLINK_DRIVES");
    if (!env.isEmpty())
        return env;
    if (!configuredFile().isEmpty())
        return configuredFile();
    return QStringLiteral("/etc/taxlink/drives.ini");
}

QString driveFolder(QChar letter) {
    if (!isDriveLetter(letter))
        return {};
    return cleanFolder(TIniFile(driveMapFile()).ReadString(kDrives, QString(letter), {}));
}

QString toNativePath(const QString& windowsPath) {
    QString root;
    QString folder;
    if (windowsPath.size() >= 2 && windowsPath[1] == u':' && isDriveLetter(windowsPath[0])) {
        root = windowsPath.left(2);
        folder = driveFolder(windowsPath[0]);
    } else if (!(root = uncRoot(windowsPath)).isEmpty()) {
        folder = cleanFolder(TIniFile(driveMapFile()).ReadString(kShares, root, {}));
    }
    QString rest = windowsPath;
    rest.replace(u'\\', u'/');
    if (folder.isEmpty())
        return rest;
    rest = rest.mid(root.size());
    if (rest == u"/")
        rest.clear();
    else if (!rest.isEmpty() && !rest.startsWith(u'/'))
        rest.prepend(u'/'); // "D:data" is relative to the drive's current folder: its root here
    return join(folder, rest);
}

QString toWindowsPath(const QString& nativePath) {
    const QList<Mapping> all = mappings();
    const Mapping* best = nullptr;
    for (const Mapping& m : all) {
        const bool inside = m.folder == u"/" || nativePath == m.folder || nativePath.startsWith(m.folder + u'/');
        if (inside && (!best || m.folder.size() > best->folder.size()))
            best = &m;
    }
    if (!best)
        return nativePath;
    QString rest = best->folder == u"/" ? nativePath : nativePath.mid(best->folder.size());
    rest.replace(u'/', u'\\');
    if (rest.isEmpty() || rest == u"\\")
        return best->windowsRoot + u'\\';
    return best->windowsRoot + rest;
}

} // namespace platform
