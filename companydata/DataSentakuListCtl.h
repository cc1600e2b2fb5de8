#pragma once
// The one class that reads and writes the registry of company data sets in the system
// database: the data list (DATALIST, DATALIST_EX of a data place, CHILD_DATALIST), the server
// data list of shared drives (SERVERDATALIST, CHILD_SERVERDATALIST) and the rows of shared data
// sets taken out into a local working folder. It works on the data module's system connection
// and its transaction (IBDatabaseDEF, IBTransactionDEF).
//
// Report flag of the row operations: 1 reports a failure to the user, 0 passes it on as an
// exception after the transaction is finished.

#include "companydata/DataListRec.h"
#include "companydata/DataInfomationRec.h"
#include "core/db/IBSQL.h"

#include <QString>
#include <QStringList>

#include <exception>

namespace companydata {

inline const QString kFreeAreaName = QStringLiteral("空き領域");
inline const QString kNewAreaName = QStringLiteral("新しい領域");
// The marker of the folders a paste works in beside its target area (the copy being made and
// the old contents set aside); the server list never lists them as areas.
inline const QString kPasteWorkMarker = QStringLiteral(".haritsuke");
inline bool IsPasteWorkFolder(const QString& name) { return name.contains(kPasteWorkMarker); }

class TDataSentakuListCtl {
public:
    TDataSentakuListCtl();
    ~TDataSentakuListCtl();
    TDataSentakuListCtl(const TDataSentakuListCtl&) = delete;
    TDataSentakuListCtl& operator=(const TDataSentakuListCtl&) = delete;

    quint8 LocationMode = 0; // 0 local or network folders; 1, 2 data sets on a database server
    quint8 ServerList = 0;   // 1: serves the server data list instead of the data list
    QStringList MsgLines;    // detail lines of the state message
    core::TIBSQL Sql;
    core::TIBSQL Sql2;
    qint32 RowCount = 0;
    TDataSentakuRecArray Rows;
    qint32 AllChildCount = 0;
    TDataListArray AllChildren;
    qint32 DataPlaceRec = 0;
    QString TableName;
    QStringList SubFolders;
    bool CloudColumns = false;    // the system database has CLOUD (11.0.1 and later)
    bool ReadOnlyColumns = false; // and READ_ONLY (12.0.0 and later)

    // ---- the data list ----
    void SetDataPlaceRec(qint32 place);
    void ClearList();
    void Execute(int sortKind, bool descending);
    void InitDataListRec(TDataListRec& row, const QString& folder) const;
    void SetDataListRecFromInfo(const TDataInfomationRec& info, TDataListRec& row) const;
    qint32 GetRecOfDataPath(const QString& folder);
    void GetDataListRecord(int mode, TDataListRec& row, int report);
    bool InsertDataListRecord(TDataListRec& row, int report);
    bool UpdateDataListRecord(const TDataListRec& row, int withNames, int report);
    bool DeleteDataListRecord(const TDataListRec& row, int report);
    void RenumberDataListRec();
    void GetDataListChildRecord(TDataSentakuRec& parent, int report);
    bool UpdateDataListChildRecord(const TDataListRec& row, int report);
    bool DeleteDataListChildRecord(const TDataListRec& row, int report);
    qint32 GetDataFolderName(int n);
    bool IsDataPathToroku(const QString& folder);
    qint32 GetRecByPasName(const QString& folder);
    bool IsDataListEmpty();
    static void NumberChildNames(TDataSentakuRec& parent);
    static void RemoveChild(TDataSentakuRec& parent, int index);
    static void GetDataSubFolders(const TDataListRec& row, QStringList& list);
    static void GetShareSubFolders(const TDataListRec& row, QStringList& list);

    // The folder the program opens for a row: PasName without a trailing separator, or for a
    // shared row the working copy under the system folder (SYSDIR/%.4d[/child folder]).
    static void DeriveLocalPath(TDataListRec& row);

    // ---- the server data list and shared data sets ----
    void ServerExecute(int mode, const QString& drivePath, int sortKind, bool descending, const QString& unused);
    bool UpdateServerDataListRecord(TDataListRec& row, int withNames, int report);
    bool UpdateServerDataListChildRecord(TDataListRec& row, int withNames, int report);
    bool DeleteServerDataListChildRecord(const TDataListRec& row, int report);
    void GetNextServerFolderName(const QString& drivePath, int n, QString& name);
    bool ConvLocalPathToSharePath(const QString& folder, QString& sharedFolder, qint32& netDrive, qint32& kyoyuLock);
    bool GetLocalPathToData(const QString& folder, TDataListRec& row);
    int GetDataListRecordByPath(const QString& folder, TDataSentakuRec& row);
    int KyoyuDataDown(TDataSentakuRec& row, int quiet);
    int KyoyuDataUp(TDataSentakuRec& row, int quiet);
    void GetSharePathByPasName(const QString& sharedFolder, quint8 kind, QString& localFolder);

    // The DRIVELETTER of the server data list for a native path: the configured drive letter
    // whose mapped folder holds the path, else the path's first character.
    static QString DriveLetterOf(const QString& path);

private:
    // The select list shared by the registry readers after the leading columns: the versions,
    // flags and reserve columns, and CLOUD / READ_ONLY or their zero stand-ins.
    QStringList RowColumnsTail() const;
    QString DataPlaceText() const;
    void BindDataPlace(core::TIBSQL& q) const;
    // Copies one result row into a registry row (the common row reading).
    void ReadRow(core::TIBSQL& q, TDataListRec& row, bool repairSeparators) const;
    // Binds every parameter of the statement that names a registry column from the row.
    void BindRow(core::TIBSQL& q, const TDataListRec& row) const;
    void ReportFailure(const std::exception& e, const QString& context, const QString& message) const;
    // The next free number of the list: the highest over the whole table (within the data
    // place for DATALIST_EX) plus n. REC is the table's key whatever the group. Throws.
    qint32 NextRec(int n);
    // The SET lines of a data-list row update, and of a server-list row update.
    QStringList SetLines() const;
    QStringList ServerSetLines(int withNames) const;
    // BindRow and the drive letter of the row's folder.
    void BindServerKey(core::TIBSQL& q, const TDataListRec& row) const;
};

} // namespace companydata
