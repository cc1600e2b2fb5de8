#pragma once
// Windows drive letters and shared folders mapped to local folders by configuration, a CP932
// INI file:
//
//   [DRIVES]
//   D=/srv/tallek/d
//   [SHARES]
//   \\server\share=/mnt/server-share
//
// Letters and share names compare case-insensitively; the mapped folders are used as written.

#include <QChar>
#include <QString>

namespace platform {

// The configuration file used: $TAXLINK_DRIVES, else the path given to setDriveMapFile, else
// /etc/taxlink/drives.ini. A missing file maps nothing.
void setDriveMapFile(const QString& path);
QString driveMapFile();

// The folder the drive letter maps to (without a trailing "/"), or an empty string.
QString driveFolder(QChar letter);

// "D:\data\x" → "<folder of D>/data/x"; "\\server\share\x" → "<folder of the share>/x".
// A drive or share that is not mapped stays as it is; in every case "\" becomes "/".
QString toNativePath(const QString& windowsPath);

// The inverse, for showing paths: the longest mapped folder that holds the path gives its
// drive ("D:\data\x") or share; a path outside every mapped folder is returned unchanged.
QString toWindowsPath(const QString& nativePath);

} // namespace platform
