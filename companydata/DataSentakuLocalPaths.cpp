// Between the local working folder of a shared data set (SYSDIR/%.4d[/child]) and the shared
// folder it is registered with, and the drive letter of a path in the server data list.
#include "companydata/DataSentakuListCtl.h"

#include "companydata/RegistryTransaction.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/files/NetworkPaths.h"
#include "core/files/PathDelim.h"
#include "core/text/SjisText.h"
#include "platform/DriveMap.h"

namespace companydata {

namespace {

QStringList components(const QString& path) {
    return core::ExcludePathDelim(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

int numberOr0(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

bool onNetworkDrive(const QString& folder) {
    return core::GetUncPath(folder) != folder;
}

} // namespace

QString TDataSentakuListCtl::DriveLetterOf(const QString& path) {
    const QString windows = platform::toWindowsPath(path);
    if (windows.size() >= 2 && windows.at(1) == QLatin1Char(':') && windows.at(0).isLetter())
        return windows.left(1).toUpper();
    return core::LeftStrB(path, 1);
}

bool TDataSentakuListCtl::ConvLocalPathToSharePath(const QString& folder, QString& sharedFolder, qint32& netDrive,
                                                   qint32& kyoyuLock) {
    sharedFolder = folder;
    netDrive = 0;
    kyoyuLock = 0;
    if (core::TrimZenkaku(folder).isEmpty())
        return false;
    if (ServerList == 1 || LocationMode != 0)
        return true;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM DATALIST"),
                                QStringLiteral("WHERE (GROUPID=:GROUPID1) AND (UPPER(PASNAME)=:PASNAME1)"),
                                QStringLiteral("UNION"),
                                QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST"),
                                QStringLiteral("WHERE (GROUPID=:GROUPID2) AND (UPPER(PASNAME)=:PASNAME2)")};
        Sql.paramByName(QStringLiteral("GROUPID1")).setInteger(core::SystemDef.GROUPID);
        Sql.paramByName(QStringLiteral("GROUPID2")).setInteger(core::SystemDef.GROUPID);
        Sql.paramByName(QStringLiteral("PASNAME1")).setString(folder.toUpper());
        Sql.paramByName(QStringLiteral("PASNAME2")).setString(folder.toUpper());
        Sql.execQuery();
        int registered = 0;
        for (; !Sql.eof(); Sql.next())
            registered += Sql.fieldByName(QStringLiteral("RECCNT")).asInteger();
        Sql.close();
        if (registered == 0 && !onNetworkDrive(folder)) {
            QString dataNo;
            QString childName;
            core::TDM::SplitDataFolderPath(folder, dataNo, childName);
            Sql.sql() = QStringList{QStringLiteral("SELECT REC,PASNAME,NETDRIVE,KYOYULOCK FROM DATALIST"),
                                    QStringLiteral("WHERE REC=:REC")};
            Sql.paramByName(QStringLiteral("REC")).setInteger(numberOr0(dataNo));
            Sql.execQuery();
            for (; !Sql.eof(); Sql.next()) {
                sharedFolder = Sql.fieldByName(QStringLiteral("PASNAME")).asString();
                if (!childName.isEmpty())
                    sharedFolder += QLatin1Char('/') + childName;
                netDrive = Sql.fieldByName(QStringLiteral("NETDRIVE")).asInteger();
                kyoyuLock = Sql.fieldByName(QStringLiteral("KYOYULOCK")).asInteger();
            }
            Sql.close();
        }
        tr.commit();
        return true;
    } catch (const core::EIBError& e) {
        Sql.close();
        tr.rollback();
        core::ReportFbAccessError(e, QStringLiteral("TDataSentakuListCtl.ConvLocalPathToSharePath"), QString(), 1);
        return false;
    }
}

bool TDataSentakuListCtl::GetLocalPathToData(const QString& folder, TDataListRec& row) {
    row.PasName = folder;
    if (core::TrimZenkaku(folder).isEmpty())
        return false;
    if (ServerList == 1 || LocationMode != 0)
        return true;
    const bool child = row.Gassan == kGassanBunsan;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{child ? QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST")
                                      : QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM DATALIST"),
                                QStringLiteral("WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)")};
        Sql.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        Sql.paramByName(QStringLiteral("PASNAME")).setString(folder.toUpper());
        Sql.execQuery();
        const int registered = Sql.eof() ? 0 : Sql.fieldByName(QStringLiteral("RECCNT")).asInteger();
        Sql.close();
        if (registered == 0 && !onNetworkDrive(folder)) {
            const QStringList parts = components(folder);
            if (child) {
                const int rec = parts.size() >= 2 ? numberOr0(parts.at(parts.size() - 2)) : 0;
                Sql.sql() = QStringList{QStringLiteral("SELECT PASNAME FROM CHILD_DATALIST"),
                                        QStringLiteral("WHERE (REC=:REC)")};
                Sql.paramByName(QStringLiteral("REC")).setInteger(rec);
                Sql.execQuery();
                const QString own = parts.isEmpty() ? QString() : parts.last();
                for (; !Sql.eof(); Sql.next()) {
                    const QString stored = Sql.fieldByName(QStringLiteral("PASNAME")).asString();
                    const QStringList storedParts = components(stored);
                    if (!storedParts.isEmpty() && storedParts.last() == own) {
                        row.PasName = stored;
                        DeriveLocalPath(row);
                    }
                }
            } else {
                const int rec = parts.isEmpty() ? 0 : numberOr0(parts.last());
                Sql.sql() = QStringList{QStringLiteral("SELECT PASNAME FROM DATALIST"), QStringLiteral("WHERE (REC=:REC)")};
                Sql.paramByName(QStringLiteral("REC")).setInteger(rec);
                Sql.execQuery();
                for (; !Sql.eof(); Sql.next()) {
                    row.PasName = Sql.fieldByName(QStringLiteral("PASNAME")).asString();
                    DeriveLocalPath(row);
                }
            }
            Sql.close();
        }
        tr.commit();
        return true;
    } catch (const core::EIBError& e) {
        Sql.close();
        tr.rollback();
        core::ReportFbAccessError(e, QStringLiteral("TDataSentakuListCtl.GetLocalPathToData"), QString(), 1);
        return false;
    }
}

int TDataSentakuListCtl::GetDataListRecordByPath(const QString& folder, TDataSentakuRec& row) {
    InitDataListRec(row, QString());
    row.ChildCount = 0;
    row.Children.clear();
    row.LocalPath = folder;
    ConvLocalPathToSharePath(folder, row.PasName, row.NetDrive, row.KyoyuLock);
    if (LocationMode == 0) {
        QString dataNo;
        QString childName;
        core::TDM::SplitDataFolderPath(folder, dataNo, childName);
        row.Rec = numberOr0(dataNo);
    } else {
        row.Rec = GetRecByPasName(folder);
    }
    if (row.Rec == 0)
        row.Rec = GetRecByPasName(folder);
    if (row.Rec <= 0) {
        InitDataListRec(row, QString());
        return 0;
    }
    GetDataListRecord(0, row, 0);
    GetDataListChildRecord(row, 0);
    return 1;
}

} // namespace companydata
