// The two server calls behind the file operations of modes 1 and 2: FILEOPERATION /
// DIRECTORYTEST and LONGTOSHORTFILENAME of the system database.
#include "core/fileops/FileOperations.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"

#include <functional>

namespace core::fileops {
namespace {

const QStringList kFileWords{QStringLiteral("FEXIST"), QStringLiteral("FCOPY"), QStringLiteral("FDEL")};
const QStringList kFolderWords{QStringLiteral("DEXIST"), QStringLiteral("MKDIR"), QStringLiteral("RMDIR")};

// Runs one statement on IBSQLDEF in IBTransactionDEF (joined, or started and finished here),
// with the system database connected for the call when it is not. A failure is reported with
// the context and message, and gives false.
bool onSystemDatabase(TDM& dm, const QString& context, const QString& message,
                      const std::function<void(TIBSQL&)>& run) {
    const bool connectedHere = !dm.IBDatabaseDEF.connected();
    if (connectedHere && !dm.fnAccDefConnected(SystemDef.HOSTNAME, 1))
        return false;
    bool done = false;
    try {
        TransactionScope scope(dm.IBTransactionDEF);
        run(dm.IBSQLDEF);
        dm.IBSQLDEF.close();
        scope.commit();
        done = true;
    } catch (const EIBError& e) {
        dm.IBSQLDEF.close();
        ReportFbAccessError(e, context, message, 1);
    } catch (const std::exception& e) {
        dm.IBSQLDEF.close();
        ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
    }
    if (connectedHere) {
        try {
            dm.IBDatabaseDEF.close();
        } catch (const std::exception&) {
            // the connection is gone either way
        }
    }
    return done;
}

} // namespace

bool ServerFileOperation(TDM& dm, const QString& operation, const QString& path1, const QString& path2) {
    const QString word = operation.toUpper();
    const bool fileWord = kFileWords.contains(word);
    if (!fileWord && !kFolderWords.contains(word))
        return false;
    if (path1.trimmed().isEmpty() || (word == QLatin1String("FCOPY") && path2.trimmed().isEmpty()))
        return false;

    bool result = false;
    const QString message = QStringLiteral("サーバーへのファイル操作(%1)に失敗しました。").arg(word);
    const bool done =
        onSystemDatabase(dm, QStringLiteral("TDM.ServerFileOperation"), message, [&](TIBSQL& sql) {
            sql.sql().clear();
            if (fileWord) {
                sql.sql().append(QStringLiteral("SELECT WBOOL FROM FILEOPERATION(:MODE,:FILEPATH1,:FILEPATH2)"));
                sql.paramByName(QStringLiteral("FILEPATH2")).setString(path2);
            } else {
                sql.sql().append(QStringLiteral("SELECT WBOOL FROM DIRECTORYTEST(:MODE,:FILEPATH1)"));
            }
            sql.paramByName(QStringLiteral("MODE")).setString(word);
            sql.paramByName(QStringLiteral("FILEPATH1")).setString(path1);
            sql.execQuery();
            result = !sql.eof() && sql.fieldByName(QStringLiteral("WBOOL")).asInteger() == 1;
        });
    return done && result;
}

FileState ServerFileState(TDM& dm, const QString& path) {
    const QString message = QStringLiteral("サーバーへのファイル操作(FEXIST)に失敗しました。");
    if (path.trimmed().isEmpty())
        return FileState::Unknown;
    int answer = 0;
    const bool done = onSystemDatabase(dm, QStringLiteral("TDM.ServerFileOperation"), message, [&](TIBSQL& sql) {
        sql.sql().clear();
        sql.sql().append(QStringLiteral("SELECT WBOOL FROM FILEOPERATION(:MODE,:FILEPATH1,:FILEPATH2)"));
        sql.paramByName(QStringLiteral("MODE")).setString(QStringLiteral("FEXIST"));
        sql.paramByName(QStringLiteral("FILEPATH1")).setString(path);
        sql.paramByName(QStringLiteral("FILEPATH2")).setString(QString());
        sql.execQuery();
        answer = sql.eof() ? -2 : sql.fieldByName(QStringLiteral("WBOOL")).asInteger();
    });
    if (!done)
        return FileState::Unknown; // reported
    switch (answer) {
    case 1:
        return FileState::Present;
    case 0:
        return FileState::Absent;
    case -1:
        ShowMessageWithDetail(message, QStringLiteral("サーバーの設定で許可されていない場所です。\r") + path,
                              MessageKind::Error);
        return FileState::Unknown;
    default:
        ShowMessageWithDetail(message, QStringLiteral("サーバーでファイルの状態を確認できませんでした。\r") + path,
                              MessageKind::Error);
        return FileState::Unknown;
    }
}

QString ServerLongToShortFileName(TDM& dm, const QString& longName) {
    if (longName.trimmed().isEmpty())
        return QString();
    QString shortName;
    const bool done = onSystemDatabase(
        dm, QStringLiteral("TDM.ServerLongToShortFileName"),
        QStringLiteral("サーバーからのファイル名の変換(LongToShort)に失敗しました。"), [&](TIBSQL& sql) {
            sql.sql().clear();
            sql.sql().append(QStringLiteral("SELECT SHORTNAME FROM LONGTOSHORTFILENAME(:LONGNAME)"));
            sql.paramByName(QStringLiteral("LONGNAME")).setString(longName);
            sql.execQuery();
            if (!sql.eof())
                shortName = sql.fieldByName(QStringLiteral("SHORTNAME")).asString();
        });
    return done ? shortName : QString();
}

} // namespace core::fileops
