#include "cloudexchange/CashBookSender.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/ExceptionText.h"
#include "core/ui/MessageService.h"

namespace cloudexchange {

TCashBookSender::TCashBookSender()
    : TSyoriLogOwner(QStringLiteral("CashBookSender")), read_(&core::DM->IBDatabaseDAT, &core::DM->IBTransactionDAT),
      update_(&core::DM->IBDatabaseDAT, &core::DM->IBTransactionDAT) {}

void TCashBookSender::Execute() {
    InitSyori();
    if (SendKind == 1)
        SendMode = 1;
    core::TIBTransaction& transaction = core::DM->IBTransactionDAT;
    const bool started = !transaction.inTransaction();
    try {
        if (started)
            transaction.startTransaction();
        if (SendMode == 0)
            markAll();
        else
            markUnmarked();
        if (started)
            transaction.commit();
        AddSyoriLog(skInfo, 1, QStringLiteral("出納帳データの送信処理が成功しました。"));
    } catch (const std::exception& e) {
        read_.close();
        update_.close();
        if (started && transaction.inTransaction()) {
            try {
                transaction.rollback();
            } catch (const std::exception&) {
            }
        }
        const QString cause = QStringLiteral("原因: %1").arg(core::exceptionText(e));
        AddSyoriLog(skError, -100, QStringLiteral("出納帳データの送信処理に失敗しました。 ") + cause);
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("出納帳データの送信処理中にエラーが発生しました。\r\r") + cause);
    }
}

void TCashBookSender::markAll() {
    const QString cash = core::AccInf.SysKCode[core::skGenkin];
    read_.sql().clear();
    read_.sql() << QStringLiteral("SELECT REC,SWKREC,DELFLG,KCODE,R_KCODE FROM SIWAKE")
                << QStringLiteral("WHERE (DELFLG IN (0,1)) AND (TAISHAKU=1) AND ((KCODE=:KCODE OR R_KCODE=:R_KCODE) OR (LINKREC>0))");
    read_.paramByName(QStringLiteral("KCODE")).setString(cash);
    read_.paramByName(QStringLiteral("R_KCODE")).setString(cash);
    read_.prepare();
    read_.execQuery();
    update_.sql().clear();
    update_.sql() << QStringLiteral("UPDATE SIWAKE SET RESERVE1=:RESERVE1,RESERVE2=:RESERVE2,LINKKEY=:LINKKEY,LINKKUB=:LINKKUB,LINKREC=:LINKREC")
                  << QStringLiteral(",LOCALFLG=:LOCALFLG") << QStringLiteral("WHERE SWKREC=:SWKREC");
    for (; !read_.eof(); read_.next()) {
        const int rec = read_.fieldByName(QStringLiteral("REC")).asInteger();
        const bool cashEntry = read_.fieldByName(QStringLiteral("KCODE")).asString().trimmed() == cash.trimmed() ||
                               read_.fieldByName(QStringLiteral("R_KCODE")).asString().trimmed() == cash.trimmed();
        int reserve1 = 0;
        QString linkKey;
        int linkKub = 0;
        if (cashEntry) {
            reserve1 = rec;
            if (read_.fieldByName(QStringLiteral("DELFLG")).asInteger() == 0) {
                linkKey = QString::number(rec);
                linkKub = 10;
            }
        }
        update_.paramByName(QStringLiteral("SWKREC")).setInteger(read_.fieldByName(QStringLiteral("SWKREC")).asInteger());
        update_.paramByName(QStringLiteral("RESERVE1")).setInteger(reserve1);
        update_.paramByName(QStringLiteral("RESERVE2")).setInteger(0);
        update_.paramByName(QStringLiteral("LINKKEY")).setString(linkKey);
        update_.paramByName(QStringLiteral("LINKKUB")).setInteger(linkKub);
        update_.paramByName(QStringLiteral("LINKREC")).setInteger(0);
        update_.paramByName(QStringLiteral("LOCALFLG")).setInteger(0);
        update_.execSQL();
    }
    read_.close();
    update_.close();
}

void TCashBookSender::markUnmarked() {
    const QString cash = core::AccInf.SysKCode[core::skGenkin];
    read_.sql().clear();
    read_.sql() << QStringLiteral("SELECT REC,SWKREC,LINKKUB,LINKKEY,RESERVE1 FROM SIWAKE")
                << QStringLiteral("WHERE (DELFLG=0) AND (LINKKUB=0) AND (TAISHAKU=1) AND ((KCODE=:KCODE OR R_KCODE=:R_KCODE) OR (LINKREC>0))");
    read_.paramByName(QStringLiteral("KCODE")).setString(cash);
    read_.paramByName(QStringLiteral("R_KCODE")).setString(cash);
    read_.execQuery();
    update_.sql().clear();
    update_.sql() << QStringLiteral("UPDATE SIWAKE SET LINKKEY=:LINKKEY,LINKKUB=:LINKKUB") << QStringLiteral("WHERE SWKREC=:SWKREC");
    for (; !read_.eof(); read_.next()) {
        update_.paramByName(QStringLiteral("LINKKEY")).setString(QString::number(read_.fieldByName(QStringLiteral("REC")).asInteger()));
        update_.paramByName(QStringLiteral("LINKKUB")).setInteger(10);
        update_.paramByName(QStringLiteral("SWKREC")).setInteger(read_.fieldByName(QStringLiteral("SWKREC")).asInteger());
        update_.execSQL();
    }
    read_.close();
    update_.close();
}

} // namespace cloudexchange
