// Backup files between the database server and this machine through FILETRANS.
#include "companydata/BackupRestoreTransfer.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/backup/FileSwap.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/ExceptionText.h"
#include "core/fileops/FileOperations.h"
#include "core/files/PathDelim.h"
#include "core/session/Identity.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace companydata {

namespace {

const QString kWriteFailed = QStringLiteral("ファイル「%1」を書き込めませんでした。");
const QString kReadFailed = QStringLiteral("ファイル「%1」を読み込めませんでした。");
const QString kNotWritten = QStringLiteral("サーバーにファイル「%1」を書き込めませんでした。");

void runStatement(core::TIBSQL& q, const QString& text, const QString& id) {
    q.close();
    q.sql().clear();
    q.sql() << text;
    q.paramByName(QStringLiteral("CONTENT_ID")).setString(id);
}

void deleteRow(core::TIBSQL& q, const QString& id) {
    runStatement(q, QStringLiteral("DELETE FROM FILETRANS WHERE CONTENT_ID=:CONTENT_ID"), id);
    q.execSQL();
}

// After a failure: the row (committed by the transfer's commit retaining) would otherwise keep
// a whole backup in the database until the next transfer of the session.
void removeRowQuietly(core::TDM& dm, const QString& id) {
    try {
        core::TransactionScope scope(dm.IBTransFileMan);
        deleteRow(dm.IBSQLFileMan, id);
        scope.commit();
    } catch (...) {
        // The failure being reported matters more; the next transfer deletes the row first.
    }
}

// Writes the bytes beside the file and puts them in its place, so that a failed write keeps
// an older file whole.
void writeWholeFile(const QString& fileName, const QByteArray& bytes) {
    const QString scratch = core::scratchNameBeside(fileName);
    QFile file(scratch);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    constexpr qsizetype kPiece = 1024;
    for (qsizetype at = 0; written && at < bytes.size(); at += kPiece)
        written = file.write(bytes.constData() + at, std::min(kPiece, bytes.size() - at)) >= 0;
    written = written && file.flush();
    file.close();
    if (!written || !core::replaceLocalFile(scratch, fileName)) {
        QFile::remove(scratch);
        throw core::Exception(kWriteFailed.arg(fileName));
    }
}

} // namespace

bool IsRemoteHost(const QString& host) {
    return !host.isEmpty() && host != QStringLiteral("127.0.0.1");
}

QString TransferContentId() {
    return QStringLiteral("QMV_%1").arg(core::SystemDef.OPCODE);
}

QString ServerTransferFile() {
    const QString name =
        QFileInfo(core::Identity.DataBackupFile).completeBaseName() + QStringLiteral(".%1").arg(core::SystemDef.OPCODE);
    return core::IncludePathDelim(core::SystemDef.ServerTempDir) + name;
}

bool EnsureServerTempFolder(core::TDM& dm) {
    const QString folder = core::SystemDef.ServerTempDir;
    return core::fileops::DExist(dm, folder, 0) || core::fileops::MkDir(dm, folder, core::ConnectMode);
}

void DeleteServerFile(core::TDM& dm, const QString& serverFile) {
    if (core::fileops::FExist(dm, serverFile, core::ConnectMode))
        core::fileops::FDel(dm, serverFile, core::ConnectMode, false);
}

bool FetchServerFile(core::TDM& dm, const QString& serverFile, const QString& localFile) {
    const QString id = TransferContentId();
    core::TIBSQL& q = dm.IBSQLFileMan;
    QByteArray bytes;
    try {
        core::TransactionScope scope(dm.IBTransFileMan);
        deleteRow(q, id);
        runStatement(q,
                     QStringLiteral("INSERT INTO FILETRANS(CONTENT_ID,CONTENT) "
                                    "VALUES(:CONTENT_ID,SP_FILETOBLOB(:FILEPATH))"),
                     id);
        q.paramByName(QStringLiteral("FILEPATH")).setString(serverFile);
        q.execSQL();
        dm.IBTransFileMan.commitRetaining();
        runStatement(q, QStringLiteral("SELECT CONTENT_ID,CONTENT FROM FILETRANS WHERE CONTENT_ID=:CONTENT_ID"), id);
        q.execQuery();
        if (!q.eof())
            bytes = q.fieldByName(QStringLiteral("CONTENT")).asBytes();
        q.close();
        deleteRow(q, id);
        scope.commit();
    } catch (...) {
        q.close();
        removeRowQuietly(dm, id);
        throw;
    }
    if (bytes.isEmpty())
        return false;
    writeWholeFile(localFile, bytes);
    return true;
}

void SendFileToServer(core::TDM& dm, const QString& localFile, const QString& serverFile,
                      const QByteArray& prefix) {
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly))
        throw core::Exception(kReadFailed.arg(localFile));
    const QByteArray bytes = prefix + file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw core::Exception(kReadFailed.arg(localFile));
    file.close();

    const QString id = TransferContentId();
    core::TIBSQL& q = dm.IBSQLFileMan;
    qint64 written = 0;
    try {
        core::TransactionScope scope(dm.IBTransFileMan);
        deleteRow(q, id);
        runStatement(q, QStringLiteral("INSERT INTO FILETRANS(CONTENT_ID,CONTENT) VALUES(:CONTENT_ID,:CONTENT)"), id);
        q.paramByName(QStringLiteral("CONTENT")).setBlob(bytes);
        q.execSQL();
        dm.IBTransFileMan.commitRetaining();
        runStatement(q,
                     QStringLiteral("SELECT CONTENT_ID,SP_BLOBTOFILE(:FILEPATH, CONTENT) AS CONTENT FROM FILETRANS "
                                    "WHERE CONTENT_ID=:CONTENT_ID"),
                     id);
        q.paramByName(QStringLiteral("FILEPATH")).setString(serverFile);
        q.execQuery();
        if (!q.eof() && !q.fieldByName(QStringLiteral("CONTENT")).isNull())
            written = q.fieldByName(QStringLiteral("CONTENT")).asInt64();
        q.close();
        deleteRow(q, id);
        scope.commit();
    } catch (...) {
        q.close();
        removeRowQuietly(dm, id);
        throw;
    }
    // Going on without the file written would restore whatever an earlier transfer left there.
    if (written <= 0)
        throw core::Exception(kNotWritten.arg(serverFile));
}

QString TransferFailureDetail(const QString& firstLine) {
    QString detail = firstLine + QStringLiteral("\r[詳細]\r");
    try {
        throw;
    } catch (const core::EIBError& e) {
        detail += QStringLiteral("IBエラー: %1\r").arg(e.ibErrorCode()) + e.message();
    } catch (const std::exception& e) {
        detail += core::exceptionText(e);
    } catch (...) {
    }
    return detail;
}

} // namespace companydata
