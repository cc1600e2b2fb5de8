#pragma once
// The backup and restore worker: backs up, restores, copies or rebuilds a company database
// ("qmacc.fdb") or the system database ("qmaccdef.fdb").
//
// A worker thread in form only: Execute runs on the thread but hands every step to the GUI
// thread as a blocking queued call, so the database services, the data module and the
// dialogs are used on the GUI thread while the starter waits in an event-processing loop:
//
//   TBackupRestoreThread thread(true);          // created suspended
//   thread.Mode = 0; thread.DatabaseName = ...; // fields set
//   RunBackupRestoreThread(thread);             // resume, poll (300 ms by default), join
//   if (thread.Failed) show(thread.ErrorMessage + '\r' + thread.ErrorDetail);
//
// Around a company database it applies the My Number rules: the question whether My Number
// information goes into a backup, keeping it out of the backup when not, refusing to restore a
// backup without it over data that manages it, and the audit-log rows. With TransferKind 1 the
// backup file travels between the database server and this machine through the table
// FILETRANS of the file-management database. After a backup it appends the information block
// (BackupInfoBlock.cpp) that readers find again without a restore.
//
// The result fields are written only by the steps and read by the starter only once
// IsTerminated() is true (RunBackupRestoreThread also joins the thread).

#include <QString>
#include <QThread>
#include <QtGlobal>

#include <atomic>

namespace companydata {

class TBackupRestoreThread : public QThread {
    Q_OBJECT

public:
    // Suspended: the thread waits for Resume(); otherwise it starts at once.
    explicit TBackupRestoreThread(bool createSuspended, QObject* parent = nullptr);
    ~TBackupRestoreThread() override; // waits for a running thread, processing events

    // Inputs, set before Resume().
    qint32 Mode = 0;          // 0 backup, 1 restore, 2 copy, 3 rebuild
    quint8 TransferKind = 0;  // 1: the backup file travels through FILETRANS of the server
    bool MyNumberStep = true; // run the My Number step before a backup or restore
    QString HostName;         // empty or "127.0.0.1": this machine
    QString DatabaseName;     // the database to back up, or the restore target
    QString RestoreName;      // target of a copy (a rebuild sets it to DatabaseName)
    QString BackupFileName;   // the backup file on this machine
    quint8 KeepIndexes = 0;   // the restores' keep-indexes flag
    bool WriteZone = false;   // append the information block after a backup
    bool AskIncludeMyNumber = false;
    bool LogMyNumber = false;
    QString ProcessName;      // caller named in the audit log; AppInfo.AppTitle by default

    // Results.
    bool Succeeded = false;
    bool Failed = false;
    QString ErrorCategory;
    QString ErrorCode;
    QString ErrorMessage;
    QString ErrorDetail;
    bool ExcludeMyNumber = false; // set by the My Number step
    qint32 MyNumberAnswer = 0;    // 6 include in the backup, 7 the restore brings it, 0 none

    // The information block. ZoneUseMyNumber is also an input: before a backup the data set's
    // My Number use, before a restore the backup's USEMYNUMBER.
    QString ZoneShougou;
    QString ZoneKishu;
    QString ZoneKimatu;
    qint32 ZoneSiwake = 0;
    qint32 ZoneTotalSiwake = 0;
    QString ZoneDataVersion;
    qint32 ZoneGassan = 0;
    qint32 ZoneUseMyNumber = 0;

    void Resume() { start(); }
    bool IsTerminated() const { return terminated_.load(); }

    // Runs the operation of Mode; the thread's body. The terminated flag is set at its end in
    // every case.
    void Execute();

    // Block values cleared (texts empty, numbers 0).
    void ClearZoneInfo();
    // Appends the block to the file when ZoneShougou is not empty; false when it could not be
    // written (true when nothing was to be written).
    bool WriteZoneInfo(const QString& fileName);
    // Clears the block values and reads the block of the file into them; with cut the file is
    // cut before the block. True when a trade name was read (and, with cut, the file was cut).
    bool ReadZoneInfo(const QString& fileName, bool cut);

protected:
    void run() override { Execute(); }

private:
    void AskMyNumber();
    void BackupDatabase();
    void RestoreDatabase();
    void CopyDatabase();
    void RebuildDatabase();

    // Runs the step on the GUI thread and waits for it; an exception it lets out is reported
    // and fails the operation.
    void Synchronize(void (TBackupRestoreThread::*step)());

    // Fills the error record; also sets Failed and clears Succeeded.
    void SetError(const QString& category, const QString& code, const QString& message, const QString& detail);
    bool HasErrorRecord() const { return !ErrorCode.isEmpty(); }

    // Backs up DatabaseName into BackupFileName by TransferKind.
    bool RunBackup();
    // Restores BackupFileName into DatabaseName by TransferKind.
    bool RunRestore();

    std::atomic<bool> terminated_{false};
};

// What a starter does: resumes the thread, waits while it is not terminated, pollMs per turn
// with events processed (a turn ends as soon as the thread has ended), and joins it.
void RunBackupRestoreThread(TBackupRestoreThread& thread, int pollMs = 300);

// The error record of a failed step as starters show it: message and detail joined by CR.
QString BackupRestoreErrorText(const TBackupRestoreThread& thread);

} // namespace companydata
