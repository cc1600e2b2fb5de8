// The registry controller's row operations on the data list: reading one row, adding, writing
// back, deleting and renumbering rows, the child rows of consolidated data sets, and the small
// lookups of the data-selection dialogs.
#include "companydata/DataSentakuListCtl.h"

#include "companydata/RegistryTransaction.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/Identity.h"
#include "core/text/SjisText.h"

namespace companydata {

namespace {

bool isBlank(const QString& text) {
    return core::TrimZenkaku(text).isEmpty();
}

const QString kSetLines[] = {
    QStringLiteral("SET PASNAME=:PASNAME,ENTTEXT=:ENTTEXT,SHOUGOU=:SHOUGOU,NETDRIVE=:NETDRIVE,"),
    QStringLiteral("DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,NENDO=:NENDO,KISHU=:KISHU,KIMATU=:KIMATU,"),
    QStringLiteral("DATALOCK=:DATALOCK,KYOYULOCK=:KYOYULOCK,TANTOU=:TANTOU,"),
    QStringLiteral("VER_MAJOR=:VER_MAJOR,VER_MINOR1=:VER_MINOR1,VER_MINOR2=:VER_MINOR2,VER_TEXT=:VER_TEXT,"),
    QStringLiteral("UPDATE_LOCK=:UPDATE_LOCK,GASSAN=:GASSAN,DATACODE=:DATACODE,DATA_STATUS=:DATA_STATUS,YOBI1=:YOBI1,"
                   "YOBI2=:YOBI2,YOBI3=:YOBI3"),
};

} // namespace

qint32 TDataSentakuListCtl::GetRecOfDataPath(const QString& folder) {
    if (isBlank(folder))
        return 0;
    if (LocationMode == 0) {
        QString dataNo;
        QString childNo;
        core::TDM::SplitDataFolderPath(folder, dataNo, childNo);
        bool ok = false;
        const int rec = dataNo.toInt(&ok);
        return ok ? rec : 0;
    }
    TDataListRec row;
    InitDataListRec(row, folder);
    GetDataListRecord(1, row, 1);
    return row.Rec;
}

void TDataSentakuListCtl::GetDataListRecord(int mode, TDataListRec& row, int report) {
    if (ServerList == 1)
        return;
    const QString folder = row.PasName;
    if (mode == 1) {
        if (!GetLocalPathToData(folder, row)) {
            InitDataListRec(row, QString());
            return;
        }
    } else if (mode != 0) {
        InitDataListRec(row, QString());
        return;
    }
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        if (row.Gassan == kGassanBunsan) {
            Sql.sql() = QStringList{QStringLiteral("SELECT REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,"
                                                   "NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,")}
                        + RowColumnsTail();
            Sql.sql() << QStringLiteral("FROM CHILD_DATALIST");
            Sql.sql() << (mode == 0 ? QStringLiteral("WHERE (REC=:REC) AND (ROWNO=:ROWNO) AND (GROUPID=:GROUPID)")
                                    : QStringLiteral("WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)"));
        } else {
            Sql.sql() = QStringList{QStringLiteral("SELECT REC,0 AS ROWNO,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,"
                                                   "CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,")}
                        + RowColumnsTail();
            Sql.sql() << QStringLiteral("FROM ") + TableName;
            Sql.sql() << (mode == 0 ? QStringLiteral("WHERE (REC=:REC) AND (GROUPID=:GROUPID)")
                                    : QStringLiteral("WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)"));
            if (DataPlaceRec > 0)
                Sql.sql() << QStringLiteral("AND (DATAPLACEREC=:DATAPLACEREC)");
        }
        Sql.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        if (mode == 0) {
            Sql.paramByName(QStringLiteral("REC")).setInteger(row.Rec);
            if (row.Gassan == kGassanBunsan)
                Sql.paramByName(QStringLiteral("ROWNO")).setInteger(row.RowNo);
        } else {
            Sql.paramByName(QStringLiteral("PASNAME")).setString(row.PasName.toUpper());
        }
        if (row.Gassan != kGassanBunsan)
            BindDataPlace(Sql);
        Sql.execQuery();
        while (!Sql.eof()) {
            ReadRow(Sql, row, false);
            if (mode == 1 && row.LocalPath == folder)
                break;
            Sql.next();
        }
        Sql.close();
        tr.commit();
    } catch (const std::exception& e) {
        Sql.close();
        tr.commit();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.GetDataListRecord"),
                      QStringLiteral("データリストの取得に失敗しました。"));
    }
}

qint32 TDataSentakuListCtl::NextRec(int n) {
    // New numbers come from the whole table: REC is the key of DATALIST whatever the group, and
    // of DATALIST_EX within its data place.
    Sql2.close();
    Sql2.sql() = QStringList{QStringLiteral("SELECT MAX(REC) AS RECMAX FROM ") + TableName};
    if (DataPlaceRec > 0)
        Sql2.sql() << QStringLiteral("WHERE (DATAPLACEREC=%1)").arg(DataPlaceRec);
    Sql2.execQuery();
    const qint32 max = Sql2.eof() ? 0 : Sql2.fieldByName(QStringLiteral("RECMAX")).asInteger();
    Sql2.close();
    return max + n;
}

bool TDataSentakuListCtl::InsertDataListRecord(TDataListRec& row, int report) {
    if (ServerList == 1)
        return true;
    if (isBlank(row.PasName))
        return false;
    if (LocationMode == 0)
        return true;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        row.Rec = NextRec(1);
        Sql.close();
        const QString second = QStringLiteral(
            "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3,UPDATE_LOCK");
        const QString secondValues = QStringLiteral(":VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,:GASSAN,:DATACODE,"
                                                    ":DATA_STATUS,:YOBI1,:YOBI2,:YOBI3,:UPDATE_LOCK");
        QStringList& s = Sql.sql();
        if (DataPlaceRec == 0) {
            s = QStringList{QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,PASNAME,ENTTEXT,SHOUGOU,NETDRIVE,DATATYPE,"
                                           "CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,"),
                            second};
        } else {
            s = QStringList{QStringLiteral("INSERT INTO ") + TableName
                                + QStringLiteral("(DATAPLACEREC,REC,GROUPID,PASNAME,ENTTEXT,SHOUGOU,NETDRIVE,DATATYPE,"
                                                 "CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,"),
                            second};
        }
        if (CloudColumns)
            s << QStringLiteral(",CLOUD");
        if (ReadOnlyColumns)
            s << QStringLiteral(",READ_ONLY");
        s << QStringLiteral(")");
        if (DataPlaceRec == 0) {
            s << QStringLiteral("VALUES(:REC,:GROUPID,:PASNAME,:ENTTEXT,:SHOUGOU,:NETDRIVE,:DATATYPE,:CODETYPE,:NENDO,"
                                ":KISHU,:KIMATU,:DATALOCK,")
              << QStringLiteral(":KYOYULOCK,:TANTOU,") + secondValues;
        } else {
            s << QStringLiteral("VALUES(:DATAPLACEREC,:REC,:GROUPID,:PASNAME,:ENTTEXT,:SHOUGOU,:NETDRIVE,:DATATYPE,"
                                ":CODETYPE,:NENDO,:KISHU,:KIMATU,:DATALOCK,:KYOYULOCK,:TANTOU,")
              << secondValues;
        }
        if (CloudColumns)
            s << QStringLiteral(",:CLOUD");
        if (ReadOnlyColumns)
            s << QStringLiteral(",:READ_ONLY");
        s << QStringLiteral(")");
        BindRow(Sql, row);
        Sql.execSQL();
        tr.commitOrRetain();
        return true;
    } catch (const std::exception& e) {
        Sql.close();
        tr.rollback();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.InsertDataListRecord"),
                      QStringLiteral("データリストの追加に失敗しました。"));
        return false;
    }
}

QStringList TDataSentakuListCtl::SetLines() const {
    QStringList lines(std::begin(kSetLines), std::end(kSetLines));
    if (CloudColumns)
        lines << QStringLiteral(",CLOUD=:CLOUD");
    if (ReadOnlyColumns)
        lines << QStringLiteral(",READ_ONLY=:READ_ONLY");
    return lines;
}

bool TDataSentakuListCtl::UpdateDataListRecord(const TDataListRec& row, int withNames, int report) {
    if (ServerList == 1)
        return true;
    if (row.Rec == 0 || isBlank(row.PasName))
        return false;
    if (row.Gassan == kGassanBunsan)
        return UpdateDataListChildRecord(row, report);
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        if (LocationMode == 1 || LocationMode == 2) {
            // The number must still belong to this folder: another workstation may have
            // renumbered the list since the row was read.
            Sql.sql() = QStringList{QStringLiteral("SELECT PASNAME FROM ") + TableName, QStringLiteral("WHERE (REC=:REC)")};
            if (DataPlaceRec > 0)
                Sql.sql() << QStringLiteral("AND (DATAPLACEREC=:DATAPLACEREC)");
            Sql.paramByName(QStringLiteral("REC")).setInteger(row.Rec);
            BindDataPlace(Sql);
            Sql.execQuery();
            QString stored;
            for (; !Sql.eof(); Sql.next())
                stored = Sql.fieldByName(QStringLiteral("PASNAME")).asString();
            Sql.close();
            if (stored.compare(row.PasName, Qt::CaseInsensitive) != 0) {
                tr.commitOrRetain();
                return true;
            }
        }
        Sql.sql() = QStringList{QStringLiteral("UPDATE ") + TableName} + SetLines();
        Sql.sql() << QStringLiteral("WHERE (REC=:REC)");
        if (DataPlaceRec > 0)
            Sql.sql() << QStringLiteral("AND (DATAPLACEREC=:DATAPLACEREC)");
        BindRow(Sql, row);
        Sql.execSQL();

        if (row.Shougou.isEmpty() && !row.Kishu.isValid() && !row.Kimatu.isValid()) {
            Sql.sql() = QStringList{QStringLiteral("DELETE FROM CHILD_DATALIST"),
                                    QStringLiteral("WHERE REC=:REC AND GROUPID=:GROUPID")};
            BindRow(Sql, row);
            Sql.execSQL();
        }
        if (row.NetDrive == 1) {
            TDataListRec mirror = row;
            UpdateServerDataListRecord(mirror, withNames, 0);
        }
        tr.commitOrRetain();
        return true;
    } catch (const std::exception& e) {
        Sql.close();
        tr.rollback();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.UpdateDataListRecord"),
                      QStringLiteral("データリストの更新に失敗しました。"));
        return false;
    }
}

bool TDataSentakuListCtl::DeleteDataListRecord(const TDataListRec& row, int report) {
    if (ServerList == 1)
        return true;
    if (isBlank(row.PasName))
        return false;
    if (row.Gassan == kGassanBunsan && LocationMode == 0)
        return DeleteDataListChildRecord(row, report);
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("DELETE FROM ") + TableName,
                                QStringLiteral("WHERE (PASNAME=:PASNAME) AND (REC>:REC)")};
        if (DataPlaceRec > 0)
            Sql.sql() << QStringLiteral("AND (DATAPLACEREC=:DATAPLACEREC)");
        Sql.paramByName(QStringLiteral("PASNAME")).setString(row.PasName);
        Sql.paramByName(QStringLiteral("REC")).setInteger(core::Identity.DataListCnt);
        BindDataPlace(Sql);
        Sql.execSQL();
        DeleteDataListChildRecord(row, 0);
        tr.commitOrRetain();
        return true;
    } catch (const std::exception& e) {
        Sql.close();
        tr.rollback();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.DeleteDataListRecord"),
                      QStringLiteral("データリストの削除に失敗しました。"));
        return false;
    }
}

void TDataSentakuListCtl::RenumberDataListRec() {
    if (ServerList == 1 || LocationMode == 0)
        return;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        const QString place = DataPlaceText();
        Sql2.close();
        Sql2.sql() = QStringList{QStringLiteral("SELECT REC FROM ") + TableName, QStringLiteral("WHERE (REC>:REC)"),
                                 place, QStringLiteral("ORDER BY REC")};
        Sql2.paramByName(QStringLiteral("REC")).setInteger(core::Identity.DataListCnt);
        Sql2.execQuery();
        QList<qint32> numbers;
        for (; !Sql2.eof(); Sql2.next())
            numbers << Sql2.fieldByName(QStringLiteral("REC")).asInteger();
        Sql2.close();
        // Ascending order keeps every new number below the old one it replaces, so no update
        // meets a number still in use.
        qint32 counter = core::Identity.DataListCnt + 1;
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("UPDATE ") + TableName + QStringLiteral(" SET REC=:NEWREC"),
                                QStringLiteral("WHERE (REC=:OLDREC)"), place};
        for (const qint32 rec : numbers) {
            if (rec != counter) {
                Sql.paramByName(QStringLiteral("NEWREC")).setInteger(counter);
                Sql.paramByName(QStringLiteral("OLDREC")).setInteger(rec);
                Sql.execSQL();
            }
            ++counter;
        }
        tr.commit();
    } catch (...) {
        Sql.close();
        Sql2.close();
        tr.rollback();
        throw;
    }
}

void TDataSentakuListCtl::GetDataListChildRecord(TDataSentakuRec& parent, int report) {
    if (ServerList == 1 || LocationMode != 0)
        return;
    if (!HasChildren(parent.Gassan)) {
        parent.ChildCount = 0;
        parent.Children.clear();
        return;
    }
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        parent.Children.clear();
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST"),
                                QStringLiteral("WHERE (REC=:REC) AND (GROUPID=:GROUPID)")};
        BindRow(Sql, parent);
        Sql.execQuery();
        parent.ChildCount = Sql.eof() ? 0 : Sql.fieldByName(QStringLiteral("RECCNT")).asInteger();
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,"
                                               "NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,")}
                    + RowColumnsTail();
        Sql.sql() << QStringLiteral("FROM CHILD_DATALIST") << QStringLiteral("WHERE (REC=:REC) AND (GROUPID=:GROUPID)")
                  << QStringLiteral("ORDER BY PASNAME");
        BindRow(Sql, parent);
        Sql.execQuery();
        for (; !Sql.eof(); Sql.next()) {
            TDataListRec child;
            ReadRow(Sql, child, false);
            parent.Children.append(child);
        }
        Sql.close();
        parent.ChildCount = parent.Children.size();
        tr.commit();
    } catch (const std::exception& e) {
        Sql.close();
        tr.commit();
        parent.ChildCount = parent.Children.size();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.GetDataListChildRecord"),
                      QStringLiteral("(子)データリストの取得に失敗しました。"));
    }
}

bool TDataSentakuListCtl::UpdateDataListChildRecord(const TDataListRec& row, int report) {
    if (ServerList == 1 || LocationMode != 0)
        return true;
    if (isBlank(row.PasName))
        return false;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST"),
                                QStringLiteral("WHERE REC=:REC AND ROWNO=:ROWNO AND GROUPID=:GROUPID")};
        BindRow(Sql, row);
        Sql.execQuery();
        const bool exists = !Sql.eof() && Sql.fieldByName(QStringLiteral("RECCNT")).asInteger() > 0;
        Sql.close();
        QStringList& s = Sql.sql();
        if (exists) {
            s = QStringList{QStringLiteral("UPDATE CHILD_DATALIST")} + SetLines();
            s << QStringLiteral("WHERE REC=:REC AND ROWNO=:ROWNO AND GROUPID=:GROUPID");
        } else {
            s = QStringList{QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,SHOUGOU,PASNAME,"
                                           "NETDRIVE,DATATYPE,CODETYPE,NENDO,"),
                            QStringLiteral("KISHU,KIMATU,DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,"
                                           "KYOYULOCK,UPDATE_LOCK,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3")};
            if (CloudColumns)
                s << QStringLiteral(",CLOUD");
            if (ReadOnlyColumns)
                s << QStringLiteral(",READ_ONLY");
            s << QStringLiteral(")")
              << QStringLiteral("VALUES(:REC,:ROWNO,:GROUPID,:ENTTEXT,:SHOUGOU,:PASNAME,:NETDRIVE,:DATATYPE,"
                                ":CODETYPE,:NENDO,")
              << QStringLiteral(":KISHU,:KIMATU,:DATALOCK,:TANTOU,:VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,"
                                ":KYOYULOCK,:UPDATE_LOCK,:GASSAN,:DATACODE,:DATA_STATUS,:YOBI1,:YOBI2,:YOBI3");
            if (CloudColumns)
                s << QStringLiteral(",:CLOUD");
            if (ReadOnlyColumns)
                s << QStringLiteral(",:READ_ONLY");
            s << QStringLiteral(")");
        }
        BindRow(Sql, row);
        Sql.execSQL();
        if (row.NetDrive == 1) {
            TDataListRec mirror = row;
            UpdateServerDataListChildRecord(mirror, 1, 0);
        }
        tr.commit();
        return true;
    } catch (const std::exception& e) {
        Sql.close();
        tr.rollback();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.UpdateDataListChildRecord"),
                      QStringLiteral("(子)データリストの更新に失敗しました。"));
        return false;
    }
}

bool TDataSentakuListCtl::DeleteDataListChildRecord(const TDataListRec& row, int report) {
    if (ServerList == 1 || LocationMode != 0)
        return true;
    if (isBlank(row.PasName))
        return false;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    const bool child = row.Gassan == kGassanBunsan;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("DELETE FROM CHILD_DATALIST"),
                                child ? QStringLiteral("WHERE REC=:REC AND ROWNO=:ROWNO AND GROUPID=:GROUPID")
                                      : QStringLiteral("WHERE REC=:REC AND GROUPID=:GROUPID")};
        BindRow(Sql, row);
        Sql.execSQL();
        if (row.NetDrive == 1) {
            Sql.sql() = QStringList{QStringLiteral("DELETE FROM CHILD_SERVERDATALIST"),
                                    QStringLiteral("WHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER")};
            // The folder is bound, never pasted into the text, and a parent's children are the
            // folders strictly below its own ("sv0001/" does not match "sv00010").
            if (child)
                Sql.sql() << QStringLiteral("AND PASNAME=:PASNAME");
            else
                Sql.sql() << QStringLiteral("AND PASNAME STARTING WITH :PREFIX");
            Sql.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
            Sql.paramByName(QStringLiteral("DRIVELETTER")).setString(DriveLetterOf(row.PasName));
            if (child)
                Sql.paramByName(QStringLiteral("PASNAME")).setString(row.PasName);
            else
                Sql.paramByName(QStringLiteral("PREFIX")).setString(row.PasName + QLatin1Char('/'));
            Sql.execSQL();
        }
        tr.commit();
        return true;
    } catch (const std::exception& e) {
        Sql.close();
        tr.rollback();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.DeleteDataListChildRecord"),
                      QStringLiteral("(子)データリストの削除に失敗しました。"));
        return false;
    }
}

qint32 TDataSentakuListCtl::GetDataFolderName(int n) {
    if (ServerList == 1)
        return 0;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        const qint32 rec = NextRec(n);
        tr.commit();
        return rec;
    } catch (const core::EIBError& e) {
        tr.commit();
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.GetDataFolderName"),
                      QStringLiteral("最大のレコー番号の取得に失敗しました。"));
        return 0;
    }
}

bool TDataSentakuListCtl::IsDataPathToroku(const QString& folder) {
    if (ServerList == 1)
        return true;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM ") + TableName,
                                QStringLiteral("WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)"),
                                DataPlaceText()};
        Sql.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        Sql.paramByName(QStringLiteral("PASNAME")).setString(folder.toUpper());
        Sql.execQuery();
        const bool registered = !Sql.eof() && Sql.fieldByName(QStringLiteral("RECCNT")).asInteger() > 0;
        Sql.close();
        tr.commit();
        return registered;
    } catch (const core::EIBError& e) {
        Sql.close();
        tr.commit();
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.IsDataPathToroku"),
                      QStringLiteral("データリストの登録チェックに失敗しました。"));
        return false;
    }
}

qint32 TDataSentakuListCtl::GetRecByPasName(const QString& folder) {
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT REC FROM ") + TableName, QStringLiteral("WHERE (PASNAME=:PASNAME)"),
                                DataPlaceText()};
        Sql.paramByName(QStringLiteral("PASNAME")).setString(folder);
        Sql.execQuery();
        const qint32 rec = Sql.eof() ? 0 : Sql.fieldByName(QStringLiteral("REC")).asInteger();
        Sql.close();
        tr.commit();
        return rec;
    } catch (const std::exception&) {
        Sql.close();
        tr.commit();
        return 0;
    }
}

bool TDataSentakuListCtl::IsDataListEmpty() {
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM ") + TableName,
                                QStringLiteral("WHERE (ENTTEXT<>'') AND (SHOUGOU<>'')")};
        Sql.execQuery();
        const bool empty = !Sql.eof() && Sql.fieldByName(QStringLiteral("RECCNT")).asInteger() == 0;
        Sql.close();
        tr.commit();
        return empty;
    } catch (const std::exception&) {
        Sql.close();
        tr.commit();
        return false;
    }
}

} // namespace companydata
