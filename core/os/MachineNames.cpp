#include "core/os/MachineNames.h"

#include "core/Globals.h"

#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace core {

QString GetPcName() {
    if (ConnectMode == 2)
        return SystemDef.WinUserName.isEmpty() ? QStringLiteral("ANONYMOUS") : SystemDef.WinUserName;
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QStringLiteral("PCNAME-ERROR") : host;
}

QString GetLogonUserName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_name)
        return {};
    return QString::fromLocal8Bit(found->pw_name);
}

int GetWinMajorVersion() {
    return 10;
}

} // namespace core
