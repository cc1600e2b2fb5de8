#pragma once
// Names of the machine and the user the program runs as, and the Windows generation whose
// behaviour this build follows.

#include <QString>

namespace core {

// With ConnectMode 2 (server-based computing, many users on one machine) the session's user
// name SystemDef.WinUserName, "ANONYMOUS" when that is empty; otherwise the computer name,
// which on Linux is the host name (gethostname), "PCNAME-ERROR" when there is none.
QString GetPcName();

// The login name of the user the process runs as (the effective user's passwd entry); an
// empty text when there is none.
QString GetLogonUserName();

// The Windows major version that the product line's rules ask for. Decisions that depend on it (User Account
// Control exists from 6 on) follow a current Windows here, so it is always 10; the kernel's
// version has no bearing on any of them.
int GetWinMajorVersion();

} // namespace core
