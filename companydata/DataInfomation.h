#pragma once
// The information of company data sets: read from a data set's company database, from the
// information file "qmacc.ini" beside it, or, when the data sets live on a database server,
// from their registry row; the data folder's state (in use, being copied, taken out of its
// shared area) kept in that file; and the operator's rights to a data set.
//
// Location mode (DataPlace, set by the creator from ConnectMode): 0 the data folder is read
// directly; 1 and 2 the data sets are on a database server, where nothing writes the
// information file; 3 and above are written like 0 and read as an unknown place.

#include "companydata/DataInfomationRec.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <functional>

namespace companydata {

// One product version and its display name ("15.0" → the product's name for it).
struct TSeihinVersionName {
    QString VersionText; // "%d.%d"
    QString Name;
};

class TDataInfomation {
public:
    TDataInfomation();

    quint8 DataPlace = 0;
    TDataInfomationRec DataInfoRec;
    // The product versions, in the order the version list gives them.
    QList<TSeihinVersionName> SeihinVersions;

    // Fills SeihinVersions of every new object; installed by the layer that reads the
    // installed products. Unset, the list stays empty and versions are named by their numbers.
    static inline std::function<QList<TSeihinVersionName>()> SeihinVersionSource;

    static void ClearDataInfoRec(TDataInfomationRec& rec) { companydata::ClearDataInfoRec(rec); }

    // The information file of the folder: the company database's name with ".ini".
    static QString IniFileName(const QString& folder);
    static QString DataFileName(const QString& folder);

    // Writes the registered name (cut to 40 bytes), the update lock and, from schema 12.0.0,
    // the read-only flag into ACCDEF1 of the folder's data set.
    void UpdateDataInfomation(const QString& host, const QString& folder, TDataInfomationRec rec);
    // Fills the record from the company database the data module is set up for (connected
    // here when it is not, and left connected). 1 on success.
    int GetDataInfoRec(TDataInfomationRec& rec);
    // Opens the folder's database, reads it, closes it; 0 when it cannot be read.
    int GetDataInfoOfFolder(const QString& folder, TDataInfomationRec& rec);

    int ReadIniFile(const QString& host, const QString& folder, TDataInfomationRec& rec);
    int ReadIni(const QString& folder, TDataInfomationRec& rec);

    void SetDataStatus(const QString& folder, quint8 status);
    void SetShareStatus(const QString& folder, quint8 status);
    bool SetShareStatusIfChanged(const QString& folder, quint8 status);
    // Rewrites [DATASTS], [DATAINFO] or (empty section) both from the record.
    void WriteIniFile(const QString& folder, const QString& section, const TDataInfomationRec& rec);
    // Writes one key, or removes it when deleteKey is set.
    void WriteIniValue(const QString& folder, const QString& section, bool deleteKey, const QVariant& value,
                       const QString& key);
    void RefreshIniFile(const QString& folder, const QString& section);

    // The shared data set's local copy sent back (1) or not (0).
    int KyoyuDataUp(const QString& sharedFolder, const QString& localFolder, int quiet);
    // The shared data set taken out into the local folder: 1 copied, 0 not, −1 refused.
    int KyoyuDataDown(const QString& sharedFolder, const QString& localFolder, int quiet);

    bool IsDataSiyouKengen(const QString& folder);
    bool IsDataPasswordAuth(const QString& folder);
    QString GetDataVersionName(qint32 major, qint32 minor) const;

private:
    bool writesIni() const { return DataPlace == 0 || DataPlace >= 3; }
    void setStatusKeys(const QString& folder, const QString& statusKey, const QString& codeKey,
                       const QString& nameKey, quint8 status);
    int readFolder(const QString& host, const QString& folder, TDataInfomationRec& rec);
    int readServer(const QString& host, const QString& folder, TDataInfomationRec& rec);
    void fillFromDatabase(TDataInfomationRec& rec);
};

// The data-folder files named like the company database ("qmacc.*") copied from one folder
// into another, which is created when missing. True when every file was copied.
bool CopyDataFiles(const QString& sourceFolder, const QString& targetFolder);

} // namespace companydata
