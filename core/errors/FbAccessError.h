#pragma once
// The central reporter of database errors. Every database routine hands the error it caught,
// with its class and method as context ("TDM.fnAccDatConnected") and a message of its own, to
// ReportFbAccessError: it logs the error (ErrFbAccess), shows the message with the technical
// detail, and ends the program when the connection to the database server is lost (335544721)
// or the server reports an internal failure (335544333). Once that happened (FatalDbError) no
// database error is logged or shown any more.

#include "core/EIBError.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace core {

namespace isc {
constexpr long internal_error = 335544333; // internal Firebird consistency check
}

// The exit code of a program ended by a fatal database error.
inline constexpr int kFatalDbErrorExitCode = 1;

// reconnect is accepted from every caller and changes nothing: no reconnection is attempted.
// An empty message logs only, unless the error is fatal.
void ReportFbAccessError(const EIBError& error, const QString& context, const QString& message, quint8 reconnect);

// The reporter of the statement routines ("試算表読込"): shows the error with its code, SQL code,
// message and explanation, then writes the FB_ERROR logs.
void ReportFbError(const EIBError& error, const QString& message);

// The two lines of an ErrFbAccess report and the lines of an FB_ERROR report, as logged.
QStringList errFbAccessLines(const EIBError& error, const QString& context);
QStringList fbErrorLines(const QString& dialogText);

} // namespace core
