#pragma once
// The program's one data module: the connections to the system, company and file-management
// databases, their transactions, the shared statements the data routines use, the backup,
// restore and validation services and two timers. Created once at start-up with the
// application object as owner and kept in the global DM.
//
// Transaction convention of every database routine: start the transaction it uses only when
// it is not active, and only then finish it (commit, or roll back on an error); a routine
// called inside a caller's transaction joins it (core::TransactionScope does exactly this).

#include "core/backup/ValidationOutcome.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBServices.h"
#include "core/db/IBTransaction.h"
#include "core/session/AccInf.h"
#include "core/session/SystemIni.h"

#include <QObject>
#include <QPointer>
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

    // Services of the file operations and the data check that the data module calls.
    // FExist is that of core/fileops/FileOperations.h (mode 0 local, modes 1 and 2 through the
    // server's file routines); LongToShortFileName too, except that in modes 1 and 2 it gives
    // the path itself, as the server would, without asking it; CallDataCheckHook asks DataCheckHook
    // when forced or when the group's data-damage check is on, else answers 1.
    virtual bool FExist(const QString& path, int connectMode);
    virtual QString LongToShortFileName(const QString& path, int connectMode);
    virtual int CallDataCheckHook(const QString& host, const QString& folder, int force, int quiet);

    // ---- Company information (TDMAccInfo*.cpp) ----
    // Whether the company database has the table (a database error is reported and gives false).
    bool fnExistence_Table(const QString& tableName);
    // Whether the company table has the column (a database error is reported and gives false).
    bool fnExistence_Field(const QString& tableName, const QString& fieldName);

    // Loads the open company data set's settings into AccInf, ReadOnlyData, the statements'
    // row layout and the tax-rate table. All or nothing: on a failure (shown) they keep what
    // they held and the result is false. Commits the company transaction in every case.
    bool fnGetAccInfo();
    // The column of ACCTOTALNAME for the group (the last row read; empty when none).
    QString fnGetAccTotalName(const QString& groupCode, const QString& column);
    // "%d.%d.%d" of ACCVERSION row 1; "0.0.0" when there is none or on a (reported) error.
    QString fnGetDataBaseVer();

    // Data type 3 with code type 1. Every call also selects the statements' row layout.
    bool IsMedicalData(qint32 dataType, qint32 codeType);
    bool IsMedicalGeneralData(); // of AccInf
    // "法人", "個人", "医療法人"; core::Exception for any other data type.
    static QString GetDataTypeName(qint32 dataType);
    // The code type's name ("" for 法人 and 医療法人), with withDataType prefixed by the data
    // type's name ("個人／クリニック"); core::Exception for a type the program does not handle.
    static QString GetCodeTypeName(qint32 dataType, qint32 codeType, bool withDataType);

    // Journal counts of the facility (a blank code: all facilities); errors propagate.
    qint32 GetYukouSiwakeCount(const QString& facilityCode);  // live entries (SISETUMST)
    qint32 GetUpDelSiwakeCount(const QString& facilityCode);  // deleted and replaced entries
    qint32 GetSiwakeCount(const QString& facilityCode, qint32& valid, qint32& updatedDeleted);
    qint32 GetSiwakeCountTotal(const QString& facilityCode);

    // KCODE and USERCODE of the system account named in ACCDEF2 (empty when none).
    void SetSystemCode(const QString& accountName, QString& code, QString& userCode);
    // USERCODE of the account (empty for a blank code or an unknown account).
    QString GetUserCode(const QString& accountCode);

    bool IsReadOnlyData(); // AccInf.READ_ONLY = 1
    // Whether the date lies in the audited, locked part of the year (never for administrators).
    bool IsKansaLockDate(quint8 includeBoundary, const QDate& date);
    qint32 GetKeisanKbn(qint32 kind) { return kind; }
    qint32 GetTaxDefUH(qint32 value) { return value; }
    // ---- end company information ----

    // ---- System settings and logons (TDMSysDef*.cpp) ----
    // Loads the operator's SYSDEF row (inserted with the defaults at the first login, with the
    // first SYSREG items) and SYSREG items, SYSTEMINI rows 10 and 20, the system database's
    // version and the operator's font into SystemDef. Commits (rolls back) the system
    // transaction at its end in every case. False after a shown failure: the caller ends.
    bool fnGetSysDef();
    // Writes the operator's SYSDEF row and SYSREG items from SystemDef in one transaction,
    // committed at its end: on any failure (shown once) nothing is saved and the result is
    // false. The switch words keep every stored bit they do not hold switches in.
    bool fnPutSysDef();
    // Removes the session's LOGONUSERLIST row. Inside a caller's system transaction an error
    // propagates; otherwise it is reported and gives false.
    bool DeleteLogonInfo();
    // LocalAdmin 1, a supervisor or job level 9.
    bool IsAdminOperator();
    // Whether JOBCONTROL2 lets the operator's level run the processing (with the option text
    // contained in PROC_OPTION when the option is not blank); a level without rows may run
    // everything. False after an error.
    bool SetJobControl(const QString& procId, const QString& option);
    // The operator's usual facility (本・支店) of the open data set into SystemDef
    // (FacilityCode, FacilityCode2, FacilityKind, FacilityColor) and its name. False after a
    // reported failure.
    bool GetOpeDefSisetu(QString& facilityName);
    // An administrator, or an operator with a usual facility he holds rights for. Errors
    // propagate.
    bool ExistsOpeDefSisetu();
    // Whether the operator may use every facility of the data set (always without facilities).
    // False after a reported failure.
    bool CanUseAllSiten(qint32 opCode);
    // The value of the key in lines of key=value (key in any case); empty when absent.
    static QString GetKeyValue(const QString& keyValueText, const QString& key);
    // As GetKeyValue, but the key "COLOR" (any case) gives an integer, 16756608 (0xFFAF80) when
    // the value is empty or not above 0.
    static QVariant GetKeyValueVariant(const QString& keyValueText, const QString& key);
    // The installed font families (the screen's list of fonts), set by the program at start-up
    // since this library has no GUI. Unset, no font is known and fnGetSysDef keeps BaseFont.
    QStringList (*ScreenFontFamilies)() = nullptr;
    // ---- end system settings ----

    // ---- Further services (TDMServices*.cpp) ----
    // SYSTEMINI row rec.REC: clears the other fields, then fills them when exactly one row
    // exists (a missing row leaves them cleared and is no failure). Inside a caller's system
    // transaction a database error propagates; otherwise it is reported and gives false.
    bool GetSysIni(TSystemIniRec& rec);
    // Updates or inserts SYSTEMINI row rec.REC; errors as GetSysIni.
    bool SetSysIni(const TSystemIniRec& rec);
    // Communication ID and password of TUSIN_ID row `row` into AccInf's communication slot
    // (cleared first; the target record may be given, for a load that publishes AccInf later).
    // Errors propagate.
    void GetTusinId(int row, int slot);
    void GetTusinId(int row, int slot, TACCINF& target);
    // Empties the operation history OPINF of the company database. Errors propagate.
    void DeleteOpinf();
    // The era table from GENGO; the built-in eras when the table has no (readable) rows.
    void LoadGengoTable();
    // SystemDef.SysDbMajor/Minor1/Minor2 from the newest VERSION row; all 0 on an error.
    void GetSystemVersion();
    // Data number and child number of a data folder path: the two components after the first
    // "DATA" or "CB_DATA" component (any case; "\" and "/" both separate; blanks removed).
    static void SplitDataFolderPath(const QString& path, QString& dataNo, QString& childNo);
    // Registry number (and child number in stand-alone mode) of a data folder.
    void GetDataRecByPath(const QString& path, int& rec, int& childNo);
    // Asks the open data set's password (AccInf.DataPassword) up to three times; true when it
    // has none or the right one was given, false on Cancel or after three wrong inputs.
    bool CheckDataPassword();
    // SSTR of the operator's STYLECOLOR row of the style; empty when none or on any error.
    QString GetStyleColorSstr(int opCode, const QString& styleName);
    // Stores the text as SSTR of the style's row with every colour -1; errors are dropped.
    void PutStyleColorSstr(int opCode, const QString& styleName, const QString& text);
    // Whether the cloud-share rules of the data selection apply (not in the partner edition,
    // not in server-based computing). strict makes no difference for this program.
    bool IsCloudShareMode(quint8 strict);

    // Deferred form close, for a form that must close while it is still being shown:
    // StartFormClose keeps the form in TimerFormCloseTag and enables TimerFormClose; about
    // 100 ms later, outside the running handler, the form is asked to close (a queued close()).
    QPointer<QObject> TimerFormCloseTag;
    void StartFormClose(QObject* form);
    void TimerFormCloseTimer();
    // Deferred module launch: StartSyoriKidou keeps the three values and enables
    // TimerSyoriKidou, whose handler passes them to LaunchModuleHook (when set) and clears them.
    QString SyoriKidouModuleName;
    int SyoriKidouModal = 0;
    QString SyoriKidouParams;
    void StartSyoriKidou(const QString& moduleName, int modal, const QString& params);
    void TimerSyoriKidouTimer();
    // ---- end further services ----

    // ---- Backup, restore and validation (TDMBackup*.cpp) ----
    // File arguments are paths as the engine that works on them sees them. The local protocol
    // is the embedded engine of this process (also for the server "127.0.0.1", which the gbak
    // forms hand to the services): each database file is reached through one engine at a time.
    // Files reached through the local protocol or gbak without a host lie in this machine's
    // file system; through TCP or gbak with a host, the database's lie on that server.
    //
    // New files never overwrite old ones in place: a backup or restore writes beside its
    // target and renames over it once it finished (on a server through the server routines of
    // our Firebird plugin), so a failure leaves the old backup or database whole. A second
    // backup or restore started from an event handled during the wait is refused.

    // Backup through the service; unless direct is set it is written to "qmacc.fb_" in the
    // database's folder first and then replaces the backup file. False after a reported failure.
    bool BackupFDB(Protocol protocol, const QString& server, quint8 direct, const QString& backupFile,
                   const QString& databaseFile);
    // Restore through the service into a scratch file beside the database, which then takes its
    // place when nobody has it attached. A company database (its name contains Identity.DataFile)
    // is connected once and its OPINF emptied. The company database is closed at the end in
    // every case. False after a reported failure.
    bool RestoreFDB(Protocol protocol, const QString& server, quint8 keepIndexes, const QString& backupFile,
                    const QString& databaseFile);
    // The same through the gbak program (core/backup/Gbak.h), the database named "host:file"
    // when host is not empty; host "127.0.0.1" uses BackupFDB / RestoreFDB on the local
    // protocol. The backup raises its failures to the caller; the restore reports them and
    // gives false, also (without a message) for a backup file that does not exist. The protocol
    // argument is not used; keepIndexes neither (gbak restores the indexes active).
    bool BackupFDBGbak(Protocol protocol, const QString& host, quint8 direct, const QString& backupFile,
                       const QString& databaseFile);
    bool RestoreFDBGbak(Protocol protocol, const QString& host, quint8 keepIndexes, const QString& backupFile,
                        const QString& databaseFile);
    // Validation of the whole database, which changes nothing in it. The company database is
    // closed for it and reconnected afterwards when it was connected, whatever the outcome.
    ValidationOutcome ValidateFDBOutcome(Protocol protocol, const QString& server, const QString& databaseFile);
    // False only when the database is damaged: a database that could not be checked is not
    // marked.
    bool ValidateFDB(Protocol protocol, const QString& server, const QString& databaseFile);
    // ---- end backup ----
};

// The data module DM; raises core::Exception when the program has none (yet).
TDM& RequireDM();

} // namespace core
