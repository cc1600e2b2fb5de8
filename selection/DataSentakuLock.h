#pragma once
// The data-lock column of the client/server list: a click on the lock cell of a data row locks
// the data set for the operator or unlocks it, decided from the folder's data state and the
// lock value of the row. The lock holds the operator's login code.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace selection {

// The login code within a session code (GROUPID × 10000 + login code), the value a lock holds.
qint32 LockLoginCode(qint32 sessionCode, qint32 groupId);

enum TDataLockAction {
    dlNothing,      // no database, or a lock the click leaves as it is
    dlLock,         // data status 3 and the lock := the login code
    dlUnlock,       // data status 1 and the lock := 0
    dlLockedByOther,// "このデータは違うオペレータによりロックされているため解除は行えません。"
    dlWrongState,   // "このデータは%sのため処理が行えません。"
};

// state: the folder's data state (1 normal, 2 in use, 3 data locked, …), -1 when the folder
// holds no database. The lock of the row is compared with the session's login code, as the
// lock was written with it (a session code never equals a login code).
TDataLockAction DecideDataLock(int state, qint32 lockValue, qint32 sessionCode, qint32 groupId);

// The detail lines of the lock and state boxes.
QStringList DataLockDetailLines(const QString& folder, qint32 lockLoginCode, const QString& operatorName);

} // namespace selection
