// The session's logon record, the administrator test and the menu control of JOBCONTROL2.
#include "core/dm/TDM.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/errors/FbAccessError.h"

namespace core {

bool TDM::DeleteLogonInfo() {
    TransactionScope scope(IBTransactionDEF);
    try {
        TIBSQL q(&IBDatabaseDEF, &IBTransactionDEF);
        q.sql() << QStringLiteral("DELETE FROM LOGONUSERLIST WHERE OPCODE=:OPCODE");
        q.paramByName(QStringLiteral("OPCODE")).setInteger(SystemDef.OPCODE);
        q.execSQL();
        scope.commit();
        return true;
    } catch (const EIBError& e) {
        // Inside a caller's transaction the caller decides; the scope rolls back what it started.
        if (!scope.started())
            throw;
        ReportFbAccessError(e, QStringLiteral("TDM.DeleteLogonInfo"), QStringLiteral("ログイン情報の削除に失敗しました。"),
                            0);
        return false;
    }
}

bool TDM::IsAdminOperator() {
    return SystemDef.LocalAdmin == 1 || SystemDef.Supervisor != 0 || SystemDef.JobLevel == 9;
}

bool TDM::SetJobControl(const QString& procId, const QString& option) {
    const qint32 level = SystemDef.JobLevel + (AccInf.MedicalData ? 1000 : 0);
    TransactionScope scope(IBTransactionDEF);
    bool allowed = false;
    try {
        TIBSQL q(&IBDatabaseDEF, &IBTransactionDEF);
        q.sql() << QStringLiteral("SELECT COUNT(PROC_ID) AS REC_CNT FROM JOBCONTROL2")
                << QStringLiteral("WHERE LEVELNO=:LEVELNO");
        q.paramByName(QStringLiteral("LEVELNO")).setInteger(level);
        q.execQuery();
        const bool controlled = q.fieldByName(QStringLiteral("REC_CNT")).asInteger() != 0;
        q.close();
        if (!controlled) {
            allowed = true; // no control rows: the level may run everything
        } else {
            q.sql() = QStringList{QStringLiteral("SELECT PROC_ID,PROC_OPTION FROM JOBCONTROL2"),
                                  QStringLiteral("WHERE (LEVELNO=:LEVELNO) AND (PROC_ID=:PROC_ID)")};
            const bool withOption = !option.trimmed().isEmpty();
            if (withOption)
                q.sql() << QStringLiteral("AND (PROC_OPTION LIKE :PROC_OPTION)");
            q.paramByName(QStringLiteral("LEVELNO")).setInteger(level);
            q.paramByName(QStringLiteral("PROC_ID")).setString(procId);
            if (withOption)
                q.paramByName(QStringLiteral("PROC_OPTION")).setString(QLatin1Char('%') + option + QLatin1Char('%'));
            q.execQuery();
            allowed = !q.eof();
            q.close();
        }
        scope.commit();
    } catch (const EIBError& e) {
        // Reported only when the transaction is ours; inside a caller's it is dropped.
        if (scope.started()) {
            ReportFbAccessError(e, QStringLiteral("TDM.SetJobControl"),
                                QStringLiteral("メニュー制御情報の取得に失敗しました。"), 0);
            try {
                scope.commit();
            } catch (const std::exception&) {
                // The scope rolls the transaction back instead.
            }
        }
        allowed = false;
    }
    return allowed;
}

} // namespace core
