#include "dbupgrade/runner/UpdateFiles.h"

#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace dbupgrade {

namespace {

QString workFolder()
{
    return core::SystemDef.WorkDir.isEmpty() ? QDir::tempPath() : core::SystemDef.WorkDir;
}

} // namespace

QString UpdateScriptFile()
{
    return QDir(workFolder()).filePath(QStringLiteral("qmvdataup.sql"));
}

QString UpdateLogFile()
{
    return QDir(workFolder()).filePath(QStringLiteral("qmvdataup.log"));
}

QString ErrDataupTxtFile()
{
    return QDir(core::SystemDef.LogDir).filePath(QStringLiteral("ErrDataup.txt"));
}

QString ErrDataupLogFile()
{
    return QDir(core::SystemDef.LogDir).filePath(QStringLiteral("ErrDataup.log"));
}

QString SqlToolProgram()
{
    const QString configured = qEnvironmentVariable("TAXLINK_ISQL");
    if (!configured.isEmpty())
        return configured;
    if (!core::SystemDef.ExeDir.isEmpty()) {
        const QString beside = QDir(core::SystemDef.ExeDir).filePath(QStringLiteral("isql-fb"));
        if (QFileInfo(beside).isFile())
            return beside;
    }
    return QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
}

QString ExternalScriptFolder(const core::TVersionTriple& version)
{
    return QDir(core::SystemDef.SqlDir)
        .filePath(QString::asprintf("%d%d%d", version.Major, version.Minor1, version.Minor2));
}

bool ReadExternalScripts(const core::TVersionTriple& version, const QStringList& fileNames, bool missingIsFatal,
                         QStringList& lines)
{
    const QDir folder(ExternalScriptFolder(version));
    QStringList collected;
    for (const QString& name : fileNames) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            if (missingIsFatal) {
                lines.clear();
                return false;
            }
            continue;
        }
        const QList<QByteArray> rawLines = file.readAll().split('\n');
        for (QByteArray raw : rawLines) {
            if (raw.endsWith('\r'))
                raw.chop(1);
            if (!raw.isEmpty())
                collected << platform::fromCp932(raw);
        }
    }
    lines << collected;
    return true;
}

} // namespace dbupgrade
