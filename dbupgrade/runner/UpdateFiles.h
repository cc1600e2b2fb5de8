#pragma once
// Where the upgrade run keeps its files: the script and the tool's log in the work folder,
// the error logs in the log folder, the external step scripts in the sql folder, and the SQL
// tool itself.

#include "core/Globals.h"

#include <QString>
#include <QStringList>

namespace dbupgrade {

QString UpdateScriptFile(); // "qmvdataup.sql" in the work folder
QString UpdateLogFile();    // "qmvdataup.log" in the work folder
QString ErrDataupTxtFile(); // "ErrDataup.txt" in the log folder
QString ErrDataupLogFile(); // "ErrDataup.log" in the log folder

// The SQL tool: TAXLINK_ISQL when set; else "isql-fb" beside the program when it is there;
// else "isql-fb" on the system's command path (empty when there is none).
QString SqlToolProgram();

// The sub-folder of the sql folder for a step: its version digits without separators
// (11.0.1 gives "1101").
QString ExternalScriptFolder(const core::TVersionTriple& version);

// The non-empty lines of the step's external files, in list order. A missing file is
// skipped, or, with missingIsFatal, makes the result false (lines then empty). A file that
// exists but cannot be read counts as missing.
bool ReadExternalScripts(const core::TVersionTriple& version, const QStringList& fileNames, bool missingIsFatal,
                         QStringList& lines);

} // namespace dbupgrade
