#include "core/settings/SysReg.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/SettingTypes.h"

namespace core {

namespace {

void bindKey(TIBSQL& q, qint32 opcode, const QString& item) {
    q.paramByName(QStringLiteral("OPCODE")).setInteger(opcode);
    q.paramByName(QStringLiteral("SCODE")).setString(item);
}

QVariant valueFromText(const QString& type, const QString& text) {
    if (type == kTypeRonri)
        return IsTrueText(text);
    if (!IsSysRegType(type))
        return kDataTypeError;
    return SettingValueFromText(type, text, SettingStore::AccReg);
}

// Runs body on the system transaction by the convention of this store (see the header).
// Returns false when a database error was reported here.
template <typename Body>
bool onSystemTransaction(const QString& context, const QString& message, Body body) {
    TDM& dm = RequireDM();
    TransactionScope scope(dm.IBTransactionDEF);
    try {
        body(dm);
        scope.commit();
        return true;
    } catch (const EIBError& e) {
        if (!scope.started())
            throw;
        try {
            dm.IBTransactionDEF.rollback();
        } catch (const std::exception&) {
            // The report below names the original failure.
        }
        ReportFbAccessError(e, context, message, 0);
        return false;
    }
}

} // namespace

bool IsSysRegType(const QString& type) {
    return type == kTypeMoji || type == kTypeRonri || type == kTypeHiduke || type == kTypeSeisuu ||
           type == kTypeKingaku;
}

QVariant funcGetSysReg(const QString& item, const QString& type, qint32 opcode, const QString& defaultText) {
    QString text;
    const bool read = onSystemTransaction(
        QStringLiteral("TDM.funcGetSysReg"), QStringLiteral("システム共通変数の取得に失敗しました。"), [&](TDM& dm) {
            TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
            q.sql() << QStringLiteral("SELECT STEXT FROM SYSREG WHERE OPCODE=:OPCODE AND SCODE=:SCODE ");
            bindKey(q, opcode, item);
            q.execQuery();
            if (!q.eof()) {
                text = q.fieldByName(QStringLiteral("STEXT")).asString();
                return;
            }
            text = defaultText;
            TIBSQL insert(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
            insert.sql() << QStringLiteral(
                "INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(:OPCODE,:SCODE,:STYPE,:STEXT )");
            bindKey(insert, opcode, item);
            insert.paramByName(QStringLiteral("STYPE")).setString(type);
            insert.paramByName(QStringLiteral("STEXT")).setString(defaultText);
            insert.execSQL();
        });
    if (!read)
        return {};
    if (text.isEmpty())
        text = QStringLiteral(" ");
    return valueFromText(type, text);
}

QVariant funcGetSysRegOpe(const QString& item, const QString& type, const QString& defaultText) {
    return funcGetSysReg(item, type, SystemDef.OPCODE, defaultText);
}

bool funcPutSysReg(const QString& item, const QString& type, qint32 opcode, const QVariant& value) {
    // An unknown type would store no value (NULL); refuse it before anything is written.
    const std::optional<QString> text =
        IsSysRegType(type) ? SettingTextFromValue(type, value, SettingStore::AccReg) : std::nullopt;
    if (!text)
        throw Exception(QStringLiteral("設定値の型「%1」は登録できません（%2）。").arg(type, item));

    return onSystemTransaction(
        QStringLiteral("TDM.funcPutSysReg"), QStringLiteral("システム共通変数の保存に失敗しました。"), [&](TDM& dm) {
            TIBSQL count(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
            count.sql() << QStringLiteral(
                "SELECT COUNT(OPCODE) AS RECCNT FROM SYSREG WHERE OPCODE=:OPCODE AND SCODE=:SCODE");
            bindKey(count, opcode, item);
            count.execQuery();
            const bool exists = count.fieldByName(QStringLiteral("RECCNT")).asInteger() != 0;
            count.close();

            TIBSQL write(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
            if (exists) {
                write.sql() << QStringLiteral("UPDATE SYSREG SET STEXT=:STEXT WHERE OPCODE=:OPCODE AND SCODE=:SCODE ");
            } else {
                write.sql() << QStringLiteral(
                    "INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(:OPCODE,:SCODE,:STYPE,:STEXT )");
                write.paramByName(QStringLiteral("STYPE")).setString(type);
            }
            bindKey(write, opcode, item);
            write.paramByName(QStringLiteral("STEXT")).setString(*text);
            write.execSQL();
        });
}

bool funcPutSysRegOpe(const QString& item, const QString& type, const QVariant& value) {
    return funcPutSysReg(item, type, SystemDef.OPCODE, value);
}

} // namespace core
