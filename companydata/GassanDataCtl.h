#pragma once
// Consolidated data sets: the child data sets (kind 10) of a consolidated one live in numbered
// sub-folders of its data folder and are registered as child rows of its registry row. This
// control lists those child folders, creates a new child — a copy of the parent's company
// database emptied of journal entries, balances and audit dates — and writes the parent's
// consolidation settings. Listing works in the local connection mode only.

#include "companydata/DataInfomation.h"
#include "companydata/DataListRec.h"
#include "companydata/DataSentakuListCtl.h"
#include "core/db/IBSQL.h"

#include <QList>
#include <QObject>
#include <QString>

namespace companydata {

struct TGassanDataRec {
    qint32 Rec = 0;   // registry number of the parent
    QString DataPath; // the parent's folder
    qint32 Siten = 0; // the parent's facility setting; above 0: facilities are in use
};

struct TGassanChildDataRec {
    qint32 Rec = 0;     // the parent's registry number
    qint32 ChildNo = 0; // number of the child under the parent (its ROWNO)
    QString Code;       // facility code when the parent uses facilities, else empty
    QString Path;       // the child's folder
};
using TGassanChildDataArray = QList<TGassanChildDataRec>;

class TGassanDataCtl {
public:
    // The owner (the data-selection dialog) only ties the lifetime; it is not kept.
    explicit TGassanDataCtl(QObject* owner = nullptr);
    TGassanDataCtl(const TGassanDataCtl&) = delete;
    TGassanDataCtl& operator=(const TGassanDataCtl&) = delete;

    bool Active = false;
    QString DataPath; // the parent's data folder, without a trailing separator
    qint32 ParentRec = 0;
    qint32 ParentNetDrive = 0;
    QString ParentSharedPath; // the parent's shared folder when it is a shared data set
    TGassanDataRec GassanRec;
    TGassanChildDataArray Children;
    QString ChildPath; // the child being created
    QString ChildCode;
    TDataSentakuListCtl ListCtl;
    TDataInfomation Info;
    TDataListRec WorkRow;
    TDataInfomationRec WorkInfo;
    core::TIBSQL SqlDat;
    core::TIBSQL SqlDat2;

    void SetDataPath(const QString& folder);
    void SetDataListRec(qint32 number);
    void SetActive(bool on);
    void GetChildDataList(TGassanDataRec& record);
    int IndexOfChildPath(const QString& folder) const;
    int GetNextChildNo(int n) const;
    // The next numbered folder name ("%.3d") above the highest numbered sub-folder; raises
    // core::Exception beyond 999.
    void GetNextChildFolderName(const QString& folder, int n, QString& name);
    // Empties the company database copied into ChildPath and marks it a child. Raises after
    // reporting a failure.
    void AccDataSyokika();
    void PutGassanSetting(int kind, int count);
    // Creates and registers one child; false when nothing was made (no half-made child stays).
    bool MakeBunsanData(const QString& code);

private:
    void DiscardChildFolder();
};

} // namespace companydata
