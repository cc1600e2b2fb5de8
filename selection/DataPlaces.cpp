// The data places in DATAPLACEMAN: reading (with the first filling of an empty table), saving,
// the in-use test of a place and the reordering of the list; no window involved.
#include "selection/DataPlaceBox.h"

#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/text/SjisText.h"

#include <exception>

namespace selection {

namespace {

constexpr int kPlaceCount = 100;
constexpr int kStandardNameMaxBytes = 40;

void fillEmptyTable(core::TDM& dm) {
    const QString sysDir = core::SystemDef.SYSDIR;
    core::TIBSQL insert(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    insert.sql() << QStringLiteral("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH)")
                 << QStringLiteral("VALUES(:REC,:ORDERKBN,:NAME,:PATH)");
    for (int rec = 0; rec < kPlaceCount; ++rec) {
        insert.paramByName(QStringLiteral("REC")).setInteger(rec);
        insert.paramByName(QStringLiteral("ORDERKBN")).setInteger(rec + 1);
        if (rec == 0) {
            insert.paramByName(QStringLiteral("NAME")).setString(StandardPlaceName(sysDir));
            insert.paramByName(QStringLiteral("PATH")).setString(sysDir);
        } else {
            insert.paramByName(QStringLiteral("NAME")).setString(QString());
            insert.paramByName(QStringLiteral("PATH")).setString(sysDir + QStringLiteral("%1").arg(rec, 2, 10, QChar(u'0')));
        }
        insert.execSQL();
    }
}

int placeCount(core::TDM& dm) {
    core::TIBSQL count(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    count.sql() << QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM DATAPLACEMAN");
    count.execQuery();
    const int n = count.eof() ? 0 : count.fieldByName(QStringLiteral("RECCNT")).asInteger();
    count.close();
    return n;
}

} // namespace

QString StandardPlaceName(const QString& sysDir) {
    return core::SjisBytes(sysDir).size() > kStandardNameMaxBytes ? QStringLiteral("標準の場所") : sysDir;
}

bool ReadDataPlaces(core::TDM& dm, bool onlyNamed, TDataPlaceList& list) {
    list.clear();
    core::TransactionScope scope(dm.IBTransactionDEF);
    try {
        if (placeCount(dm) == 0)
            fillEmptyTable(dm);
        core::TIBSQL select(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        select.sql() << QStringLiteral("SELECT REC,ORDERKBN,NAME,PATH FROM DATAPLACEMAN");
        if (onlyNamed)
            select.sql() << QStringLiteral("WHERE NAME<>''");
        select.sql() << QStringLiteral("ORDER BY ORDERKBN,REC");
        for (select.execQuery(); !select.eof(); select.next()) {
            TDataPlaceRec rec;
            rec.REC = select.fieldByName(QStringLiteral("REC")).asInteger();
            rec.ORDERKBN = select.fieldByName(QStringLiteral("ORDERKBN")).asInteger();
            rec.NAME = select.fieldByName(QStringLiteral("NAME")).asString();
            rec.PATH = select.fieldByName(QStringLiteral("PATH")).asString();
            list << rec;
        }
        select.close();
        scope.commit();
        return true;
    } catch (const std::exception&) {
        return false; // the scope rolls back what it started
    }
}

void SaveDataPlaces(core::TDM& dm, TDataPlaceList& list, int maxCount) {
    core::TransactionScope scope(dm.IBTransactionDEF);
    core::TIBSQL update(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    update.sql() << QStringLiteral("UPDATE DATAPLACEMAN SET ORDERKBN=:ORDERKBN,NAME=:NAME")
                 << QStringLiteral("WHERE REC=:REC");
    for (const TDataPlaceRec& place : std::as_const(list)) {
        if (place.ChangeKind <= kPlaceUnchanged)
            continue;
        update.paramByName(QStringLiteral("ORDERKBN")).setInteger(place.ORDERKBN);
        update.paramByName(QStringLiteral("NAME")).setString(place.NAME);
        update.paramByName(QStringLiteral("REC")).setInteger(place.REC);
        update.execSQL();
        if (place.ChangeKind == kPlaceNamed) {
            // The server procedure prepares the registry rows of the newly used place.
            core::TIBSQL rows(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
            rows.sql() << QStringLiteral("SELECT REC FROM SP_DATALIST_INSERT(:REC,:PATH,:MAXCNT)");
            rows.paramByName(QStringLiteral("REC")).setInteger(place.REC);
            rows.paramByName(QStringLiteral("PATH")).setString(place.PATH);
            rows.paramByName(QStringLiteral("MAXCNT")).setInteger(maxCount);
            for (rows.execQuery(); !rows.eof(); rows.next()) {
            }
            rows.close();
        } else if (place.ChangeKind == kPlaceRemoved) {
            core::TIBSQL remove(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
            remove.sql() << QStringLiteral("DELETE FROM DATALIST_EX") << QStringLiteral("WHERE DATAPLACEREC=:REC");
            remove.paramByName(QStringLiteral("REC")).setInteger(place.REC);
            remove.execSQL();
        }
    }
    scope.commit(); // an error left the scope above: rolled back there and raised on
    for (TDataPlaceRec& place : list)
        place.ChangeKind = kPlaceUnchanged;
}

bool IsDataPlaceInUse(core::TDM& dm, qint32 rec, const std::function<bool(const QString&)>& dirExists) {
    QStringList folders;
    core::TransactionScope scope(dm.IBTransactionDEF);
    try {
        core::TIBSQL select(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        select.sql() << QStringLiteral("SELECT PASNAME FROM DATALIST_EX") << QStringLiteral("WHERE (DATAPLACEREC=:REC)")
                     << QStringLiteral("ORDER BY REC");
        select.paramByName(QStringLiteral("REC")).setInteger(rec);
        for (select.execQuery(); !select.eof(); select.next())
            folders << select.fieldByName(QStringLiteral("PASNAME")).asString();
        select.close();
        scope.commit();
    } catch (const std::exception&) {
        return true; // an unreadable registry must not let a place go
    }
    for (const QString& folder : std::as_const(folders)) {
        if (!folder.trimmed().isEmpty() && dirExists(folder))
            return true;
    }
    return false;
}

bool MoveDataPlace(TDataPlaceList& list, int row, int delta) {
    const int target = row + delta;
    if (list.size() <= 1 || row < 0 || row >= list.size() || target < 0 || target >= list.size())
        return false;
    list.swapItemsAt(row, target);
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].ORDERKBN == i + 1)
            continue;
        list[i].ORDERKBN = i + 1;
        if (list[i].ChangeKind == kPlaceUnchanged)
            list[i].ChangeKind = kPlaceChanged;
    }
    return true;
}

TDataPlaceKeys DataPlaceKeyCaptions(const TDataPlaceList& list, int row) {
    TDataPlaceKeys keys{QStringLiteral("F2:"), QStringLiteral("F3:"), QStringLiteral("F5:")};
    if (row < 0 || row >= list.size())
        return keys;
    const TDataPlaceRec& place = list[row];
    if (place.REC != 0)
        keys.F5 = QStringLiteral("F5:削除");
    if (!core::TrimBlanks(place.NAME).isEmpty()) {
        keys.F3 = QStringLiteral("F3:名称変更");
    } else {
        keys.F2 = QStringLiteral("F2:新規作成");
        keys.F5 = QStringLiteral("F5:"); // an unnamed place cannot be removed
    }
    keys.UpEnabled = row > 0;
    keys.DownEnabled = row < list.size() - 1;
    return keys;
}

} // namespace selection
