#pragma once
// Absolute forms of a path for checks that must see what the kernel will act on.

#include <QString>

namespace core {

// The absolute path with "." and ".." and repeated or trailing "/" removed lexically, relative
// paths taken from the current folder. No file-system access.
QString LexicalAbsolutePath(const QString& path);

// The path as the kernel resolves it: every symbolic link on the way is followed, and ".."
// after a link goes up from the link's target. With followLast false a final component that
// is a link stays the link itself (the entry that an unlink would remove). Components that do
// not exist are appended lexically. Empty for an empty path.
QString KernelResolvedPath(const QString& path, bool followLast);

} // namespace core
