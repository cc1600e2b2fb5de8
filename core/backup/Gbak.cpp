#include "core/backup/Gbak.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/backup/BackupBusy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace core {

namespace {

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString gbakProgram() {
    const QString configured = qEnvironmentVariable("TAXLINK_GBAK");
    if (!configured.isEmpty())
        return configured;
    if (!SystemDef.ExeDir.isEmpty()) {
        const QString beside = QDir(SystemDef.ExeDir).filePath(QStringLiteral("gbak"));
        if (QFileInfo(beside).isFile())
            return beside;
    }
    return QStringLiteral("/usr/bin/gbak");
}

QString gbakLogFile() {
    const QString folder = SystemDef.WorkDir.isEmpty() ? QDir::tempPath() : SystemDef.WorkDir;
    return QDir(folder).filePath(QStringLiteral("gbak.log"));
}

void runGbak(const QStringList& arguments, const QString& user, const QString& password,
             const GbakMessages& messages) {
    const QString log = gbakLogFile();
    // gbak refuses to write into an existing log.
    if (QFileInfo::exists(log))
        QFile::remove(log);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ISC_USER"), user);
    environment.insert(QStringLiteral("ISC_PASSWORD"), password);
    process.setProcessEnvironment(environment);
    // A backup file that ends early makes gbak ask for the next volume on its console: it
    // reads end of file and gives up instead of waiting for an answer.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(gbakProgram(), arguments);
    if (!process.waitForStarted())
        throw Exception(messages.startFailed);
    while (!process.waitForFinished(50)) {
        if (process.state() == QProcess::NotRunning)
            break;
        processPendingEvents();
    }

    const QString logText = readText(log);
    const bool failed = process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
                        logText.contains(QLatin1String("ERROR"));
    if (failed) {
        QString detail = logText;
        const QString printed = QString::fromUtf8(process.readAll()).trimmed();
        if (!printed.isEmpty() && !logText.contains(printed))
            detail += (detail.trimmed().isEmpty() ? QString() : QStringLiteral("\r")) + printed;
        if (detail.trimmed().isEmpty())
            detail = process.exitStatus() == QProcess::NormalExit
                         ? QStringLiteral("gbak exit code %1").arg(process.exitCode())
                         : QStringLiteral("gbak: %1").arg(process.errorString());
        throw Exception(messages.failedPrefix + detail);
    }
}

} // namespace core
