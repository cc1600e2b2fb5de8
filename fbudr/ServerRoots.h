#pragma once
// Which files the server routines may touch: only those under the root folders listed in a
// configuration file on the server, named by canonical paths.
//
// The file is /etc/firebird/3.0/taxlink-udr.conf unless the environment variable
// TAXLINK_UDR_CONFIG of the process that runs the engine names another (the environment of
// the server is set by whoever starts it). One absolute folder a line; empty lines and lines
// starting with "#" are skipped. The file is used only when it is a regular file owned by root
// or by the user the engine runs as, with no permissions for group or others; otherwise, or
// when it is missing, no folder is allowed and every routine refuses. The folder that holds
// the file is never reachable, even under a root (it may hold the server's passwords, and the
// file must not be replaced through the routines).

#include <optional>
#include <string>
#include <vector>

namespace taxlink_udr {

inline constexpr const char* kDefaultConfigFile = "/etc/firebird/3.0/taxlink-udr.conf";
inline constexpr const char* kConfigVariable = "TAXLINK_UDR_CONFIG";

struct Roots {
    std::vector<std::string> folders; // canonical, existing
    std::string configFolder;         // canonical folder of the configuration file
};

// The roots of the configuration file (those that exist and are folders).
Roots loadRoots();

// The canonical form of an absolute path: every existing folder on the way resolved without
// symbolic links, the part that does not exist yet appended as it is. With followLast false
// the last component is kept as named (a link itself, not its target). Nothing for a relative
// path, a ".." component, an embedded NUL or a failure other than "does not exist".
std::optional<std::string> resolvePath(const std::string& path, bool followLast);

// Whether a canonical path lies under one of the roots and outside the configuration folder;
// `strictly` excludes the roots themselves (a root is never deleted, renamed or overwritten).
bool insideRoots(const std::string& canonical, const Roots& roots, bool strictly);

} // namespace taxlink_udr
