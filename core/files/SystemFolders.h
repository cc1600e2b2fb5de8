#pragma once
// The folders the program asks the system for, as native paths without a trailing "/".
//
// The common application-data folder (DataRoot lies below it) is a configured folder, as the
// registry file and the drive map are: $TAXLINK_COMMON_APPDATA when set, else the folder given
// to SetCommonAppDataDir at start-up, else /var/lib/taxlink. The user's folders follow the
// XDG rules through QStandardPaths.

#include <QString>

namespace core {

// The folder that holds the system's shared libraries, the counterpart of the Windows system
// folder: "/usr/lib". GetSystemDir is the same without a trailing "/".
QString GetSystemDirStr();
QString GetSystemDir();

void SetCommonAppDataDir(const QString& folder);
QString CommonAppDataDir(); // the configured folder, as configured

// common: the common application-data folder; otherwise the user's ($XDG_DATA_HOME, usually
// ~/.local/share). The program's own folder when neither is known.
QString GetAppDataDir(bool common);
// The user's Documents folder; the program's own folder when unknown.
QString GetMyDocumentsDir();
// "desktop", "mydocument" or "programfiles" (any case): the desktop, the Documents folder or
// the folder programs are installed under ("/opt"); the program's own folder otherwise.
QString GetSpecialFolder(const QString& name);
// The folder named by $TEMP (or, the Linux name for it, $TMPDIR) when it exists, else the
// default unchanged.
QString GetTempDir(const QString& defaultDir);

} // namespace core
