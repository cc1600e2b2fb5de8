#pragma once
// Reading a registry value as the program's helpers do, and the one Windows setting the save
// rule asks for. The registry is the registry file of platform/Registry.h.

#include "platform/Registry.h"

#include <QString>
#include <QVariant>

namespace core {

// The integer 0 unless the value exists: a string value gives its text, a 32-bit number its
// integer, any other type 0. The key is only opened, never created. "EnableLUA" is read only
// when the Windows major version is above 5 (before that there was no User Account Control).
QVariant ReadRegistryValue(platform::RootKey root, const QString& keyPath, const QString& valueName);

// "EnableLUA" under HKEY_LOCAL_MACHINE "\SOFTWARE\Microsoft\Windows\CurrentVersion\Policies\System"
// equals 1. The registry file carries it where an installation wants the Windows rule for the
// system drive's root (see SaveLocationRule.h).
bool IsUserAccountControlOn();

} // namespace core
