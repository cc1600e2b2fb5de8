// The remembered position and size of a sizeable form: one FORMRSIZE row per operator and form
// in the system database.
#include "controls/forms/MainForm.h"
#include "controls/forms/TBSDI.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/os/DpiScale.h"

namespace controls {

namespace {

const QString kGetFailed = QStringLiteral("画面サイズの読込に失敗しました。");
const QString kPutFailed = QStringLiteral("画面サイズの保存に失敗しました。");

bool systemDatabaseReady() {
    return core::DM != nullptr && core::DM->IBDatabaseDEF.connected();
}

int designPixels(int value, int pixelsPerInch) {
    return pixelsPerInch == 96 ? value : int(qint64(value) * pixelsPerInch / 96);
}

} // namespace

void TBSDI::GetFormSize() {
    if (!FormSizeSw || !systemDatabaseReady())
        return;
    core::TransactionScope scope(core::DM->IBTransactionDEF);
    try {
        core::TIBSQL q(&core::DM->IBDatabaseDEF, &core::DM->IBTransactionDEF);
        q.sql() << QStringLiteral("SELECT FMTOP,FMLEFT,FMHEIGHT,FMWIDTH FROM FORMRSIZE")
                << QStringLiteral("WHERE FMNAME=:FMNAME AND OPCODE=:OPCODE");
        q.paramByName(QStringLiteral("FMNAME")).setString(Name());
        q.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
        q.execQuery();
        if (!q.eof()) {
            move(q.fieldByName(QStringLiteral("FMLEFT")).asInteger(), q.fieldByName(QStringLiteral("FMTOP")).asInteger());
            resize(q.fieldByName(QStringLiteral("FMWIDTH")).asInteger(),
                   q.fieldByName(QStringLiteral("FMHEIGHT")).asInteger());
            q.close();
        } else {
            q.close();
            const int height = core::AdjustFrameHeight(designPixels(648, PixelsPerInch), 0);
            const int width = core::AdjustFrameHeight(designPixels(1012, PixelsPerInch), 0);
            move(0, 0);
            resize(width, height);
            core::TIBSQL insert(&core::DM->IBDatabaseDEF, &core::DM->IBTransactionDEF);
            insert.sql() << QStringLiteral("INSERT INTO FORMRSIZE")
                         << QStringLiteral("VALUES(:OPCODE ,:FNAME,:TOP,:LEFT,:HEIGHT,:WIDTH,:DEFHEIGHT,:DEFWIDTH)");
            insert.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
            insert.paramByName(QStringLiteral("FNAME")).setString(Name());
            insert.paramByName(QStringLiteral("TOP")).setInteger(0);
            insert.paramByName(QStringLiteral("LEFT")).setInteger(0);
            insert.paramByName(QStringLiteral("HEIGHT")).setInteger(height);
            insert.paramByName(QStringLiteral("WIDTH")).setInteger(width);
            insert.paramByName(QStringLiteral("DEFHEIGHT")).setInteger(height);
            insert.paramByName(QStringLiteral("DEFWIDTH")).setInteger(width);
            insert.execSQL();
        }
        scope.commit();
    } catch (const core::EIBError& e) {
        // The form opens with its current size; the scope rolls back what it started.
        core::ReportFbAccessError(e, QStringLiteral("TBSDI.GetFormSize"), kGetFailed, 0);
    }
}

void TBSDI::PutFormSize() {
    if (!FormSizeSw)
        return;
    freeLayouts();
    if (!systemDatabaseReady())
        return;
    const QRect client = MainFormClientRect();
    int top, left, height, width;
    if (isMaximized()) {
        top = 0;
        left = 0;
        height = client.height() - (0 + core::SystemDef.FrameHeight);
        width = client.width() - core::SystemDef.FrameHeight;
    } else {
        top = qMax(0, y());
        left = qMax(0, x());
        height = this->height();
        width = this->width();
    }
    if (top > client.height())
        top = 0;
    if (left > client.width())
        left = 0;
    core::TransactionScope scope(core::DM->IBTransactionDEF);
    try {
        core::TIBSQL q(&core::DM->IBDatabaseDEF, &core::DM->IBTransactionDEF);
        q.sql() << QStringLiteral("UPDATE FORMRSIZE SET FMTOP=:FMTOP,FMLEFT=:FMLEFT,FMHEIGHT=:FMHEIGHT,FMWIDTH=:FMWIDTH")
                << QStringLiteral("WHERE OPCODE=:OPCODE AND FMNAME=:FMNAME");
        q.paramByName(QStringLiteral("FMTOP")).setInteger(top);
        q.paramByName(QStringLiteral("FMLEFT")).setInteger(left);
        q.paramByName(QStringLiteral("FMHEIGHT")).setInteger(height);
        q.paramByName(QStringLiteral("FMWIDTH")).setInteger(width);
        q.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
        q.paramByName(QStringLiteral("FMNAME")).setString(Name());
        q.execSQL();
        scope.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TBSDI.PutFormSize"), kPutFailed, 0);
    }
}

} // namespace controls
