#pragma once
// Our LHA archiver: one member per archive, -lh5- (or -lh0- when compression does not shrink
// the file), level-2 headers. Archives are exchanged only between installations of this program;
// the format is described in README.md ("Archive and cipher formats").

#include <QString>

namespace platform {

// Runs one archiver command line: "a \"<archive>\" \"<file>\"" packs one file; "e \"<archive>\" \"<folder>/\""
// extracts it into the folder (the folder path may end with "/" or "\\" inside the quotes). Messages go to
// *output when given. Returns 0 on success, non-zero on failure.
int Unlha(const QString& commandLine, QString* output = nullptr);

// Mode 2: every member decoded and CRC-checked, nothing written. Non-zero for a sound archive, 0 for a
// damaged one (an archive without a member counts as damaged).
int UnlhaCheckArchive(const QString& archivePath, int mode);

} // namespace platform
