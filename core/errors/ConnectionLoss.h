#pragma once
// The end of the program when its connection to the database server is gone, or the server
// fails internally. The operator is told once, with the engine's text as detail; from then on
// (FatalDbError) no message is shown any more: every later failure follows from the first, and
// the program is ending.
//
// A broken attachment may first show up anywhere (a statement of the export, a commit, a
// close), often in code that turns it into an error of its own: the database layer notes it
// where it raises it, and the first message the program then tries to show becomes this one.

#include "core/EIBError.h"

#include <QString>

namespace core {

namespace isc {
constexpr long net_read_err = 335544726;  // error reading data from the connection
constexpr long net_write_err = 335544727; // error writing data to the connection
constexpr long att_shutdown = 335544856;  // connection shutdown (attachment deleted, server stopping)
} // namespace isc

// The codes of a lost server connection: the network error and the codes of a broken attachment.
bool IsConnectionLostCode(long code);

// Called by the database layer for every error it raises: the codes of a broken attachment are
// kept (the first one) until told. The network error itself is left to the reporter: it is
// also what a connection that could not be made at all gives. Any thread.
void NoteDatabaseError(const EIBError& error);

// Whether a lost connection was noted and not told yet; and forgetting it (a new session).
bool ConnectionLossPending();
void ClearConnectionLoss();

// Shows the fatal text with the detail (error kind, OK), sets FatalDbError and asks the program
// to end. Nothing when FatalDbError is set already.
void EndOnFatalDbError(const QString& text, const QString& detail);

// The message of the lost server connection (in stand-alone mode with the note on data kept on
// the shared server), the detail being the engine's text; then as EndOnFatalDbError.
void TellConnectionLost(const QString& detail);

// Tells a pending lost connection (GUI thread); true when the program is ending, so that the
// caller shows nothing more.
bool ProgramEnding();

} // namespace core
