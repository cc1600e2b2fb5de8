#include "selection/DataSentakuLock.h"

namespace selection {

qint32 LockLoginCode(qint32 sessionCode, qint32 groupId)
{
    const qint64 base = qint64(groupId) * 10000;
    return base > 0 ? qint32(sessionCode % base) : sessionCode;
}

TDataLockAction DecideDataLock(int state, qint32 lockValue, qint32 sessionCode, qint32 groupId)
{
    if (state < 0)
        return dlNothing;
    if (state < 1 || state > 3)
        return dlWrongState;
    if (lockValue == 0)
        return dlLock;
    if (state != 3)
        return dlNothing;
    return lockValue == LockLoginCode(sessionCode, groupId) ? dlUnlock : dlLockedByOther;
}

QStringList DataLockDetailLines(const QString& folder, qint32 lockLoginCode, const QString& operatorName)
{
    const QString indent = QStringLiteral("　");
    return {QStringLiteral("【データフォルダ】"), indent + folder, QString(), QStringLiteral("【オペレータ】"),
            indent + QString::number(lockLoginCode), QString(), QStringLiteral("【オペレータ名】"),
            indent + operatorName};
}

} // namespace selection
