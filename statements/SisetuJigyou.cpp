#include "statements/SisetuJigyou.h"

#include "core/Globals.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "statements/BalanceRows.h"

#include <memory>

namespace statements {
namespace {

// A code formatted into the statement text; a quote is doubled so that it stays a literal.
QString literal(const QString& code) { return QString(code).replace(QLatin1Char('\''), QStringLiteral("''")); }

// Runs the text on the snapshot transaction (joining the read's) and hands the open query to
// use; a transaction started here is committed afterwards.
template <typename Use>
void onSnapshot(const QString& text, Use use) {
    core::TransactionScope scope(core::DM->IBTransactionDATSS);
    std::unique_ptr<core::TIBSQL> query = core::CreateIBSQL(QStringLiteral("ACCDAT"), 1);
    query->sql() << text;
    query->execQuery();
    use(*query);
    query->close();
    scope.commit();
}

qint32 countOf(const QString& text) {
    qint32 count = 0;
    onSnapshot(text, [&](core::TIBSQL& q) {
        if (!q.eof())
            count = q.fields(0).asInteger();
    });
    return count;
}

} // namespace

int MbLayoutOfJigyou(qint32 jigyou, bool* known) {
    if (known)
        *known = true;
    switch (jigyou) {
    case 0:
    case 1:
    case 8:
    case 16:
    case 255:
        return 1;
    case 2:
    case 4:
        return 2;
    default:
        if (known)
            *known = false;
        return 1;
    }
}

qint32 GetSisetuJigyou(const QString& SCODE) {
    qint32 jigyou = 0;
    onSnapshot(QStringLiteral("SELECT MB_JIGYOU FROM SISETUMST WHERE SCODE='%1' ").arg(literal(SCODE)),
               [&](core::TIBSQL& q) {
                   if (!q.eof())
                       jigyou = q.fieldByName(QStringLiteral("MB_JIGYOU")).asInteger();
               });
    return jigyou;
}

void GetSisetuGroupBumonList(QStringList& list, const QString& SCODE, const QString& groupCode) {
    list.clear();
    onSnapshot(QStringLiteral("SELECT BCODE FROM GROUPLIST WHERE GCODE='%1' AND ( BCODE IN (SELECT BCODE FROM SISETUBUM "
                              "WHERE SCODE='%2')) ")
                   .arg(literal(groupCode), literal(SCODE)),
               [&](core::TIBSQL& q) {
                   for (; !q.eof(); q.next())
                       list << q.fieldByName(QStringLiteral("BCODE")).asString();
               });
}

QString CountSisetuByJigyou(qint32 jigyou, const QString& sortKey) {
    const qint32 count = countOf(QStringLiteral("SELECT COUNT(*) FROM SISETUMST WHERE MB_JIGYOU=%1").arg(jigyou));
    return count != 0 ? sortKey : HiddenSortKey;
}

QString CountGroupSisetuByJigyou(qint32 jigyou, const QString& groupCode, const QString& sortKey) {
    const qint32 count = countOf(QStringLiteral("SELECT COUNT(*) FROM SISETUMST WHERE MB_JIGYOU=%1 AND (SCODE IN ( SELECT "
                                                "G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE='%2' )) ")
                                     .arg(jigyou)
                                     .arg(literal(groupCode)));
    return count != 0 ? sortKey : HiddenSortKey;
}

} // namespace statements
