#pragma once
// Page-number formats: texts with one or two integer placeholders ("(%d/%d)"), formatted the way
// the library's callers write them (width, "-" and the integer conversions d, u and x).

#include <QString>

#include <optional>

namespace print {

// The number of "%d" (in any case) in the format.
int CountPagePlaceholders(const QString& format);

// The format applied to the integers; nothing when it holds a conversion the integers cannot
// fill (a string placeholder, more placeholders than integers, a broken directive).
std::optional<QString> FormatPageNumber(const QString& format, const QList<int>& values);

} // namespace print
