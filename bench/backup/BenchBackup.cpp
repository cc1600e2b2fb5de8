// Times the backup and the restore of the large sample's company database through the
// company-data worker (the program's own path: the database services, driven from the worker
// thread) against Firebird's own gbak on the same file in the same run, and prints the ratio of
// each.
//
//   bench_backup [--lines N] [--root FOLDER]
//
// --lines: journal lines of the sample (default 300000). --root: the data root to use; the
// sample is created there once and reused by later runs (default: a temporary folder).

#include "companydata/BackupRestoreThread.h"
#include "core/Globals.h"
#include "core/backup/Gbak.h"
#include "core/dm/TDM.h"
#include "bench/common/LargeSample.h"
#include "schema/DataRoot.h"
#include "schema/sample/SampleDataSet.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <stdexcept>

namespace {

void print(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

double ratio(double part, double whole)
{
    return whole > 0 ? part / whole : 0.0;
}

// One operation of the worker, timed as a starter runs it.
qint64 timedWorker(qint32 mode, const QString& database, const QString& backup)
{
    companydata::TBackupRestoreThread worker(true);
    worker.Mode = mode;
    worker.DatabaseName = database;
    worker.BackupFileName = backup;
    worker.KeepIndexes = 1;
    worker.MyNumberStep = false;
    QElapsedTimer timer;
    timer.start();
    companydata::RunBackupRestoreThread(worker);
    const qint64 elapsed = timer.elapsed();
    if (!worker.Succeeded)
        throw std::runtime_error(companydata::BackupRestoreErrorText(worker).toStdString());
    return elapsed;
}

// gbak on the embedded engine with the options the worker's services use.
qint64 timedGbak(const QStringList& arguments)
{
    QProcess gbak;
    gbak.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer timer;
    timer.start();
    gbak.start(core::gbakProgram(), arguments);
    if (!gbak.waitForFinished(-1) || gbak.exitStatus() != QProcess::NormalExit || gbak.exitCode() != 0)
        throw std::runtime_error("gbak failed: " + gbak.readAll().toStdString());
    return timer.elapsed();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    try {
        QString report;
        const schema::DataRoot root = bench::openLargeSample(app, temporary.path(), report);
        print(report);

        core::SystemDef.USER = schema::DbAccount{}.user;
        core::SystemDef.PASSWORD = schema::DbAccount{}.password;
        core::SystemDef.SYSDIR = root.sysDir();
        core::SystemDef.WorkDir = temporary.path();
        core::SystemDef.LogDir = temporary.path();
        core::ConnectMode = 0;
        core::TDM dm;
        core::DM = &dm;

        // Both work on copies of the company database in the temporary folder.
        const QString source = QDir(root.dataFolder(1)).filePath(QStringLiteral("qmacc.fdb"));
        const QString database = temporary.filePath(QStringLiteral("qmacc.fdb"));
        if (!QFile::copy(source, database))
            throw std::runtime_error("the company database could not be copied");
        const QString workerBackup = temporary.filePath(QStringLiteral("worker.fbk"));
        // The worker restores only into a file with the company database's name.
        QDir(temporary.path()).mkdir(QStringLiteral("restored"));
        const QString workerRestore = temporary.filePath(QStringLiteral("restored/qmacc.fdb"));
        const QString gbakBackup = temporary.filePath(QStringLiteral("gbak.fbk"));
        const QString gbakRestore = temporary.filePath(QStringLiteral("gbak.fdb"));

        const qint64 workerBackupMs = timedWorker(0, database, workerBackup);
        const qint64 gbakBackupMs = timedGbak({QStringLiteral("-b"), QStringLiteral("-ig"), QStringLiteral("-g"),
                                               QStringLiteral("-nt"), QStringLiteral("-v"), database, gbakBackup});
        const qint64 workerRestoreMs = timedWorker(1, workerRestore, workerBackup);
        const qint64 gbakRestoreMs = timedGbak({QStringLiteral("-c"), QStringLiteral("-bu"), QStringLiteral("4096"),
                                                QStringLiteral("-p"), QStringLiteral("16384"), QStringLiteral("-v"),
                                                gbakBackup, gbakRestore});

        print(QStringLiteral("database:                %1 bytes").arg(QFileInfo(database).size()));
        print(QStringLiteral("backup through worker:   %1 ms (%2 bytes)").arg(workerBackupMs).arg(QFileInfo(workerBackup).size()));
        print(QStringLiteral("backup through gbak:     %1 ms (%2 bytes)").arg(gbakBackupMs).arg(QFileInfo(gbakBackup).size()));
        print(QStringLiteral("restore through worker:  %1 ms").arg(workerRestoreMs));
        print(QStringLiteral("restore through gbak:    %1 ms").arg(gbakRestoreMs));
        print(QStringLiteral("backup worker / gbak:    %1  (goal <= 1.1)")
                  .arg(ratio(double(workerBackupMs), double(gbakBackupMs)), 0, 'f', 2));
        print(QStringLiteral("restore worker / gbak:   %1  (goal <= 1.1)")
                  .arg(ratio(double(workerRestoreMs), double(gbakRestoreMs)), 0, 'f', 2));
        core::DM = nullptr;
    } catch (const std::exception& error) {
        print(QStringLiteral("failed: %1").arg(QString::fromUtf8(error.what())));
        return 1;
    }
    return 0;
}
