#include "core/net/NetSettings.h"

#include "core/session/AppInfo.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

namespace core::net {

namespace {

std::optional<TNetSettings>& current()
{
    static std::optional<TNetSettings> settings;
    return settings;
}

} // namespace

TNetSettings LoadNetSettings(const QString& appInfoPath)
{
    TNetSettings s;
    if (!QFileInfo::exists(appInfoPath))
        return s;
    const platform::TIniFile ini(appInfoPath);
    const QString section = QStringLiteral("Application");
    s.RelayServer = ini.ReadString(section, QStringLiteral("RelayServer"), s.RelayServer);
    s.RelayPort = ini.ReadInteger(section, QStringLiteral("RelayPort"), s.RelayPort);
    s.ProductSerial = ini.ReadString(section, QStringLiteral("ProductSerial"), s.ProductSerial);
    s.CaFile = ini.ReadString(section, QStringLiteral("CaFile"), s.CaFile);
    s.FtpPort = ini.ReadInteger(section, QStringLiteral("FtpPort"), s.FtpPort);
    s.ConnectTimeout = ini.ReadInteger(section, QStringLiteral("ConnectTimeout"), s.ConnectTimeout);
    s.RequestTimeout = ini.ReadInteger(section, QStringLiteral("RequestTimeout"), s.RequestTimeout);
    s.AnalysisLoginPage = ini.ReadString(section, QStringLiteral("AnalysisLoginPage"), s.AnalysisLoginPage);
    s.MeetingGuidePage = ini.ReadString(section, QStringLiteral("MeetingGuidePage"), s.MeetingGuidePage);
    s.RelayWebServer = ini.ReadString(section, QStringLiteral("RelayWebServer"), s.RelayWebServer);
    return s;
}

const TNetSettings& NetSettings()
{
    auto& settings = current();
    if (!settings) {
        const QString program = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
        settings = program.isEmpty() ? TNetSettings{} : LoadNetSettings(core::AppInfoPath(program));
    }
    return *settings;
}

void SetNetSettings(const TNetSettings& settings)
{
    current() = settings;
}

} // namespace core::net
