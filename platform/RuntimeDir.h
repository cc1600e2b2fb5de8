#pragma once
// The per-user folder for runtime objects (mutex lock files, window sockets).

#include <QString>

namespace platform {

// $XDG_RUNTIME_DIR when it is set and names an existing folder; otherwise /tmp/taxlink-<uid>,
// created with mode 0700 on first use. Throws std::runtime_error when the fallback folder cannot
// be created or is not a folder that belongs to this user (someone else may have planted it).
QString runtimeDir();

} // namespace platform
