#include "core/settings/AccReg.h"

#include "core/Exception.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/settings/SettingTypes.h"

namespace core {

namespace {

void bindKey(TIBSQL& q, const QString& group, const QString& key) {
    q.paramByName(QStringLiteral("AGROUP")).setString(group);
    q.paramByName(QStringLiteral("ACODE")).setString(key);
}

} // namespace

QVariant funcGetAccReg(const QString& group, const QString& key, const QString& type, const QString& defaultText) {
    TDM& dm = RequireDM();
    TransactionScope scope(dm.IBTransactionDAT);
    TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    q.sql() << QStringLiteral("SELECT ATYPE,ATEXT FROM ACCREG WHERE AGROUP=:AGROUP AND ACODE=:ACODE ");
    bindKey(q, group, key);
    q.execQuery();
    QString text;
    if (!q.eof()) {
        text = q.fieldByName(QStringLiteral("ATEXT")).asString();
    } else {
        text = defaultText;
        TIBSQL insert(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        insert.sql() << QStringLiteral(
            "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES(:AGROUP,:ACODE,:ATYPE,:ATEXT)");
        bindKey(insert, group, key);
        insert.paramByName(QStringLiteral("ATYPE")).setString(type);
        insert.paramByName(QStringLiteral("ATEXT")).setString(defaultText);
        insert.execSQL();
    }
    scope.commit();
    if (text.isEmpty())
        text = QStringLiteral(" ");
    return SettingValueFromText(type, text, SettingStore::AccReg);
}

void funcPutAccReg(const QString& group, const QString& key, const QString& type, const QVariant& value) {
    const std::optional<QString> text = SettingTextFromValue(type, value, SettingStore::AccReg);
    if (!text)
        throw Exception(QStringLiteral("設定値の型「%1」は登録できません（%2 / %3）。").arg(type, group, key));

    TDM& dm = RequireDM();
    TransactionScope scope(dm.IBTransactionDAT);
    TIBSQL count(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    count.sql() << QStringLiteral("SELECT COUNT(AGROUP) AS RECCNT FROM ACCREG")
                << QStringLiteral("WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
    bindKey(count, group, key);
    count.execQuery();
    const bool exists = count.fieldByName(QStringLiteral("RECCNT")).asInteger() != 0;
    count.close();

    TIBSQL write(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    if (exists) {
        write.sql() << QStringLiteral("UPDATE ACCREG SET ATEXT=:ATEXT")
                    << QStringLiteral("WHERE AGROUP=:AGROUP AND ACODE=:ACODE");
    } else {
        write.sql() << QStringLiteral("INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT)")
                    << QStringLiteral("VALUES(:AGROUP,:ACODE,:ATYPE,:ATEXT)");
        write.paramByName(QStringLiteral("ATYPE")).setString(type);
    }
    bindKey(write, group, key);
    write.paramByName(QStringLiteral("ATEXT")).setString(*text);
    write.execSQL();
    scope.commit();
}

void funcDeleteAccReg(const QString& group, const QString& key) {
    TDM& dm = RequireDM();
    TransactionScope scope(dm.IBTransactionDAT);
    TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    q.sql() << QStringLiteral("DELETE FROM ACCREG WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
    bindKey(q, group, key);
    q.execSQL();
    scope.commit();
}

} // namespace core
