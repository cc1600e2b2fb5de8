#pragma once
// The session's work folder on the server, where a client/server copy, save or restore
// keeps its backup file while the server-side worker runs.
#include <QString>

namespace selection {

// The server's temporary folder (by the shape of the system folder, as the login sets it)
// + "/" + the session code; kept in the session's ServerWorkDir once made.
QString ServerWorkFolder();

} // namespace selection
