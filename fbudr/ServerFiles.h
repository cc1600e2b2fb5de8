#pragma once
// The file operations behind the server routines. Paths come as the client sent them (UTF-8);
// each operation resolves them to canonical paths, refuses anything outside the configured
// roots (ServerRoots.h) and answers false for a refusal or a failure alike (the file test
// fileState alone tells them apart). Nothing here throws for a file-system failure.

#include "ServerRoots.h"

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace taxlink_udr {

// The answer of a file test, as FILEOPERATION's "FEXIST" gives it: a refused path or a test
// that failed is not "no file" (a caller would take the file for deleted).
enum class FileAnswer : int { Present = 1, Absent = 0, Refused = -1, Failed = -2 };

class ServerFiles {
public:
    explicit ServerFiles(Roots roots) : roots_(std::move(roots)) {}
    // The roots of the configuration file, read anew for every call of a routine.
    static ServerFiles fromConfig();

    bool fileExists(const std::string& path) const;   // a plain file (links followed)
    // Present for a plain file (links followed); Absent when nothing or no plain file is there;
    // Refused for a path outside the roots or one that cannot be resolved; Failed when the
    // file system could not tell.
    FileAnswer fileState(const std::string& path) const;
    bool folderExists(const std::string& path) const;
    bool makeFolder(const std::string& path) const;   // with every missing parent; true when it exists
    bool removeFolder(const std::string& path) const; // with its contents; links are removed, not followed
    bool deleteFile(const std::string& path) const;   // a file or a link, never a folder
    // Copies a plain file; an existing plain target is replaced in one step. Written files get
    // mode 0644, whatever the source had.
    bool copyFile(const std::string& from, const std::string& to) const;
    // Renames a plain file (not a link), replacing a plain target in one step.
    bool renameFile(const std::string& from, const std::string& to) const;

    // A descriptor of the plain file at path opened for reading, or -1; the caller closes it.
    int openForReading(const std::string& path) const;
    // The canonical target of a write: under a root (not a root itself), in an existing folder,
    // and not an existing folder, link or other non-plain file.
    std::optional<std::string> writeTarget(const std::string& path) const;

private:
    std::optional<std::string> allowed(const std::string& path, bool followLast, bool strictly) const;

    Roots roots_;
};

// A file written beside its target under a temporary name and renamed over the target once
// complete, so that a failed or interrupted write never leaves a partial target.
class ReplacingFile {
public:
    explicit ReplacingFile(const std::string& target);
    ~ReplacingFile(); // removes the temporary file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool write(const void* data, size_t size);
    bool commit(); // flushes, closes and renames over the target

private:
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
};

} // namespace taxlink_udr
