// The registry rows of the session's group, read into DataList, and the write-back of one of
// them after a received data set was restored.
#include "communication/DataTusinCtl.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBSQLField.h"
#include "core/db/IBSQLParam.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/ui/MessageService.h"

#include <stdexcept>

namespace communication {

namespace {

// Starts the system database's shared transaction when none is active and ends only what it
// started; left without an end it rolls that back.
class SystemTransaction {
public:
    explicit SystemTransaction(core::TIBTransaction& t) : t_(t)
    {
        if (!t_.inTransaction()) {
            t_.startTransaction();
            started_ = true;
        }
    }
    ~SystemTransaction()
    {
        if (started_ && t_.inTransaction()) {
            try {
                t_.rollback();
            } catch (...) {
            }
        }
    }
    void Commit()
    {
        if (started_ && t_.inTransaction())
            t_.commit();
        started_ = false;
    }
    void End() { Commit(); }

private:
    core::TIBTransaction& t_;
    bool started_ = false;
};

// Folders of the default data place ("…\DATA\<folder>") are rows of DATALIST, those of other
// data places rows of DATALIST_EX: the registry's rule for a folder path.
bool InDefaultDataPlace(const QString& folder)
{
    const QString upper = folder.toUpper();
    return upper.contains(QStringLiteral("\\DATA\\")) || upper.contains(QStringLiteral("/DATA/"));
}

QString RemoveBlanks(QString text)
{
    return text.remove(QLatin1Char(' ')).remove(QChar(0x3000));
}

void ReportAndThrow(const std::exception& e, const QString& context)
{
    if (const auto* db = dynamic_cast<const core::EIBError*>(&e))
        core::ReportFbAccessError(*db, context, QString(), 0);
}

} // namespace

int TDataTusinCtl::GetDataListRecord()
{
    core::TDM& dm = core::RequireDM();
    core::TIBSQL query(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    try {
        SystemTransaction transaction(dm.IBTransactionDEF);
        query.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM DATALIST"), QStringLiteral("WHERE (GROUPID=:GROUPID)")};
        query.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        query.execQuery();
        const int count = query.fieldByName(QStringLiteral("RECCNT")).asInteger();
        query.close();
        DataList.clear();
        DataList.reserve(count);
        query.sql() = QStringList{
            QStringLiteral("SELECT REC,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT FROM DATALIST"),
            QStringLiteral("WHERE (GROUPID=:GROUPID)"), QStringLiteral("ORDER BY REC")};
        query.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        for (query.execQuery(); !query.eof(); query.next()) {
            companydata::TDataSentakuRec r;
            const auto field = [&](const char* name) -> core::IBSQLField& { return query.fieldByName(QLatin1String(name)); };
            r.Rec = field("REC").asInteger();
            r.GroupId = core::SystemDef.GROUPID;
            r.EntText = field("ENTTEXT").asString();
            r.Shougou = field("SHOUGOU").asString();
            r.PasName = field("PASNAME").asString(); // native paths keep their "/"
            r.NetDrive = field("NETDRIVE").asInteger();
            r.DataType = field("DATATYPE").asInteger();
            r.CodeType = field("CODETYPE").asInteger();
            r.Nendo = field("NENDO").asInteger();
            r.Kishu = field("KISHU").asDateTime().date();
            r.Kimatu = field("KIMATU").asDateTime().date();
            r.KikanText = r.Kishu.toString(QStringLiteral("yyyy/MM/dd")) + QStringLiteral(" ～ ") + r.Kimatu.toString(QStringLiteral("yyyy/MM/dd"));
            r.DataLock = field("DATALOCK").asInteger();
            r.KyoyuLock = field("KYOYULOCK").asInteger();
            r.Tantou = field("TANTOU").asInteger();
            r.VerMajor = field("VER_MAJOR").asInteger();
            r.VerMinor1 = field("VER_MINOR1").asInteger();
            r.VerMinor2 = field("VER_MINOR2").asInteger();
            r.VerText = field("VER_TEXT").asString();
            DataList << r;
        }
        query.close();
        transaction.End();
        return int(DataList.size());
    } catch (const std::exception& e) {
        query.close();
        ReportAndThrow(e, QStringLiteral("TDataSentakuBox.GetDataListRecord"));
        throw;
    }
}

void TDataTusinCtl::UpdateDataListRecord(int index)
{
    const companydata::TDataSentakuRec& r = DataList.at(index);
    if (RemoveBlanks(r.PasName).isEmpty())
        throw std::runtime_error(QStringLiteral("データフォルダパスが不正です。\r処理を中止します。").toStdString());
    core::TDM& dm = core::RequireDM();
    core::TIBSQL query(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    // The trade name is written too: a received data set may carry another one.
    const QStringList setList{QStringLiteral("SET ENTTEXT=:ENTTEXT,"), QStringLiteral("SHOUGOU=:SHOUGOU,"), QStringLiteral("NENDO=:NENDO,"),
                              QStringLiteral("KISHU=:KISHU,"), QStringLiteral("KIMATU=:KIMATU,"), QStringLiteral("VER_MAJOR=:VER_MAJOR,"),
                              QStringLiteral("VER_MINOR1=:VER_MINOR1,"), QStringLiteral("VER_MINOR2=:VER_MINOR2,"),
                              QStringLiteral("VER_TEXT=:VER_TEXT,"), QStringLiteral("UPDATE_LOCK=:UPDATE_LOCK,"),
                              QStringLiteral("READ_ONLY=:READ_ONLY")};
    try {
        SystemTransaction transaction(dm.IBTransactionDEF);
        if (core::ConnectMode != 0) {
            const QString table = InDefaultDataPlace(OperationFolder()) ? QStringLiteral("UPDATE DATALIST") : QStringLiteral("UPDATE DATALIST_EX");
            query.sql() = QStringList{table} + setList + QStringList{QStringLiteral("WHERE PASNAME=:PASNAME")};
            query.paramByName(QStringLiteral("PASNAME")).setString(r.PasName);
        } else if (GassanKbn != QStringLiteral("10")) {
            query.sql() = QStringList{QStringLiteral("UPDATE DATALIST")} + setList + QStringList{QStringLiteral("WHERE REC=:REC")};
            query.paramByName(QStringLiteral("REC")).setInteger(r.PasName.right(4).toInt());
        } else {
            // A consolidation child: "…\<parent REC>\<child folder of 2 or 3 characters>".
            const QString path = QString(r.PasName).replace(QLatin1Char('/'), QLatin1Char('\\'));
            const qsizetype n = path.size();
            int parent = 0;
            QString child;
            if (n >= 7 && path.at(n - 3) == QLatin1Char('\\')) {
                parent = path.mid(n - 7, 4).toInt();
                child = path.right(2);
            } else if (n >= 8 && path.at(n - 4) == QLatin1Char('\\')) {
                parent = path.mid(n - 8, 4).toInt();
                child = path.right(3);
            } else {
                core::showMessage(core::MessageKind::Error, QStringLiteral("C_DATALISTが更新出来ません。(1)"));
                return; // the transaction started here ends without writing
            }
            query.sql() = QStringList{QStringLiteral("SELECT * FROM Child_DATALIST"),
                                      QStringLiteral("WHERE (REC=:REC) and (PASNAME LIKE :PASNAME)")};
            query.paramByName(QStringLiteral("REC")).setInteger(parent);
            query.paramByName(QStringLiteral("PASNAME")).setString(QStringLiteral("%") + child);
            query.execQuery();
            if (query.eof()) {
                query.close();
                core::showMessage(core::MessageKind::Error, QStringLiteral("C_DATALISTが更新出来ません。(2)"));
                return;
            }
            const int rowNo = query.fieldByName(QStringLiteral("ROWNO")).asInteger();
            query.close();
            query.sql() = QStringList{QStringLiteral("UPDATE Child_DATALIST")} + setList
                          + QStringList{QStringLiteral("WHERE (REC=:REC) and (ROWNO=:ROWNO) and (GROUPID=:GROUPID)")};
            query.paramByName(QStringLiteral("REC")).setInteger(parent);
            query.paramByName(QStringLiteral("ROWNO")).setInteger(rowNo);
            query.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        }
        query.paramByName(QStringLiteral("ENTTEXT")).setString(r.EntText);
        query.paramByName(QStringLiteral("SHOUGOU")).setString(r.Shougou);
        query.paramByName(QStringLiteral("NENDO")).setInteger(r.Nendo);
        query.paramByName(QStringLiteral("KISHU")).setDateTime(r.Kishu.isValid() ? r.Kishu.startOfDay() : QDateTime());
        query.paramByName(QStringLiteral("KIMATU")).setDateTime(r.Kimatu.isValid() ? r.Kimatu.startOfDay() : QDateTime());
        query.paramByName(QStringLiteral("VER_MAJOR")).setInteger(r.VerMajor);
        query.paramByName(QStringLiteral("VER_MINOR1")).setInteger(r.VerMinor1);
        query.paramByName(QStringLiteral("VER_MINOR2")).setInteger(r.VerMinor2);
        query.paramByName(QStringLiteral("VER_TEXT")).setString(r.VerText);
        query.paramByName(QStringLiteral("UPDATE_LOCK")).setInteger(r.UpdateLock);
        query.paramByName(QStringLiteral("READ_ONLY")).setInteger(r.ReadOnly);
        query.execSQL();
        query.close();
        transaction.Commit();
    } catch (const std::exception& e) {
        query.close();
        ReportAndThrow(e, QStringLiteral("TDataSentakuBox.UpdateDataListRecord"));
        throw;
    }
}

} // namespace communication
