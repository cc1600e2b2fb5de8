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

QString databaseConnectionName(int connectMode, const QString& host, const QString& folder, const QString& file) {
    if (connectMode != 0 && host != QLatin1String("127.0.0.1"))
        return hostForm(host, folder, file);
    return joinPath(folder, file);
}

QString dropDatabaseName(int connectMode, const QString& host, const QString& folder, const QString& file) {
    if (connectMode != 0)
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
