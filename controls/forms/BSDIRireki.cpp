// The operation history of a form in the company database: OPINF holds the forms that are open
// (the host program reads it), OPINF_DELETE moves a row into the history with its end state.
#include "controls/forms/TBSDI.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"

#include <QDateTime>

namespace controls {

namespace {
const QString kRirekiFailed = QStringLiteral("処理履歴の書込に失敗しました。");
} // namespace

void TBSDI::PutProcRirekiInfo(int state) {
    // Without an open company database there is no history to keep.
    if (core::DM == nullptr || !core::DM->IBDatabaseDAT.connected())
        return;
    prepareTransaction();
    core::TransactionScope scope(IBTransactionDAT);
    try {
        core::TIBSQL proc(&core::DM->IBDatabaseDAT, &IBTransactionDAT);
        proc.sql() << QStringLiteral("EXECUTE PROCEDURE OPINF_DELETE(:OPCODE,:JOBNAME,:STATE)");
        proc.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
        proc.paramByName(QStringLiteral("JOBNAME")).setString(windowTitle());
        proc.paramByName(QStringLiteral("STATE"))
            .setString(state == 0 ? QStringLiteral("エラー終了") : state == 1 ? QStringLiteral("正常終了") : QString());
        proc.execSQL();
        if (state == 0) {
            core::TIBSQL q(&core::DM->IBDatabaseDAT, &IBTransactionDAT);
            q.sql() << QStringLiteral("INSERT INTO OPINF(OPCODE,JOBNAME,PCNAME,OPENTIME)")
                    << QStringLiteral("VALUES(:OPCODE,:JOBNAME,:PCNAME,:OPENTIME)");
            q.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
            q.paramByName(QStringLiteral("JOBNAME")).setString(windowTitle());
            q.paramByName(QStringLiteral("PCNAME")).setString(core::SystemDef.ComputerName);
            q.paramByName(QStringLiteral("OPENTIME")).setDateTime(QDateTime::currentDateTime());
            q.execSQL();
        }
        scope.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TBSDI.PutProcRirekiInfo"), kRirekiFailed, 0);
        throw;
    }
}

} // namespace controls
