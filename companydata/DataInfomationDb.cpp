// The data-set information read from and written to the company database, and the lock
// state of a data set kept on a database server.
#include "companydata/DataInfomation.h"

#include "companydata/OwnTransaction.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/AccReg.h"
#include "core/text/SjisText.h"
#include "core/version/Version.h"

#include <QDate>

namespace companydata {

namespace {

// The dynamic-SQL error that callers of GetDataInfoRec handle themselves.
constexpr long kDsqlError = 335544569;
constexpr int kDataListNameBytes = 40;

const QString kUpdateFailed = QStringLiteral("データ情報の更新に失敗しました。");
const QString kInfoFailed = QStringLiteral("基本情報の取得に失敗しました。\r(iniファイル)");
const QString kLockFailed = QStringLiteral("ロック情報の取得に失敗しました。");

QString dateText(const core::IBSQLField& field) {
    return field.isNull() ? QString() : field.asDate().toString(QStringLiteral("yyyy/MM/dd"));
}

QString versionText(core::TIBSQL& q) {
    return QStringLiteral("%1.%2.%3")
        .arg(q.fieldByName(QStringLiteral("MAJOR")).asInteger())
        .arg(q.fieldByName(QStringLiteral("MINOR1")).asInteger())
        .arg(q.fieldByName(QStringLiteral("MINOR2")).asInteger());
}

int companyInteger(core::TDM& dm, const QString& sql) {
    core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    q.sql() << sql;
    q.execQuery();
    return q.eof() ? 0 : q.fields(0).asInteger();
}

} // namespace

void TDataInfomation::UpdateDataInfomation(const QString& host, const QString& folder, TDataInfomationRec rec) {
    core::TDM& dm = core::RequireDM();
    try {
        if (dm.fnAccDatConnected(host, folder, 0)) {
            OwnTransaction tr(dm.IBTransactionDAT);
            core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
            if (core::TrimZenkaku(rec.DataListName).isEmpty()) {
                q.sql() = QStringList{QStringLiteral("SELECT ENTTEXT FROM ACCDEF1"), QStringLiteral("WHERE REC=1")};
                q.execQuery();
                if (!q.eof())
                    rec.DataListName = q.fieldByName(QStringLiteral("ENTTEXT")).asString();
                q.close();
            }
            const QString name = core::TrimZenkaku(core::LeftStrB(rec.DataListName, kDataListNameBytes));

            q.sql() = QStringList{QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION"),
                                  QStringLiteral("WHERE REC=1")};
            q.execQuery();
            const bool withReadOnly =
                !q.eof() && core::VersionGreaterOrEqual(versionText(q), QStringLiteral("12.0.0"));
            q.close();

            q.sql() = QStringList{QStringLiteral("UPDATE ACCDEF1 SET ENTTEXT=:ENTTEXT,DATALOCK=:DATALOCK")};
            if (withReadOnly)
                q.sql() << QStringLiteral(",READ_ONLY=:READ_ONLY");
            q.sql() << QStringLiteral("WHERE REC=1");
            q.paramByName(QStringLiteral("ENTTEXT")).setString(name);
            q.paramByName(QStringLiteral("DATALOCK")).setInteger(rec.UpdateLock);
            if (withReadOnly)
                q.paramByName(QStringLiteral("READ_ONLY")).setInteger(rec.ReadOnly);
            q.execSQL();
            tr.finish();
        }
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TDM.UpdateDataInfomation"), kUpdateFailed, 0);
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(kUpdateFailed, core::exceptionText(e), core::MessageKind::Error);
    }
    dm.AccDatDisconnect(folder, 0, 0);
}

void TDataInfomation::fillFromDatabase(TDataInfomationRec& rec) {
    core::TDM& dm = core::RequireDM();
    core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    q.sql() = QStringList{QStringLiteral("SELECT ENTTEXT,DATATYPE,CODETYPE,SCODE1,SKANA,SHOUGOU,TANTOU,NENDO,KISHU,"
                                         "KIMATU,SITEN,BUMON,DATALOCK"),
                          QStringLiteral("FROM ACCDEF1"), QStringLiteral("WHERE REC=1")};
    q.execQuery();
    if (!q.eof()) {
        rec.DataListName = q.fieldByName(QStringLiteral("ENTTEXT")).asString();
        rec.DataKbn = q.fieldByName(QStringLiteral("DATATYPE")).asInteger();
        rec.CodeKbn = q.fieldByName(QStringLiteral("CODETYPE")).asInteger();
        rec.Code = q.fieldByName(QStringLiteral("SCODE1")).asString();
        rec.Kana = q.fieldByName(QStringLiteral("SKANA")).asString();
        rec.Shougou = q.fieldByName(QStringLiteral("SHOUGOU")).asString();
        rec.Tanto = q.fieldByName(QStringLiteral("TANTOU")).asInteger();
        rec.Nendo = q.fieldByName(QStringLiteral("NENDO")).asInteger();
        rec.Kishu = dateText(q.fieldByName(QStringLiteral("KISHU")));
        rec.Kimatu = dateText(q.fieldByName(QStringLiteral("KIMATU")));
        rec.Siten = q.fieldByName(QStringLiteral("SITEN")).asInteger();
        rec.Bumon = q.fieldByName(QStringLiteral("BUMON")).asInteger();
        rec.UpdateLock = q.fieldByName(QStringLiteral("DATALOCK")).asInteger();
    }
    q.close();

    const QString kihon = QStringLiteral("基本設定");
    const QString seisu = QStringLiteral("整数");
    rec.GassanKbn = static_cast<quint8>(
        core::funcGetAccReg(kihon, QStringLiteral("合算データ区分"), seisu, QStringLiteral("0")).toInt());

    QString version = QStringLiteral("0.0.0");
    q.sql() = QStringList{QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION"), QStringLiteral("WHERE REC=1"),
                          QStringLiteral("ORDER BY MAJOR,MINOR1,MINOR2")};
    q.execQuery();
    if (!q.eof()) {
        rec.VerMajor = q.fieldByName(QStringLiteral("MAJOR")).asInteger();
        rec.VerMinor1 = q.fieldByName(QStringLiteral("MINOR1")).asInteger();
        rec.VerMinor2 = q.fieldByName(QStringLiteral("MINOR2")).asInteger();
        rec.VerName = GetDataVersionName(rec.VerMajor, rec.VerMinor1);
        version = VersionText(rec);
    }
    q.close();

    if (rec.Siten > 0)
        rec.SitenCnt = companyInteger(dm, QStringLiteral("SELECT COUNT(SCODE) AS RECCNT FROM SISETUMST WHERE SCODE <> ''"));
    if (rec.Bumon > 0)
        rec.BumonCnt = companyInteger(dm, QStringLiteral("SELECT COUNT(BCODE) AS RECCNT FROM BUMONMST WHERE BCODE <> ''"));

    const QString allFacilities = QStringLiteral(" ");
    rec.Siwake = dm.GetYukouSiwakeCount(allFacilities);
    rec.TotalSiwake = dm.GetSiwakeCountTotal(allFacilities);

    rec.UseMyNumber = core::funcGetAccReg(kihon, QStringLiteral("＃USE"), seisu, QStringLiteral("0")).toInt();

    if (dm.IsCloudShareMode(0) && core::VersionGreater(version, QStringLiteral("11.0.0")))
        rec.CloudShare =
            companyInteger(dm, QStringLiteral("SELECT CLOUD_LINE FROM ACCDEF1 WHERE REC=1")) > 0 ? 1 : 0;
    if (core::VersionGreaterOrEqual(version, QStringLiteral("12.0.0")))
        rec.ReadOnly = companyInteger(dm, QStringLiteral("SELECT READ_ONLY FROM ACCDEF1 WHERE REC=1"));
}

int TDataInfomation::GetDataInfoRec(TDataInfomationRec& rec) {
    ClearDataInfoRec(rec);
    core::TDM& dm = core::RequireDM();
    const bool wasConnected = dm.IBDatabaseDAT.connected();
    try {
        if (!wasConnected)
            dm.IBDatabaseDAT.open();
        OwnTransaction tr(dm.IBTransactionDAT);
        fillFromDatabase(rec);
        tr.finish();
        return 1;
    } catch (const core::EIBError& e) {
        if (e.ibErrorCode() == kDsqlError)
            throw;
        core::ReportFbAccessError(e, QStringLiteral("TDataInfomation.GetDataInfoRec"), kInfoFailed, 0);
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(kInfoFailed, core::exceptionText(e), core::MessageKind::Error);
    }
    if (!wasConnected)
        dm.IBDatabaseDAT.close();
    return 0;
}

int TDataInfomation::GetDataInfoOfFolder(const QString& folder, TDataInfomationRec& rec) {
    ClearDataInfoRec(rec);
    core::TDM& dm = core::RequireDM();
    if (!dm.FExist(DataFileName(folder), DataPlace))
        return 0;
    if (!dm.fnAccDatConnected(core::SystemDef.HOSTNAME, folder, 0))
        return 0;
    int result = 0;
    try {
        result = GetDataInfoRec(rec);
    } catch (...) {
        dm.AccDatDisconnect(folder, 0, 0);
        throw;
    }
    dm.AccDatDisconnect(folder, 0, 0);
    return result;
}

int TDataInfomation::readServer(const QString& host, const QString& folder, TDataInfomationRec& rec) {
    core::TDM& dm = core::RequireDM();
    const QString upper = folder.toUpper();
    const bool mainPlace = upper.contains(QStringLiteral("\\DATA\\")) || upper.contains(QStringLiteral("/DATA/"));
    const QString table = mainPlace ? QStringLiteral("DATALIST") : QStringLiteral("DATALIST_EX");
    const bool connectedHere = !dm.IBDatabaseDEF.connected();
    const qint32 group = core::SystemDef.GROUPID;
    bool locked = false;
    try {
        dm.fnAccDefConnected(host, 0);
        OwnTransaction tr(dm.IBTransactionDEF);
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        q.sql() = QStringList{
            QStringLiteral("SELECT D.DATALOCK,O.OPCODE,O.OPNAME,"),
            QStringLiteral("D.ENTTEXT,D.DATACODE,D.DATATYPE,D.CODETYPE,D.SHOUGOU,D.NENDO,D.KISHU,D.KIMATU,D.TANTOU,"
                           "D.UPDATE_LOCK,D.VER_TEXT"),
            QStringLiteral(",D.VER_MAJOR,D.VER_MINOR1,D.VER_MINOR2"),
            QStringLiteral(",D.CLOUD"),
            QStringLiteral(",D.READ_ONLY"),
            QStringLiteral("FROM ") + table + QStringLiteral(" D"),
            QStringLiteral("LEFT JOIN OPERATOR O ON(D.GROUPID=O.GROUPID AND D.DATALOCK=O.OPCODE)"),
            QStringLiteral("WHERE (D.DATALOCK<>0)AND(UPPER(D.PASNAME)=:PASNAME)AND(D.GROUPID=:GROUPID)")};
        q.paramByName(QStringLiteral("PASNAME")).setString(upper);
        q.paramByName(QStringLiteral("GROUPID")).setInteger(group);
        for (q.execQuery(); !q.eof(); q.next()) {
            locked = true;
            rec.Status = kDataLocked;
            rec.OpCode = q.fieldByName(QStringLiteral("OPCODE")).asInteger() + group * 10000;
            rec.OpName = q.fieldByName(QStringLiteral("OPNAME")).asString();
            rec.DataListName = q.fieldByName(QStringLiteral("ENTTEXT")).asString();
            rec.Code = q.fieldByName(QStringLiteral("DATACODE")).asString();
            rec.DataKbn = q.fieldByName(QStringLiteral("DATATYPE")).asInteger();
            rec.CodeKbn = q.fieldByName(QStringLiteral("CODETYPE")).asInteger();
            rec.Shougou = q.fieldByName(QStringLiteral("SHOUGOU")).asString();
            rec.Nendo = q.fieldByName(QStringLiteral("NENDO")).asInteger();
            rec.Kishu = dateText(q.fieldByName(QStringLiteral("KISHU")));
            rec.Kimatu = dateText(q.fieldByName(QStringLiteral("KIMATU")));
            rec.Tanto = q.fieldByName(QStringLiteral("TANTOU")).asInteger();
            rec.UpdateLock = q.fieldByName(QStringLiteral("UPDATE_LOCK")).asInteger();
            rec.VerMajor = q.fieldByName(QStringLiteral("VER_MAJOR")).asInteger();
            rec.VerMinor1 = q.fieldByName(QStringLiteral("VER_MINOR1")).asInteger();
            rec.VerMinor2 = q.fieldByName(QStringLiteral("VER_MINOR2")).asInteger();
            rec.VerName = q.fieldByName(QStringLiteral("VER_TEXT")).asString();
            rec.CloudShare = static_cast<quint8>(q.fieldByName(QStringLiteral("CLOUD")).asInteger());
            rec.ReadOnly = q.fieldByName(QStringLiteral("READ_ONLY")).asInteger();
        }
        q.close();
        tr.finish();
    } catch (const core::EIBError& e) {
        locked = false;
        core::ReportFbAccessError(e, QStringLiteral("TDataInfomation.ReadIniFile"), kLockFailed, 0);
    }
    int result = 0;
    if (!locked) {
        ClearDataInfoRec(rec); // nothing of a row read before a failure stays
        if (!dm.fnAccDatConnected(host, folder, 0)) {
            rec.Status = kDataNotOpened;
        } else {
            GetDataInfoRec(rec);
            dm.AccDatDisconnect(folder, 0, 0);
            rec.Status = dm.AccDatInConnection(core::kCompanyDatabase, host, 0, folder) ? kDataInUse : kDataNormal;
        }
        result = 1;
    }
    if (connectedHere)
        dm.IBDatabaseDEF.close();
    return result;
}

} // namespace companydata
