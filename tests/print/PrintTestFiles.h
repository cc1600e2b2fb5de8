#pragma once
// Small print-data and form files written for the print library's tests.

#include "platform/Cp932.h"

#include <QFile>
#include <QString>
#include <QStringList>

namespace printtest {

// Writes the lines in CP932 with CR LF and returns the path.
inline QString writeLines(const QString& path, const QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    for (const QString& l : lines)
        f.write(platform::toCp932(l) + "\r\n");
    return path;
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The header block a print-data file starts with (no page records).
inline QStringList header(const QString& extra = {}) {
    QStringList h{QStringLiteral("*PAGEWERK") + QString(61, u'*'), QStringLiteral("*[SETTING]"),
                  QStringLiteral("*VERSION=VCL.2.5")};
    if (!extra.isEmpty())
        h << extra;
    h << QString(61, u'*') + QStringLiteral("PAGEWERK*");
    return h;
}

} // namespace printtest
