#pragma once
// The program's one data module: the connections to the system, company and file-management
// databases, their transactions, the shared statements the data routines use, the backup,
// restore and validation services and two timers. Created once at start-up with the
// application object as owner and kept in the global DM.
//
// Transaction convention of every database routine: start the transaction it uses only when
// it is not active, and only then finish it (commit, or roll back on an error); a routine
// called inside a caller's transaction joins it (core::TransactionScope does exactly this).

#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBServices.h"
#include "core/db/IBTransaction.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QtGlobal>

namespace core {

// Database kinds of AccDatInConnection.
enum : quint8 { kSystemDatabase = 0, kCompanyDatabase = 1 };

class TDM : public QObject {
    Q_OBJECT

public:
    explicit TDM(QObject* owner = nullptr);
    ~TDM() override; // clears the global DM when it points here

    // System database: registry of data sets, operators, logons, program-wide settings.
    TIBDatabase IBDatabaseDEF;
    TIBTransaction IBTransactionDEF; // read_committed, rec_version, nowait
    TIBQuery IBQSysDefGet;
    TIBQuery IBQSysDefPut;
    TIBQuery QueryDef;
    TIBSQL IBSQLDEF;

    // Company database of one data set.
    TIBDatabase IBDatabaseDAT;
    TIBTransaction IBTransactionDAT;   // read_committed, rec_version, nowait
    TIBTransaction IBTransactionDATSS; // concurrency, nowait (snapshot reads)
    TIBQuery IBQACC1;                  // company reads
    TIBQuery IBQACC2;                  // company writes

    // File-management database (backup files in transit); used only when its file exists.
    TIBDatabase IBFileMan;
    TIBTransaction IBTransFileMan; // read_committed, rec_version, nowait
    TIBQuery IBQueryFileMan;
    TIBSQL IBSQLFileMan;

    TIBBackupService IBBackupService1;
    TIBRestoreService IBRestoreService1;
    TIBValidationService IBValidationService1;

    // Disabled, 100 ms; their handlers belong to the deferred form close and module launch.
    QTimer TimerFormClose;
    QTimer TimerSyoriKidou;

    // Connects the system database of SystemDef.SYSDIR unless it is connected. reportErrors 1:
    // a failure is reported and gives false; any other value lets it propagate.
    bool fnAccDefConnected(const QString& host, quint8 reportErrors);

    // Connects the file-management database of the system folder; false, without a message,
    // when its file does not exist or anything fails.
    bool fnFileManConnected(const QString& host);

    // Connects the company database of the folder (empty: SystemDef.DataFolder), closing the
    // one that is open first; writeInfo 1 marks the data set in use. A failure is reported
    // and, unless the file could not be read at all, the data set goes to the data check.
    // Returns whether the company database is connected.
    bool fnAccDatConnected(const QString& host, const QString& folder, quint8 writeInfo);

    // Closes the company database (marking the data set closed and updating its registry row
    // first when asked) and clears its connection parameters. Always true.
    bool AccDatDisconnect(const QString& folder, quint8 writeInfo, quint8 updateList);

    // Whether anybody has the database file of the kind (kSystemDatabase, kCompanyDatabase) in
    // the folder attached. Unless keepOwnConnection is 1 the module's own connection of that
    // kind is closed for the question (so that it does not count) and reopened afterwards.
    bool AccDatInConnection(quint8 kind, const QString& host, quint8 keepOwnConnection, const QString& folder);

    // Drops the company database of the folder; false for an empty folder or on a failure
    // (reported).
    bool AccDatDropDatabase(const QString& host, const QString& folder);

    // Services of the file operations and the data check that the data module calls. These
    // bodies are their minimal local forms: FExist looks at the local file system in mode 0
    // and answers false in the server modes; LongToShortFileName gives the path itself (there
    // are no short names here); CallDataCheckHook asks DataCheckHook when forced or when the
    // group's data-damage check is on, else answers 1.
    virtual bool FExist(const QString& path, int connectMode);
    virtual QString LongToShortFileName(const QString& path, int connectMode);
    virtual int CallDataCheckHook(const QString& host, const QString& folder, int force, int quiet);
};

// The data module DM; raises core::Exception when the program has none (yet).
TDM& RequireDM();

} // namespace core
