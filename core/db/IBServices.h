#pragma once
// The Firebird services the program drives: backup, restore, validation and the list of
// databases a server has open. The classes keep the shape of the InterBase Express service
// components the callers were written for: set the properties, attach (Active := True),
// ServiceStart, then read the output line by line until Eof, then detach.
//
//   TIBBackupService backup;
//   backup.setProtocol(Protocol::TCP);
//   backup.setServerName("dbhost");
//   backup.params() << "user_name=TALLEK" << "password=...";
//   backup.setDatabaseName("/data/company.fdb");
//   backup.backupFiles() << "/data/company.fbk";
//   backup.setOptions({BackupOption::IgnoreLimbo, BackupOption::NoGarbageCollection});
//   backup.attach();
//   backup.serviceStart();
//   backup.runToEnd([](const QString& line) { log(line); qApp->processEvents(); });
//   backup.detach();
//
// Database and backup file names go to the engine in the bytes of the file system, as
// TIBDatabase's do (toNativeName). Every failure, including one the service reports while it
// runs, raises core::EIBError.

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <set>

namespace core {

class ParamBlock;

namespace service {
class ServiceSession;
struct ServiceAddress;
} // namespace service

// How the service manager is reached; the values are those the callers pass.
enum class Protocol { TCP = 0, Local = 3 };

class TIBCustomService {
public:
    TIBCustomService();
    virtual ~TIBCustomService();
    TIBCustomService(const TIBCustomService&) = delete;
    TIBCustomService& operator=(const TIBCustomService&) = delete;

    // TCP: the server's "host:service_mgr"; Local: the embedded engine's "service_mgr".
    void setProtocol(Protocol protocol) { protocol_ = protocol; }
    Protocol protocol() const { return protocol_; }
    void setServerName(const QString& serverName) { serverName_ = serverName; }
    QString serverName() const { return serverName_; }

    // "user_name=..." and "password=..."; any other line is refused on attach. The same lines
    // attach to the databases a restore checks or drops. Through a server the user needs the
    // CREATE DATABASE privilege to restore, and the RDB$ADMIN role (granted to it by a mapping
    // in the security database) to list the server's attachments.
    QStringList& params() { return params_; }
    const QStringList& params() const { return params_; }

    // There is no login dialog: the credentials always come from params().
    void setLoginPrompt(bool) {}

    void attach();
    void detach();
    bool isActive() const { return session_ != nullptr; }

protected:
    service::ServiceAddress address() const;
    service::ServiceSession& session(); // raises when not attached
    void reattach();                    // a fresh attachment for the next action

private:
    Protocol protocol_ = Protocol::Local;
    QString serverName_;
    QStringList params_;
    std::unique_ptr<service::ServiceSession> session_;
};

// A service that runs an action and reports on it in lines of text.
class TIBControlAndQueryService : public TIBCustomService {
public:
    using LineCallback = std::function<void(const QString&)>;

    // True when no started action has output left to read.
    bool eof() const { return eof_; }

    // The next line of output; waits for it or for the end of the action (without Verbose a
    // backup or restore has no lines, and the first read waits for its end). May return an
    // empty string. Raises EIBError when the action failed; eof() is true afterwards.
    QString getNextLine();

    // Reads to the end: onLine gets every non-blank line, onIdle (if given) runs after every
    // read, with or without a line.
    void runToEnd(const LineCallback& onLine, const std::function<void()>& onIdle = {});

protected:
    // showOutput false: reads return empty strings in place of the action's lines.
    void startAction(const ParamBlock& request, bool showOutput = true);

    // Called when the running action ended without error. A service that works in several
    // actions starts the next one here and returns true.
    virtual bool nextAction() { return false; }
    // Called before a failure of the running action is raised.
    virtual void actionFailed() {}

private:
    bool eof_ = true;
    bool showOutput_ = true;
};

enum class BackupOption {
    IgnoreChecksums,
    IgnoreLimbo,
    MetadataOnly,
    NoGarbageCollection,
    OldMetadataDesc,
    NonTransportable,
    ConvertExtTables,
};
using BackupOptions = std::set<BackupOption>;

class TIBBackupService : public TIBControlAndQueryService {
public:
    void setDatabaseName(const QString& name) { databaseName_ = name; }
    QString databaseName() const { return databaseName_; }
    QStringList& backupFiles() { return backupFiles_; }
    void setVerbose(bool verbose) { verbose_ = verbose; }
    void setOptions(const BackupOptions& options) { options_ = options; }
    BackupOptions options() const { return options_; }

    void serviceStart();

private:
    QString databaseName_;
    QStringList backupFiles_;
    bool verbose_ = false;
    BackupOptions options_;
};

enum class RestoreOption {
    DeactivateIndexes,
    NoShadow,
    NoValidityCheck,
    OneRelationAtATime,
    Replace,
    CreateNewDB,
    UseAllSpace,
};
using RestoreOptions = std::set<RestoreOption>;

// Restore never puts a database at risk for a bad backup file. Firebird itself drops the
// database it replaces before it reads the backup, and takes a backup file that ends early
// for a finished restore (the result is a partial database left in shutdown). So with
// Replace the backup is first restored into a scratch database beside the target
// ("<target>.<random>.tmp"; its lines are not shown), which is dropped again; only when that
// restore finished completely is the backup restored over the target. A restore that stopped
// short raises EIBError (isc_gbak_unexp_eof) and, without Replace, drops the partial database
// it created. The price of Replace is a second restore.
class TIBRestoreService : public TIBControlAndQueryService {
public:
    QStringList& databaseNames() { return databaseNames_; }
    QStringList& backupFiles() { return backupFiles_; }
    void setPageBuffers(int buffers) { pageBuffers_ = buffers; }
    void setPageSize(int pageSize) { pageSize_ = pageSize; }
    void setVerbose(bool verbose) { verbose_ = verbose; }
    void setOptions(const RestoreOptions& options) { options_ = options; }
    RestoreOptions options() const { return options_; }

    void serviceStart();

protected:
    bool nextAction() override;
    void actionFailed() override;

private:
    enum class Phase { Idle, Trial, Final };
    void startRestore(const QStringList& databases, const RestoreOptions& options, bool verbose, bool showOutput);
    void dropQuietly(const QStringList& databases);

    QStringList databaseNames_;
    QStringList backupFiles_;
    int pageBuffers_ = 0;
    int pageSize_ = 0;
    bool verbose_ = false;
    RestoreOptions options_;
    Phase phase_ = Phase::Idle;
    QStringList scratchNames_;
};

enum class ValidateOption {
    LimboTransactions,
    CheckDB,
    IgnoreChecksum,
    KillShadows,
    MendDB,
    SweepDB,
    ValidateDB,
    ValidateFull,
};
using ValidateOptions = std::set<ValidateOption>;

// Runs the repair action with the chosen switches. The program's {IgnoreChecksum,
// ValidateFull} checks the whole database and changes nothing in its data (the engine only
// updates its counters in the header and transaction pages, as on any attachment); only
// MendDB mends. A sound database gives no output; problems come as lines, or as EIBError
// ("Summary of validation errors ..."): Firebird ends the action with an error, and the
// embedded engine reports it from serviceStart(), having run the whole check there.
class TIBValidationService : public TIBControlAndQueryService {
public:
    void setDatabaseName(const QString& name) { databaseName_ = name; }
    QString databaseName() const { return databaseName_; }
    void setOptions(const ValidateOptions& options) { options_ = options; }
    ValidateOptions options() const { return options_; }

    void serviceStart();

private:
    QString databaseName_;
    ValidateOptions options_;
};

struct TDatabaseInfo {
    int noOfAttachments = 0;
    int noOfDatabases = 0;
    QStringList dbName; // as the server names them: resolved, absolute
};

// A server answers this to SYSDBA and to users that hold RDB$ADMIN through a mapping in its
// security database (others get EIBError isc_insufficient_svc_privileges); the embedded engine
// lists the databases this process has open. Names come in the bytes of the file system.
class TIBServerProperties : public TIBCustomService {
public:
    TDatabaseInfo fetchDatabaseInfo();
    const TDatabaseInfo& databaseInfo() const { return databaseInfo_; }

private:
    TDatabaseInfo databaseInfo_;
};

// Whether two names denote one database file: canonical paths (links resolved) when the files
// exist, cleaned absolute paths otherwise. Case is kept: file names are case-sensitive here.
bool sameDatabaseFile(const QString& a, const QString& b);

} // namespace core
