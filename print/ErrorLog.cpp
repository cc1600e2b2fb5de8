// The print library's error log.
#include "print/ErrorLog.h"

#include "core/files/SystemFolders.h"
#include "platform/Cp932.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace print {

namespace {
QString& folderOverride() {
    static QString folder;
    return folder;
}
} // namespace

QString PrintErrorLogFolder() {
    return folderOverride().isEmpty() ? core::GetMyDocumentsDir() : folderOverride();
}

void SetPrintErrorLogFolder(const QString& folder) {
    folderOverride() = folder;
}

void WritePrintErrorLog(const QString& text) {
    const QString folder = PrintErrorLogFolder();
    QDir().mkpath(folder);
    QFile log(folder + QStringLiteral("/Pagewerk_Error.log"));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // the log is the last resort; nothing further to report to
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yy/MM/dd hh:mm:ss"));
    log.write(platform::toCp932(stamp + QStringLiteral("  ") + text) + "\r\n");
}

} // namespace print
