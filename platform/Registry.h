#pragma once
// The registry values the program reads (installed products, their versions) come from a CP932
// file in the format of a .reg export:
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Tallek\Diru]
//   "Product"="ヂル"            string value ("\\" and "\"" inside are escaped as in .reg files)
//   "Count"=dword:0000002a       32-bit integer
//   "Data"=hex:01,02             any other type
//   @="text"                     the key's default value (value name "")
//
// Key paths and value names compare case-insensitively (ASCII letters). A key that appears only
// as part of a longer path exists as a sub-key but holds no values. The file is read on every
// call; a missing or unreadable file is an empty registry.

#include <QString>
#include <QStringList>

namespace platform {

enum class RootKey { LocalMachine, CurrentUser };
enum class RegistryValueType { None, String, Integer, Other };

struct RegistryValue {
    RegistryValueType type = RegistryValueType::None;
    QString text;       // String: the text; Other: the data as written after "="
    qint32 integer = 0; // Integer: the value
};

// The file used: $TAXLINK_REGISTRY, else the path given to setRegistryFile, else
// /etc/taxlink/registry.ini. Set the path once at start-up.
void setRegistryFile(const QString& path);
QString registryFile();

// "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER".
QString rootKeyName(RootKey root);

// keyPath is backslash separated; a leading or trailing "\" is ignored. Type None when the key
// or the value does not exist.
RegistryValue readRegistryValue(RootKey root, const QString& keyPath, const QString& valueName);

// Names of the direct sub-keys, sorted case-insensitively as Windows enumerates them.
QStringList registrySubKeys(RootKey root, const QString& keyPath);

} // namespace platform
