#include "core/db/ConnectionName.h"

#include <QFile>

namespace core {

namespace {

QString joinPath(const QString& folder, const QString& file) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + file;
    return folder + QLatin1Char('/') + file;
}

QString hostForm(const QString& host, const QString& folder, const QString& file) {
    return host + QLatin1Char(':') + joinPath(folder, file);
}

} // namespace

bool throughServer(int connectMode, const QString& host) {
    return connectMode != 0 && !host.isEmpty();
}

QString databaseConnectionName(int connectMode, const QString& host, const QString& folder, const QString& file) {
    if (throughServer(connectMode, host))
        return hostForm(host, folder, file);
    return joinPath(folder, file);
}

QByteArray toNativeName(const QString& name) {
    return QFile::encodeName(name);
}

QString fromNativeName(const QByteArray& bytes) {
    return QFile::decodeName(bytes);
}

} // namespace core
