#include "ServerRoots.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace taxlink_udr {
namespace {

constexpr size_t kMaxConfigBytes = 64 * 1024;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::optional<std::string> realPath(const std::string& path) {
    char buffer[PATH_MAX];
    if (!realpath(path.c_str(), buffer))
        return std::nullopt;
    return std::string(buffer);
}

const char* configFile() {
    const char* name = std::getenv(kConfigVariable);
    return name && *name ? name : kDefaultConfigFile;
}

bool under(const std::string& canonical, const std::string& folder) {
    if (canonical == folder)
        return true;
    const std::string prefix = folder == "/" ? folder : folder + "/";
    return canonical.compare(0, prefix.size(), prefix) == 0;
}

// The configuration text, or nothing when the file is missing or others could change or read it.
std::optional<std::string> readConfig(const char* name) {
    const int fd = open(name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::string text;
    const bool safe = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      (info.st_uid == 0 || info.st_uid == geteuid()) && (info.st_mode & 077) == 0;
    if (safe) {
        char buffer[4096];
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0 && text.size() < kMaxConfigBytes)
            text.append(buffer, size_t(got));
    }
    close(fd);
    if (!safe)
        return std::nullopt;
    return text;
}

} // namespace

Roots loadRoots() {
    Roots roots;
    const std::string name = configFile();
    const auto folder = resolvePath(name.substr(0, name.rfind('/') + 1), true);
    const auto text = readConfig(name.c_str());
    if (!folder || !text)
        return roots;
    roots.configFolder = *folder;
    size_t start = 0;
    while (start <= text->size()) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos)
            end = text->size();
        const std::string line = trimmed(text->substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] != '/')
            continue; // comments and anything that is not an absolute folder
        struct stat info {};
        if (auto root = realPath(line); root && stat(root->c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            roots.folders.push_back(*root);
    }
    return roots;
}

std::optional<std::string> resolvePath(const std::string& path, bool followLast) {
    if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos)
        return std::nullopt;
    std::vector<std::string> parts;
    size_t start = 1;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..")
            return std::nullopt;
        parts.push_back(part);
    }
    if (parts.empty())
        return followLast ? std::optional<std::string>("/") : std::nullopt;

    // The longest prefix that exists, resolved; the rest does not exist yet.
    const size_t resolvable = followLast ? parts.size() : parts.size() - 1;
    std::string resolved;
    size_t rest = 0;
    for (size_t n = resolvable;; --n) {
        std::string prefix;
        for (size_t i = 0; i < n; ++i)
            prefix += "/" + parts[i];
        if (prefix.empty())
            prefix = "/";
        errno = 0;
        if (auto real = realPath(prefix)) {
            resolved = *real;
            rest = n;
            break;
        }
        if (errno != ENOENT || n == 0)
            return std::nullopt;
    }
    for (size_t i = rest; i < parts.size(); ++i) {
        if (resolved != "/")
            resolved += "/";
        resolved += parts[i];
    }
    return resolved;
}

bool insideRoots(const std::string& canonical, const Roots& roots, bool strictly) {
    if (roots.configFolder.empty() || under(canonical, roots.configFolder))
        return false;
    for (const std::string& root : roots.folders)
        if (under(canonical, root) && !(strictly && canonical == root))
            return true;
    return false;
}

} // namespace taxlink_udr
