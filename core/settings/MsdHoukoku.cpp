#include "core/settings/MsdHoukoku.h"

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/settings/SettingTypes.h"

namespace core {

namespace {

void bindKey(TIBSQL& q, const QString& group, const QString& key) {
    q.paramByName(QStringLiteral("MDGROUP")).setString(group);
    q.paramByName(QStringLiteral("MDCODE")).setString(key);
}

QString houjinGaiyou(const QString& key, const QString& defaultText) {
    return funcGetMsdHoukoku(QStringLiteral("法人概要"), key, kTypeMoji, defaultText).toString();
}

} // namespace

QVariant funcGetMsdHoukoku(const QString& group, const QString& key, const QString& type, const QString& defaultText) {
    TDM& dm = RequireDM();
    // Only the transaction started here is finished here; a caller's stays open.
    TransactionScope scope(dm.IBTransactionDAT);
    TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    q.sql() << QStringLiteral("SELECT MDTEXT1 FROM MSD_HOUKOKU WHERE MDGROUP=:MDGROUP AND MDCODE=:MDCODE ");
    bindKey(q, group, key);
    q.execQuery();
    QString text;
    if (!q.eof()) {
        text = q.fieldByName(QStringLiteral("MDTEXT1")).asString();
    } else {
        text = defaultText;
        TIBSQL insert(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        insert.sql() << QStringLiteral(
            "INSERT INTO MSD_HOUKOKU(MDGROUP,MDCODE,MDTYPE,MDTEXT1) VALUES(:MDGROUP,:MDCODE,:MDTYPE,:MDTEXT1)");
        bindKey(insert, group, key);
        insert.paramByName(QStringLiteral("MDTYPE")).setString(type);
        insert.paramByName(QStringLiteral("MDTEXT1")).setString(defaultText);
        insert.execSQL();
    }
    scope.commit();
    if (text.isEmpty())
        text = QStringLiteral(" ");
    return SettingValueFromText(type, text, SettingStore::MsdHoukoku);
}

bool IsFoundationOrSpecialMedicalCorp() {
    if (houjinGaiyou(QStringLiteral("財団社団"), QString()) == QStringLiteral("財団"))
        return true;
    const QString kind = houjinGaiyou(QStringLiteral("医療法人"), QString());
    return kind == QStringLiteral("社会") || kind == QStringLiteral("特定");
}

bool HasMedicalCorpFund() {
    return houjinGaiyou(QStringLiteral("基金"), QStringLiteral("無")) == QStringLiteral("有");
}

} // namespace core
