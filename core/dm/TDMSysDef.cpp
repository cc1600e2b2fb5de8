// The operator's settings: the SYSDEF row and the SYSREG items that go with it, loaded after
// login and written back when the operator saves them.
#include "core/dm/TDM.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/SysDefBits.h"
#include "core/settings/SysDefRegItems.h"
#include "core/settings/SysDefRow.h"
#include "core/settings/SysReg.h"

namespace core {

namespace {

const QString kGetSysDefFailed = QStringLiteral("システム情報の取得に失敗しました。\rアプリケーションを終了します。");
const QString kPutSysDefFailed =
    QStringLiteral("システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。");

bool oemEdition() {
    return EditionFlag == 1;
}

void rollbackQuietly(TIBTransaction& transaction) {
    if (!transaction.inTransaction())
        return;
    try {
        transaction.rollback();
    } catch (const std::exception&) {
        // The failure that led here is the one reported.
    }
}

void closeQuietly(TIBQuery& q) {
    try {
        q.close();
    } catch (const std::exception&) {
    }
}

// Shows the failure of a settings routine once: database errors through the central reporter.
void reportFailure(const std::exception& error, const QString& context, const QString& message) {
    if (const auto* db = dynamic_cast<const EIBError*>(&error))
        ReportFbAccessError(*db, context, message, 0);
    else
        ShowMessageWithDetail(message, exceptionText(error), MessageKind::Error);
}

void selectSysDef(TIBQuery& q, qint32 opcode) {
    q.close();
    q.sql() = QStringList{QStringLiteral("SELECT * FROM SYSDEF WHERE OPCODE=:OPCODE")};
    q.paramByName(QStringLiteral("OPCODE")).setInteger(opcode);
    q.execQuery();
}

// Office information of SYSTEMINI row 10 and the local administrator switch of row 20 (a
// missing row leaves them empty or 0).
void readSystemIni(TDM& dm, TSystemDef& def) {
    TSystemIniRec office;
    office.REC = 10;
    dm.GetSysIni(office);
    def.OfficeName = TDM::GetKeyValue(office.SSTR, QStringLiteral("NAME"));
    def.OfficeAddress = TDM::GetKeyValue(office.SSTR, QStringLiteral("JYUSHO"));
    def.OfficeTel = TDM::GetKeyValue(office.SSTR, QStringLiteral("TEL"));
    def.OfficeValue1 = office.RESERVE1;
    def.OfficeValue2 = office.RESERVE2;
    def.OfficeValue3 = office.RESERVE3;
    TSystemIniRec admin;
    admin.REC = 20;
    dm.GetSysIni(admin);
    def.LocalAdmin = admin.RESERVE1;
}

// BaseFont takes the operator's font when the font is installed. (Windows lists a
// pseudo-family first and skips it; the list here starts with a real family.)
void applyOperatorFont(const QStringList& families, TSystemDef& def) {
    if (!families.contains(def.FontName, Qt::CaseInsensitive))
        return;
    def.BaseFont.Name = def.FontName;
    def.BaseFont.Size = def.FontSize;
    // The height a size gives at 96 pixels per inch, the resolution the forms are designed at.
    def.BaseFont.Height = -qRound(def.FontSize * 96.0 / 72.0);
    def.BaseFont.Style = def.FontStyle >= 0 && def.FontStyle <= 3 ? def.FontStyle : 0;
    def.BaseFont.CharSet = def.FontCharSet;
}

} // namespace

bool TDM::fnGetSysDef() {
    TSystemDef& def = SystemDef;
    try {
        if (!IBTransactionDEF.inTransaction())
            IBTransactionDEF.startTransaction();

        selectSysDef(IBQSysDefGet, def.OPCODE);
        if (IBQSysDefGet.eof()) {
            // First login of the operator.
            PrepareSysDefInsert(IBQSysDefPut, def.OPCODE, oemEdition());
            IBQSysDefPut.execSQL();
            IBQSysDefPut.close();
            selectSysDef(IBQSysDefGet, def.OPCODE);
            WriteFirstLoginSysRegItems(def.OPCODE, oemEdition());
        }
        def.HostMenuState = 0;
        ReadSysDefRow(IBQSysDefGet, def);
        IBQSysDefGet.close();
        UnpackSysDefSwitches(def);

        readSystemIni(*this, def);
        ReadOperatorSysRegItems(def, oemEdition());

        def.ProgressDialog = nullptr;
        GetSystemVersion();
        if (ScreenFontFamilies)
            applyOperatorFont(ScreenFontFamilies(), def);

        IBTransactionDEF.commit();
        return true;
    } catch (const std::exception& e) {
        closeQuietly(IBQSysDefGet);
        reportFailure(e, QStringLiteral("TDM.fnGetSysDef"), kGetSysDefFailed);
        rollbackQuietly(IBTransactionDEF);
        return false;
    }
}

bool TDM::fnPutSysDef() {
    TSystemDef& def = SystemDef;
    // The row and its items are saved together or not at all: one transaction, committed at
    // the end.
    try {
        if (!IBTransactionDEF.inTransaction())
            IBTransactionDEF.startTransaction();

        // The switch words start from what is stored now, so that bits other programs keep
        // in them survive.
        TIBQuery& q = IBQSysDefPut;
        q.close();
        q.sql() = QStringList{QStringLiteral("SELECT RESERVE2,RESERVE4 FROM SYSDEF WHERE OPCODE=:OPCODE")};
        q.paramByName(QStringLiteral("OPCODE")).setInteger(def.OPCODE);
        q.execQuery();
        const qint32 storedReserve2 = q.eof() ? def.Reserve2 : q.fieldByName(QStringLiteral("RESERVE2")).asInteger();
        const qint32 storedReserve4 = q.eof() ? def.Reserve4 : q.fieldByName(QStringLiteral("RESERVE4")).asInteger();
        q.close();
        def.Reserve2 = PackReserve2(storedReserve2, def);
        def.Reserve4 = PackReserve4(storedReserve4, def);

        q.sql() = SysDefUpdateSql();
        BindSysDefUpdate(q, def);
        q.execSQL();
        q.close();

        WriteOperatorSysRegItems(def, oemEdition());

        IBTransactionDEF.commit();
        return true;
    } catch (const std::exception& e) {
        closeQuietly(IBQSysDefPut);
        reportFailure(e, QStringLiteral("TDM.fnPutSysDef"), kPutSysDefFailed);
        rollbackQuietly(IBTransactionDEF);
        return false;
    }
}

} // namespace core
