#pragma once
// Moving a backup file between the database server and this machine through the table
// FILETRANS of the file-management database "qmfileman.fdb": the server functions
// SP_FILETOBLOB and SP_BLOBTOFILE (our UDR plugin) read and write the file on the server, this
// program moves the row's bytes. One row per session, keyed "QMV_" and the session code.
//
// The transfer file on the server lies in the session's server temporary folder and is named
// after the backup file with the session code as its extension ("qmacc.10012"). Paths go to
// the server as statement parameters, never as part of the SQL text.

#include <QByteArray>
#include <QString>

namespace core {
class TDM;
}

namespace companydata {

// Whether the database services are reached through the host: neither empty nor "127.0.0.1".
bool IsRemoteHost(const QString& host);

// "QMV_" and SystemDef.OPCODE.
QString TransferContentId();
// The session's transfer file on the server.
QString ServerTransferFile();

// Creates the server temporary folder when this machine does not see it (MkDir with the
// session's connection mode); false when it could not be made.
bool EnsureServerTempFolder(core::TDM& dm);
// Deletes the server file when it is there; a refusal or failure is ignored (the caller's
// own checks decide).
void DeleteServerFile(core::TDM& dm, const QString& serverFile);

// Server file → this machine: the bytes of the server file through FILETRANS into localFile,
// which is replaced only once it has been written whole. False when the server gave no bytes
// (localFile untouched). Raises on a database or file failure; the FILETRANS row is removed in
// every case.
bool FetchServerFile(core::TDM& dm, const QString& serverFile, const QString& localFile);

// This machine → server file: the bytes of localFile, after prefix, through FILETRANS into
// the server file. Raises on a database or file failure and when SP_BLOBTOFILE did not write
// the file; the FILETRANS row is removed in every case.
void SendFileToServer(core::TDM& dm, const QString& localFile, const QString& serverFile,
                      const QByteArray& prefix = {});

// The detail of a failed transfer, for the exception being handled: the first line, then
// "[詳細]", for a database error "IBエラー: " and its code, and the error text.
QString TransferFailureDetail(const QString& firstLine);

} // namespace companydata
