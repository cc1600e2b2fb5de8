// The rows of the server data list (SERVERDATALIST, CHILD_SERVERDATALIST): a data folder on a
// shared drive and its child folders, kept per group and drive letter, and the lock mirrored
// into the data list.
#include "companydata/DataSentakuListCtl.h"

#include "companydata/RegistryTransaction.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/PathDelim.h"
#include "core/text/SjisText.h"

#include <QDir>
#include <QFileInfo>

namespace companydata {

namespace {

const QString kServerSetLines[] = {
    QStringLiteral("SET PASNAME=:PASNAME,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,"),
    QStringLiteral("NENDO=:NENDO,KISHU=:KISHU,KIMATU=:KIMATU,DATALOCK=:DATALOCK,TANTOU=:TANTOU,"),
    QStringLiteral("VER_MAJOR=:VER_MAJOR,VER_MINOR1=:VER_MINOR1,VER_MINOR2=:VER_MINOR2,VER_TEXT=:VER_TEXT,"),
    QStringLiteral("UPDATE_LOCK=:UPDATE_LOCK,GASSAN=:GASSAN,DATACODE=:DATACODE,DATA_STATUS=:DATA_STATUS,YOBI1=:YOBI1,"
                   "YOBI2=:YOBI2,YOBI3=:YOBI3"),
};
const QString kServerWhere = QStringLiteral("WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (PASNAME=:PASNAME)");
const QString kServerInsertColumns =
    QStringLiteral("NENDO,KISHU,KIMATU,DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN,"
                   "DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3");
const QString kServerInsertValues =
    QStringLiteral(":NENDO,:KISHU,:KIMATU,:DATALOCK,:TANTOU,:VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,:UPDATE_LOCK,"
                   ":GASSAN,:DATACODE,:DATA_STATUS,:YOBI1,:YOBI2,:YOBI3");

QString parentFolder(const QString& path) {
    const QString trimmed = core::ExcludePathDelim(path);
    const int cut = trimmed.lastIndexOf(QLatin1Char('/'));
    return cut > 0 ? trimmed.left(cut) : trimmed;
}

} // namespace

QStringList TDataSentakuListCtl::ServerSetLines(int withNames) const {
    QStringList lines(std::begin(kServerSetLines), std::end(kServerSetLines));
    if (withNames != 0)
        lines << QStringLiteral(",ENTTEXT=:ENTTEXT,SHOUGOU=:SHOUGOU");
    if (CloudColumns)
        lines << QStringLiteral(",CLOUD=:CLOUD");
    if (ReadOnlyColumns)
        lines << QStringLiteral(",READ_ONLY=:READ_ONLY");
    return lines;
}

void TDataSentakuListCtl::BindServerKey(core::TIBSQL& q, const TDataListRec& row) const {
    BindRow(q, row);
    q.paramByName(QStringLiteral("DRIVELETTER")).setString(DriveLetterOf(row.PasName));
}

bool TDataSentakuListCtl::UpdateServerDataListRecord(TDataListRec& row, int withNames, int report) {
    if (row.NetDrive == 0)
        return true;
    if (row.Gassan == kGassanBunsan)
        return UpdateServerDataListChildRecord(row, withNames, report);
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql2.close();
        Sql2.sql() = QStringList{QStringLiteral("SELECT REC FROM SERVERDATALIST"), kServerWhere};
        BindServerKey(Sql2, row);
        Sql2.execQuery();
        row.Rec = 0;
        for (; !Sql2.eof(); Sql2.next())
            row.Rec = Sql2.fieldByName(QStringLiteral("REC")).asInteger();
        Sql2.close();

        if (QFileInfo(row.PasName).isDir()) {
            QStringList& s = Sql2.sql();
            if (row.Rec != 0) {
                s = QStringList{QStringLiteral("UPDATE SERVERDATALIST")} + ServerSetLines(withNames);
                s << QStringLiteral("WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (REC=:REC)");
            } else {
                s = QStringList{QStringLiteral("SELECT MAX(REC) AS RECMAX FROM SERVERDATALIST"),
                                QStringLiteral("WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)")};
                BindServerKey(Sql2, row);
                Sql2.execQuery();
                row.Rec = (Sql2.eof() ? 0 : Sql2.fieldByName(QStringLiteral("RECMAX")).asInteger()) + 1;
                Sql2.close();
                s = QStringList{QStringLiteral("INSERT INTO SERVERDATALIST(GROUPID,DRIVELETTER,REC,ENTTEXT,SHOUGOU,PASNAME,"
                                               "DATATYPE,CODETYPE,"),
                                kServerInsertColumns};
                if (CloudColumns)
                    s << QStringLiteral(",CLOUD");
                if (ReadOnlyColumns)
                    s << QStringLiteral(",READ_ONLY");
                s << QStringLiteral(")")
                  << QStringLiteral("VALUES(:GROUPID,:DRIVELETTER,:REC,:ENTTEXT,:SHOUGOU,:PASNAME,:DATATYPE,:CODETYPE,")
                  << kServerInsertValues;
                if (CloudColumns)
                    s << QStringLiteral(",:CLOUD");
                if (ReadOnlyColumns)
                    s << QStringLiteral(",:READ_ONLY");
                s << QStringLiteral(")");
            }
            BindServerKey(Sql2, row);
            Sql2.execSQL();
        }
        const bool freeArea = row.EntText == kFreeAreaName || row.EntText == kNewAreaName;
        if (!freeArea && !row.Kishu.isValid() && !row.Kimatu.isValid()) {
            Sql2.sql() = QStringList{QStringLiteral("DELETE FROM SERVERDATALIST"),
                                     QStringLiteral("WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (REC=:REC)")};
            BindServerKey(Sql2, row);
            Sql2.execSQL();
        }
        Sql2.sql() = QStringList{QStringLiteral("UPDATE DATALIST"), QStringLiteral("SET DATALOCK=:DATALOCK"),
                                 QStringLiteral("WHERE PASNAME=:PASNAME")};
        BindRow(Sql2, row);
        Sql2.execSQL();
        tr.commit();
        return true;
    } catch (const std::exception& e) {
        Sql2.close();
        tr.rollback();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.UpdateServerDataListRecord"),
                      QStringLiteral("共有データリストの更新に失敗しました。"));
        return false;
    }
}

bool TDataSentakuListCtl::UpdateServerDataListChildRecord(TDataListRec& row, int withNames, int report) {
    if (row.NetDrive == 0)
        return true;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql2.close();
        Sql2.sql() = QStringList{QStringLiteral("SELECT REC FROM CHILD_SERVERDATALIST"), kServerWhere};
        BindServerKey(Sql2, row);
        Sql2.execQuery();
        bool exists = false;
        for (; !Sql2.eof(); Sql2.next()) {
            exists = true;
            row.Rec = Sql2.fieldByName(QStringLiteral("REC")).asInteger();
        }
        Sql2.close();
        QStringList statement;
        if (exists) {
            statement = QStringList{QStringLiteral("UPDATE CHILD_SERVERDATALIST")} + ServerSetLines(withNames);
            statement << QStringLiteral(
                "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (REC=:REC) AND (ROWNO=:ROWNO)");
        } else {
            TDataListRec parent = row;
            parent.PasName = parentFolder(row.PasName);
            Sql2.sql() = QStringList{QStringLiteral("SELECT REC FROM SERVERDATALIST"), kServerWhere};
            BindServerKey(Sql2, parent);
            Sql2.execQuery();
            row.Rec = 0;
            for (; !Sql2.eof(); Sql2.next())
                row.Rec = Sql2.fieldByName(QStringLiteral("REC")).asInteger();
            Sql2.close();
            statement = QStringList{QStringLiteral("INSERT INTO CHILD_SERVERDATALIST(GROUPID,DRIVELETTER,REC,ROWNO,ENTTEXT,"
                                                   "SHOUGOU,PASNAME,DATATYPE,CODETYPE,"),
                                    kServerInsertColumns};
            if (CloudColumns)
                statement << QStringLiteral(",CLOUD");
            if (ReadOnlyColumns)
                statement << QStringLiteral(",READ_ONLY");
            statement << QStringLiteral(")")
                      << QStringLiteral("VALUES(:GROUPID,:DRIVELETTER,:REC,:ROWNO,:ENTTEXT,:SHOUGOU,:PASNAME,:DATATYPE,"
                                        ":CODETYPE,")
                      << kServerInsertValues;
            if (CloudColumns)
                statement << QStringLiteral(",:CLOUD");
            if (ReadOnlyColumns)
                statement << QStringLiteral(",:READ_ONLY");
            statement << QStringLiteral(")");
        }
        // A child whose parent folder has no server row is not stored.
        if (row.Rec > 0) {
            Sql2.sql() = statement;
            BindServerKey(Sql2, row);
            Sql2.execSQL();
        }
        Sql2.sql() = QStringList{QStringLiteral("UPDATE CHILD_DATALIST"), QStringLiteral("SET DATALOCK=:DATALOCK"),
                                 QStringLiteral("WHERE PASNAME=:PASNAME")};
        BindRow(Sql2, row);
        Sql2.execSQL();
        tr.commit();
        return true;
    } catch (const std::exception& e) {
        Sql2.close();
        tr.rollback();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.UpdateServerDataListChildRecord"),
                      QStringLiteral("共有(子)データリストの更新に失敗しました。"));
        return false;
    }
}

bool TDataSentakuListCtl::DeleteServerDataListChildRecord(const TDataListRec& row, int report) {
    if (row.NetDrive == 0)
        return true;
    if (core::TrimZenkaku(row.PasName).isEmpty())
        return false;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql2.close();
        Sql2.sql() = QStringList{
            QStringLiteral("DELETE FROM CHILD_SERVERDATALIST"),
            row.Gassan == kGassanBunsan
                ? QStringLiteral("WHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND REC=:REC AND ROWNO=:ROWNO")
                : QStringLiteral("WHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND REC=:REC")};
        BindServerKey(Sql2, row);
        Sql2.execSQL();
        tr.commit();
        return true;
    } catch (const std::exception& e) {
        Sql2.close();
        tr.rollback();
        if (report != 1)
            throw;
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.DeleteServerDataListChildRecord"),
                      QStringLiteral("共有(子)データリストの削除に失敗しました。"));
        return false;
    }
}

} // namespace companydata
