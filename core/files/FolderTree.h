#pragma once
// Whole folders and single files: delete, copy, create. Paths are native; a Windows-shaped
// path on a mapped drive or share is taken as its mapped folder. Refusals and failures are
// reported to the user here (through the message service); callers only test the result.

#include <QString>

namespace core {

// Deletes a folder with everything in it, or a single file. Refuses (with the message
// "ルート・システムディレクトリは、削除できません。<%s> ") what IsNotRootOrSystemDir refuses.
// Symbolic links are never followed: a link inside the tree, or the path itself when it is a
// link, is removed as a link and what it points to stays. allowUndo moves the entry to the
// trash instead. showErrors: a failure is shown as an error message. True when the entry is
// gone.
bool DeleteFolderTree(const QString& path, bool allowUndo, bool showErrors);

// Copies as the shell's copy does, overwriting without asking and creating folders:
// - "folder/*" copies what the folder holds into the target folder;
// - a folder or file copied onto an existing folder goes into it under its own name;
// - otherwise the source is copied under the target's name.
// Symbolic links are copied as links. Both paths must pass IsNotRootOrSystemDir (else the
// message "指定ディレクトリ[%s->%s]の複写・移動はできません。 "); a folder is never copied
// into itself. Failures are shown as an error message. True when everything was copied.
bool CopyFolderTree(const QString& source, const QString& target);

// Copies one file, replacing the target only once the copy is complete.
bool CopyFileTo(const QString& source, const QString& target);

// True when the folder exists or was created with every missing parent. A bare drive ("C:",
// "C:\") is never created and gives false.
bool ForceFolder(const QString& path);

} // namespace core
