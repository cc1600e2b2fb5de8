#pragma once
// Folders that the folder-tree operations refuse to delete, copy or move.

#include <QString>

namespace core {

// False for a path that must not be deleted, copied or moved as a whole:
// - an empty or blank path, and a bare drive ("C:", "d:\", "D:/");
// - after resolving it (relative to the current folder, ".", "..", repeated and trailing "/",
//   symbolic links on the way, a mapped drive letter or share), the root "/", any folder
//   directly under the root (/usr, /etc, /var, /bin, /lib*, /boot, /proc, /sys, /dev, /home …),
//   the system folder (GetSystemDir), the user's home folder, and every folder that a drive
//   letter or share maps to. The path is checked both as written (a final link as the link)
//   and with a final link followed.
// True otherwise. Names compare exactly: the file system is case-sensitive.
bool IsNotRootOrSystemDir(const QString& path);

// "C:", "d:\", "D:/": a drive letter with a colon and at most a separator.
bool IsBareDrive(const QString& path);

// The path as the folder operations take it: a Windows-shaped path on a mapped drive or share
// becomes its native path; anything else is returned as written.
QString FolderOperationPath(const QString& path);

} // namespace core
