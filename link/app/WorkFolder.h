#pragma once
// The session's work folder: a folder of the user's own (mode 0700) under the temporary
// folder, not the shared temporary folder itself, since it holds the chosen data set's
// settings file.

#include <QString>

namespace taxlink {

// <TEMP or TMPDIR, else /tmp>/taxlink-<uid>, created with mode 0700. Empty when it cannot be
// made or when something that is not our own folder stands under that name.
QString PrivateWorkFolder();

} // namespace taxlink
