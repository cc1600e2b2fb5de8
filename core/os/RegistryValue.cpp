#include "core/os/RegistryValue.h"

#include "core/os/MachineNames.h"

namespace core {

QVariant ReadRegistryValue(platform::RootKey root, const QString& keyPath, const QString& valueName) {
    QVariant result(0);
    if (valueName == u"EnableLUA" && GetWinMajorVersion() <= 5)
        return result;
    const platform::RegistryValue value = platform::readRegistryValue(root, keyPath, valueName);
    switch (value.type) {
    case platform::RegistryValueType::String:
        return QVariant(value.text);
    case platform::RegistryValueType::Integer:
        return QVariant(int(value.integer));
    default:
        return result;
    }
}

bool IsUserAccountControlOn() {
    const QVariant value = ReadRegistryValue(platform::RootKey::LocalMachine,
                                             QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System"),
                                             QStringLiteral("EnableLUA"));
    return value.typeId() == QMetaType::Int && value.toInt() == 1;
}

} // namespace core
