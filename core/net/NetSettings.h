#pragma once
// The connection settings of the relay service and its FTP server, kept in "AppInfo.ini"
// [Application] beside the program: RelayServer, RelayPort (443), ProductSerial, CaFile (empty:
// the system's certificate store), FtpPort (21), ConnectTimeout and RequestTimeout (seconds),
// and the service's web pages: AnalysisLoginPage, MeetingGuidePage and RelayWebServer (the
// host of the relay service's web pages; empty: RelayServer).
// Every transfer reads them through NetSettings(); tests put their own in place.

#include <QString>

namespace core::net {

struct TNetSettings {
    QString RelayServer;
    int RelayPort = 443;
    QString ProductSerial;
    QString CaFile;
    int FtpPort = 21;
    int ConnectTimeout = 30; // seconds to set up a connection, TLS included
    int RequestTimeout = 60; // seconds for a whole relay exchange; an FTP reply or a stalled transfer
    QString AnalysisLoginPage;
    QString MeetingGuidePage;
    QString RelayWebServer;
};

// Reads the settings from the AppInfo file; missing keys keep the defaults above.
TNetSettings LoadNetSettings(const QString& appInfoPath);

// The settings in force: those set last, else those of "AppInfo.ini" beside the running program.
const TNetSettings& NetSettings();
void SetNetSettings(const TNetSettings& settings);

} // namespace core::net
