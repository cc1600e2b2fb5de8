#include "dbupgrade/runner/RunUpdateScript.h"

#include "core/Globals.h"
#include "core/backup/BackupBusy.h"
#include "core/dm/TDM.h"
#include "core/ui/MessageService.h"
#include "dbupgrade/runner/UpdateFiles.h"
#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace dbupgrade {

namespace {

const QByteArray kFailureLine("Statement failed, SQLSTATE =");

// The lines of the log without their line ends; false when it cannot be read.
bool readLogLines(const QString& path, QList<QByteArray>& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray text = file.readAll();
    if (text.endsWith('\n'))
        text.chop(1);
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines << line;
    }
    return true;
}

void writeErrDataupTxt(const QList<QByteArray>& lines)
{
    QDir().mkpath(core::SystemDef.LogDir);
    QFile file(ErrDataupTxtFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    for (const QByteArray& line : lines)
        file.write(line + "\r\n");
}

} // namespace

void AppendErrDataupLog(const QList<QByteArray>& lines)
{
    QDir().mkpath(core::SystemDef.LogDir);
    QFile file(ErrDataupLogFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    for (const QByteArray& line : lines)
        file.write(line + "\r\n");
}

int RunUpdateScript(const QString& versionText)
{
    const QString script = UpdateScriptFile();
    const QString log = UpdateLogFile();
    int result = kStepDone;

    auto finish = [&](int code) {
        if (QFileInfo::exists(log))
            QFile::remove(log);
        return code;
    };

    if (!QFileInfo::exists(script)) {
        core::showMessage(core::MessageKind::None,
                          QStringLiteral("更新ファイル(%1)が見つかりません。\r処理を中止します。").arg(script));
        return finish(kStepFileMissing);
    }
    if (QFileInfo::exists(log))
        QFile::remove(log);

    // One engine at a time reaches a database file: the program's own attachment is closed.
    if (core::DM) {
        core::DM->IBDatabaseDEF.close();
        core::DM->IBDatabaseDAT.close();
    }

    const QString program = SqlToolProgram();
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ISC_USER"), core::SystemDef.USER);
    environment.insert(QStringLiteral("ISC_PASSWORD"), core::SystemDef.PASSWORD);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!program.isEmpty())
        process.start(program, {QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-e"), QStringLiteral("-m"),
                                QStringLiteral("-i"), script, QStringLiteral("-o"), log});
    if (program.isEmpty() || !process.waitForStarted()) {
        core::showMessage(core::MessageKind::None, QStringLiteral("ISQL.EXEが起動できません。\r処理を中止します。"));
        return finish(kStepToolNotStarted);
    }
    while (!process.waitForFinished(50)) {
        if (process.state() == QProcess::NotRunning)
            break;
        core::processPendingEvents();
    }
    const bool ended = process.exitStatus() == QProcess::NormalExit;
    const int exitCode = ended ? process.exitCode() : -1;

    QList<QByteArray> lines;
    const bool haveLog = readLogLines(log, lines);
    bool failed = !ended || exitCode != 0 || !haveLog;
    for (const QByteArray& line : lines)
        if (line.startsWith(kFailureLine))
            failed = true;
    if (failed) {
        result = kStepScriptError;
        if (!haveLog) {
            lines.clear();
            lines << platform::toCp932(QStringLiteral("SQLツールのログ(%1)がありません。終了コード %2").arg(log).arg(exitCode));
            const QByteArray printed = process.readAll().trimmed();
            if (!printed.isEmpty())
                lines << printed.split('\n');
        }
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("Ver %1のデータベース更新に失敗しました。").arg(versionText));
        writeErrDataupTxt(lines);
        AppendErrDataupLog(lines);
    }
    QFile::remove(script);
    return finish(result);
}

} // namespace dbupgrade
