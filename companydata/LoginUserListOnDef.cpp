// The list of operators logged on to the system database.
#include "companydata/LoginUserListOnDef.h"

#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/ui/MessageService.h"

namespace companydata {

namespace {
const QString kListFailed = QStringLiteral("ログインユーザーリストの取得に失敗しました。");
}

void TLoginUserList::Clear() {
    entries_.clear();
    lines_.clear();
    Count = 0;
}

qint32 TLoginUserList::GetOpCode(int i) const {
    return i >= 0 && i < entries_.size() ? entries_[i].OperatorCode : 0;
}

QString TLoginUserList::GetOpName(int i) const {
    return i >= 0 && i < entries_.size() ? entries_[i].OpName : QString();
}

TLoginUserListOnDef::TLoginUserListOnDef() {
    core::TDM& dm = core::RequireDM();
    sql_.setDatabase(&dm.IBDatabaseDEF);
    sql_.setTransaction(&dm.IBTransactionDEF);
}

qint32 TLoginUserListOnDef::Execute(qint32 group, qint32 ownCode, bool includeSelf) {
    Clear();
    GroupId = group;
    OwnCode = ownCode;
    IncludeSelf = includeSelf;
    core::TIBTransaction& transaction = *sql_.transaction();
    bool started = false;
    try {
        if (!transaction.inTransaction()) {
            transaction.startTransaction();
            started = true;
        }
        sql_.sql() = QStringList{QStringLiteral("SELECT L.OPERATORCODE,L.PCNAME,O.OPNAME FROM LOGONUSERLIST L"),
                                 QStringLiteral("INNER JOIN OPERATOR O ON(L.GROUPID=O.GROUPID AND L.OPERATORCODE=O.OPCODE)"),
                                 QStringLiteral("WHERE L.GROUPID=:GROUPID")};
        if (!includeSelf)
            sql_.sql() << QStringLiteral("AND L.OPCODE<>:OPCODE");
        sql_.sql() << QStringLiteral("GROUP BY L.OPERATORCODE,L.PCNAME,O.OPNAME")
                   << QStringLiteral("ORDER BY L.OPERATORCODE");
        sql_.paramByName(QStringLiteral("GROUPID")).setInteger(group);
        if (!includeSelf)
            sql_.paramByName(QStringLiteral("OPCODE")).setInteger(ownCode);
        for (sql_.execQuery(); !sql_.eof(); sql_.next()) {
            TLoginUserListRec rec;
            rec.OperatorCode = sql_.fieldByName(QStringLiteral("OPERATORCODE")).asInteger();
            rec.PcName = sql_.fieldByName(QStringLiteral("PCNAME")).asString();
            rec.OpName = sql_.fieldByName(QStringLiteral("OPNAME")).asString();
            entries_.append(rec);
            lines_.append(QString::number(rec.OperatorCode) + QLatin1Char(':') + rec.OpName);
        }
        sql_.close();
        if (started)
            transaction.commit();
    } catch (const std::exception& e) {
        if (started) {
            if (const auto* db = dynamic_cast<const core::EIBError*>(&e))
                core::ReportFbAccessError(*db, QStringLiteral("TLoginUserListOnDef.Execute"), kListFailed, 0);
            else
                core::showMessage(core::MessageKind::Error, kListFailed);
            try {
                if (transaction.inTransaction())
                    transaction.commit();
            } catch (const std::exception&) {
                // The failure is already shown and is passed on below.
            }
        }
        Count = qint32(lines_.size());
        throw;
    }
    Count = qint32(lines_.size());
    return Count;
}

} // namespace companydata
