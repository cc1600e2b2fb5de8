#pragma once
// Pasting a data set over an area without ever leaving the area half-copied: the copy is made
// beside the target under a work name that the server list skips, and it takes the target's
// place only once it is complete (the old contents set aside, the copy renamed into place, the
// old contents put back when that fails). A child area gets only the database file, copied
// under a temporary name and renamed over the old one. Used by the pastes of the shared-data
// selection and of the data selection.

#include <QString>

#include <functional>

namespace selection {

// The name of a copy: the source's name + "～コピー", cut to 40 CP932 bytes (a double-byte
// character cut in half becomes a blank) and trimmed of half- and full-width blanks.
QString CopyNameOf(const QString& entText);

struct TAreaCopySwap {
    // Copies "folder/*" into a folder; true when everything was copied. Default: the shell
    // copy (CopyFolderTree). Tests replace it to fail midway.
    std::function<bool(const QString& sourceFolder, const QString& targetFolder)> CopyTree;
    // Copies one file; default CopyFileTo.
    std::function<bool(const QString& sourceFile, const QString& targetFile)> CopyFile;

    TAreaCopySwap();

    // Everything of the source folder into the target area; false leaves the target as it was.
    bool CopyArea(const QString& source, const QString& target);
    // The source's database file over the target's (a child area); false leaves it as it was.
    bool CopyDatabaseFile(const QString& sourceFile, const QString& targetFile);
};

} // namespace selection
