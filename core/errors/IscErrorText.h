#pragma once
// Japanese explanations of Firebird error codes. The error reporters and the login dialog show
// one beside the database client's own (English) message, so that the user learns what failed.

#include <QString>
#include <QtGlobal>

#include <span>

namespace core {

// One row of the compiled-in table: a Firebird status code and its explanation (UTF-8).
struct IscErrorTextRow {
    qint32 code;
    const char* text;
};

// The explanation for a status code (the status vector's error code, e.g. 335544345), or a single
// blank " " when there is none. sqlCode is the SQLCODE reported with the error: two codes are
// explained only with the SQL code they were written for (335544788 with -901, 336330817 with -902).
QString GetIscErrorText(qint32 errorCode, qint32 sqlCode);

class EIBError;

// The explanation of a database error (GetIscErrorText of its codes) with the file that its
// message names put into the explanation's place for it (ファイル<"…">).
QString IscErrorTextOf(const EIBError& error);

// The whole table, in strictly ascending code order.
std::span<const IscErrorTextRow> iscErrorTextRows();

} // namespace core
