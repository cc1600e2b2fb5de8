// Program-wide SYSTEMINI rows, the communication IDs of TUSIN_ID and the clearing of the
// operation history OPINF.
#include "core/dm/TDM.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"

namespace core {

namespace {

const QString kGetSysIniFailed = QStringLiteral("システム情報の取得に失敗しました。\rアプリケーションを終了します。");
const QString kSetSysIniFailed =
    QStringLiteral("システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。");

// Runs work on the system transaction by the convention. A failure inside a caller's
// transaction is the caller's to handle; otherwise it is reported, rolled back and gives false.
template <typename Work>
bool runOnSystemTransaction(TIBTransaction& transaction, const QString& context, const QString& message, Work work) {
    const bool joined = transaction.inTransaction();
    try {
        TransactionScope scope(transaction);
        work();
        scope.commit();
        return true;
    } catch (const EIBError& e) {
        if (joined)
            throw;
        ReportFbAccessError(e, context, message, 0);
    } catch (const std::exception& e) {
        if (joined)
            throw;
        ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
    }
    return false;
}

} // namespace

bool TDM::GetSysIni(TSystemIniRec& rec) {
    const qint32 key = rec.REC;
    rec = TSystemIniRec();
    rec.REC = key;
    return runOnSystemTransaction(IBTransactionDEF, QStringLiteral("TDM.GetSysIni"), kGetSysIniFailed, [&] {
        TIBQuery& q = IBQSysDefGet;
        q.close();
        q.sql() = QStringList{QStringLiteral("SELECT RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR FROM SYSTEMINI"),
                              QStringLiteral("WHERE REC=:REC")};
        q.paramByName(QStringLiteral("REC")).setInteger(rec.REC);
        q.execQuery();
        if (!q.eof()) {
            TSystemIniRec row;
            row.REC = rec.REC;
            row.RESERVE1 = q.fieldByName(QStringLiteral("RESERVE1")).asInteger();
            row.RESERVE2 = q.fieldByName(QStringLiteral("RESERVE2")).asInteger();
            row.RESERVE3 = q.fieldByName(QStringLiteral("RESERVE3")).asInteger();
            row.RESERVE4 = q.fieldByName(QStringLiteral("RESERVE4")).asInteger();
            row.RESERVE5 = q.fieldByName(QStringLiteral("RESERVE5")).asInteger();
            row.SSTR = q.fieldByName(QStringLiteral("SSTR")).asString();
            q.next();
            if (q.eof())
                rec = row;
        }
        q.close();
    });
}

bool TDM::SetSysIni(const TSystemIniRec& rec) {
    return runOnSystemTransaction(IBTransactionDEF, QStringLiteral("TDM.SetSysIni"), kSetSysIniFailed, [&] {
        TIBQuery& q = IBQSysDefPut;
        q.close();
        q.sql() =
            QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM SYSTEMINI"), QStringLiteral("WHERE REC=:REC")};
        q.paramByName(QStringLiteral("REC")).setInteger(rec.REC);
        q.execQuery();
        const bool exists = !q.eof() && q.fieldByName(QStringLiteral("RECCNT")).asInteger() != 0;
        q.close();
        if (exists)
            q.sql() = QStringList{QStringLiteral("UPDATE SYSTEMINI SET RESERVE1=:RESERVE1,RESERVE2=:RESERVE2,RESERVE3=:"
                                                 "RESERVE3,RESERVE4=:RESERVE4,RESERVE5=:RESERVE5,SSTR=:SSTR"),
                                  QStringLiteral("WHERE REC=:REC")};
        else
            q.sql() = QStringList{
                QStringLiteral("INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR)"),
                QStringLiteral("VALUES(:REC,:RESERVE1,:RESERVE2,:RESERVE3,:RESERVE4,:RESERVE5,:SSTR)")};
        q.paramByName(QStringLiteral("REC")).setInteger(rec.REC);
        q.paramByName(QStringLiteral("RESERVE1")).setInteger(rec.RESERVE1);
        q.paramByName(QStringLiteral("RESERVE2")).setInteger(rec.RESERVE2);
        q.paramByName(QStringLiteral("RESERVE3")).setInteger(rec.RESERVE3);
        q.paramByName(QStringLiteral("RESERVE4")).setInteger(rec.RESERVE4);
        q.paramByName(QStringLiteral("RESERVE5")).setInteger(rec.RESERVE5);
        q.paramByName(QStringLiteral("SSTR")).setString(rec.SSTR);
        q.execSQL();
    });
}

void TDM::GetTusinId(int row, int slot) {
    GetTusinId(row, slot, AccInf);
}

void TDM::GetTusinId(int row, int slot, TACCINF& target) {
    if (slot < 0 || slot >= int(target.TusinHolder.size()))
        return;
    target.TusinHolder[slot].clear();
    target.TusinPassword[slot].clear();
    if (!fnExistence_Table(QStringLiteral("TUSIN_ID")))
        return;
    TransactionScope scope(IBTransactionDAT);
    TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
    q.sql() = QStringList{QStringLiteral("SELECT REC,HOLDER,PASWORD FROM TUSIN_ID"), QStringLiteral("WHERE REC=:REC")};
    q.paramByName(QStringLiteral("REC")).setInteger(row);
    for (q.execQuery(); !q.eof(); q.next()) {
        target.TusinHolder[slot] = q.fieldByName(QStringLiteral("HOLDER")).asString();
        target.TusinPassword[slot] = q.fieldByName(QStringLiteral("PASWORD")).asString();
    }
    q.close();
    scope.commit();
}

void TDM::DeleteOpinf() {
    TransactionScope scope(IBTransactionDAT);
    TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
    q.sql() = QStringList{QStringLiteral("DELETE FROM OPINF")};
    q.execSQL();
    q.close();
    scope.commit();
}

} // namespace core
