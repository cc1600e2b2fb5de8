#pragma once
// Trailing delimiters of native paths. Folders are handed out without a trailing "/" unless
// a caller asks for one; joining is then folder + "/" + name.

#include <QString>

namespace core {

// The path without one trailing "/" ("/" itself becomes "", as a drive root loses its "\").
QString ExcludePathDelim(const QString& path);
// The path with exactly one trailing "/" added when it has none ("" becomes "/").
QString IncludePathDelim(const QString& path);

} // namespace core
