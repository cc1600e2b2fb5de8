#include "core/files/PathDelim.h"

namespace core {

QString ExcludePathDelim(const QString& path) {
    return path.endsWith(u'/') ? path.left(path.size() - 1) : path;
}

QString IncludePathDelim(const QString& path) {
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace core
