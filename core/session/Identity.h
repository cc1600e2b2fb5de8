#pragma once
// The product identity every reader of files and databases takes its names from: the maker,
// the program's short name, its folders and the data-file names. They start with the built-in
// values of the application information; once the main form has read "AppInfo.ini" it copies
// the file's values over them, so an AppInfo file can rename the databases. No other place
// spells "qmacc.fdb" or "qmaccdef.fdb".

#include "core/session/AppInfo.h"

#include <QString>
#include <QtGlobal>

namespace core {

struct TIdentity {
    QString MakerName;      // Company/Name
    QString MakerUrl;       // Company/URL
    QString Since;
    QString AppName;        // short program name; names the application INI file
    QString HomeDir;        // folder key under the common application-data folder
    QString ViewDataDir;    // EChobo DataDir
    QString ZebrikHomeDir;
    QString ShareDir;
    QString ServerDir;
    QString ServerTempDir;
    QString DataDefFile;    // system database, "qmaccdef.fdb"
    QString DataFile;       // company database, "qmacc.fdb"
    QString DataBackupFile; // backup of a company database, "qmacc.fbk"
    QString DataIniFile;    // information file of a data folder, "qmacc.ini"
    qint32 DataListCnt = 120; // capacity of a data place
};

extern TIdentity Identity;

// The identity as the given application information names it.
TIdentity IdentityFrom(const TAppInfoRec& info);
// What the main form does after LoadAppInfo: Identity := IdentityFrom(info).
void CopyAppInfoToIdentity(const TAppInfoRec& info);

// The temporary backup name of a company database; AppInfo does not rename it.
inline const QString kTempBackupFile = QStringLiteral("qmacc.fbk");
// The file-management database in the system folder.
inline const QString kFileManDataFile = QStringLiteral("qmfileman.fdb");

} // namespace core
