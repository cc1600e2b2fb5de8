// Connecting the company database of a data set for the length of one My Number operation.
#include "companydata/MyNumberDataSet.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/Identity.h"

#include <QDir>

namespace companydata {

namespace {

// Whether the open company connection is that of the database file: its name is the path, or
// "host:" and the path when it goes through a server.
bool connectedTo(const QString& connectionName, const QString& databaseFile) {
    const QString file = QDir::cleanPath(databaseFile);
    const QString name = QDir::cleanPath(connectionName);
    return name == file || name.endsWith(QLatin1Char(':') + file);
}

} // namespace

bool WorkOnMyNumberDataSet(const QString& host, const QString& databaseFile, const std::function<void()>& work) {
    core::TDM& dm = core::RequireDM();
    if (!dm.FExist(databaseFile, core::ConnectMode))
        return false;
    QString folder = databaseFile;
    const QString fileName = QLatin1Char('/') + core::Identity.DataFile;
    if (folder.endsWith(fileName))
        folder.chop(fileName.size());
    if (dm.IBDatabaseDAT.connected()) {
        // The open connection is used as it is, but only for its own data set: working on
        // another one through it would clear or write the settings of the wrong company.
        if (!connectedTo(dm.IBDatabaseDAT.databaseName(), databaseFile))
            return false;
        work();
        return true;
    }
    if (!dm.fnAccDatConnected(host, folder, 0))
        return false;
    try {
        work();
    } catch (...) {
        dm.AccDatDisconnect(folder, 0, 0);
        throw;
    }
    dm.AccDatDisconnect(folder, 0, 0);
    return true;
}

} // namespace companydata
