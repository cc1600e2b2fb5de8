#include "core/settings/AccRegBlob.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/text/DelphiDateFormat.h"
#include "core/text/SplitText.h"
#include "platform/Cp932.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace core {

namespace {

bool isPicture(const QString& type) {
    return type == kBlobTypeGazou || type == kBlobTypeBmp || type == kBlobTypeJpg;
}

void bindKey(TIBSQL& q, const QString& group, const QString& key) {
    q.paramByName(QStringLiteral("FGROUP")).setString(group);
    q.paramByName(QStringLiteral("FKEY")).setString(key);
}

QString memoText(const QByteArray& bytes) {
    QString text;
    for (const QString& line : TextToLines(platform::fromCp932(bytes)))
        text += line + QStringLiteral("\r\n");
    return text;
}

// The picture in a new file of the work folder. The time names it as before; the suffix keeps
// two pictures handed out within one second apart.
QString writePictureFile(const QByteArray& bytes, const QString& extension) {
    const QString stamp = formatDateTime(QStringLiteral("yyyymmddhhnnss"), QDateTime::currentDateTime());
    QTemporaryFile file(QDir(SystemDef.WorkDir).filePath(QStringLiteral("accreg-%1-XXXXXX%2").arg(stamp, extension)));
    file.setAutoRemove(false);
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.remove();
        throw Exception(QStringLiteral("画像の一時ファイルを作成できません（%1）。").arg(reason));
    }
    return file.fileName();
}

QByteArray pictureFileBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("画像ファイル「%1」を読み込めません（%2）。").arg(fileName, file.errorString()));
    return file.readAll();
}

QByteArray memoBytes(const QString& text) {
    QString stored;
    for (const QString& line : TextToLines(text))
        stored += line + QStringLiteral("\r\n");
    return platform::toCp932(stored);
}

} // namespace

QVariant funcGetAccRegBlob(const QString& group, const QString& key) {
    TDM& dm = RequireDM();
    QString type;
    QByteArray bytes;
    {
        TransactionScope scope(dm.IBTransactionDAT);
        TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT FGROUP,FKEY,FTYPE,FVALUE FROM ACCREG_BLOB_BINARY")
                << QStringLiteral("WHERE FGROUP=:FGROUP AND FKEY=:FKEY");
        bindKey(q, group, key);
        q.execQuery();
        if (q.eof())
            return {};
        type = q.fieldByName(QStringLiteral("FTYPE")).asString();
        bytes = q.fieldByName(QStringLiteral("FVALUE")).asBytes();
        q.close();
        scope.commit();
    }
    if (isPicture(type))
        return writePictureFile(bytes, type == kBlobTypeJpg ? QStringLiteral(".jpg") : QStringLiteral(".bmp"));
    if (type == kBlobTypeMemo)
        return memoText(bytes);
    return {};
}

void funcPutAccRegBlob(const QString& group, const QString& key, const QString& type, const QVariant& value) {
    QByteArray bytes;
    if (isPicture(type))
        bytes = pictureFileBytes(value.toString());
    else if (type == kBlobTypeMemo)
        bytes = memoBytes(value.toString());
    else
        throw Exception(QStringLiteral("設定値の型「%1」は登録できません（%2 / %3）。").arg(type, group, key));

    TDM& dm = RequireDM();
    TransactionScope scope(dm.IBTransactionDAT);
    TIBSQL count(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    count.sql() << QStringLiteral("SELECT COUNT(FGROUP) AS RECCNT FROM ACCREG_BLOB_BINARY")
                << QStringLiteral("WHERE (FGROUP=:FGROUP) AND (FKEY=:FKEY)");
    bindKey(count, group, key);
    count.execQuery();
    const bool exists = count.fieldByName(QStringLiteral("RECCNT")).asInteger() != 0;
    count.close();

    TIBSQL write(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    if (exists)
        write.sql() << QStringLiteral("UPDATE ACCREG_BLOB_BINARY SET FTYPE=:FTYPE,FVALUE=:FVALUE")
                    << QStringLiteral("WHERE FGROUP=:FGROUP AND FKEY=:FKEY");
    else
        write.sql() << QStringLiteral("INSERT INTO ACCREG_BLOB_BINARY(FGROUP,FKEY,FTYPE,FVALUE)")
                    << QStringLiteral("VALUES(:FGROUP,:FKEY,:FTYPE,:FVALUE)");
    bindKey(write, group, key);
    write.paramByName(QStringLiteral("FTYPE")).setString(type);
    write.paramByName(QStringLiteral("FVALUE")).setBlob(bytes);
    write.execSQL();
    scope.commit();
}

} // namespace core
