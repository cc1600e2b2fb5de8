#pragma once
// The ZIP packer: one file into a password-protected archive, with the Info-ZIP style options
// the callers pass ("-D -P <password> -q -j"). The archive uses the traditional PKWARE
// encryption, which Info-ZIP's unzip and the analysis service read; deflated when that makes
// the file smaller. The password is never put on a command line.

#include <QString>

namespace platform {

// options: "-D" (no folder entries), "-P <password>", "-q", "-j" (stored under its bare name);
// zipPath and sourcePath may be enclosed in double quotes. An existing archive is replaced.
// Returns 0 on success, -3 when encryption is asked for and cannot be written, -1 for any
// other failure (no archive is left behind then).
int ZipWithDll(const QString& options, const QString& zipPath, const QString& sourcePath);

} // namespace platform
