#pragma once
// Where the user may save. On Windows the rule refuses the root of the system drive while
// User Account Control is on, since a program without elevation cannot write there, and
// offered the Documents folder instead. The Linux meaning of the same rule: a folder this user
// may not write to (for a folder that does not exist yet, the nearest existing folder above it,
// where it would be created) is refused with the same question. An installation whose registry
// file sets "EnableLUA" to 1 also keeps the Windows rule for the system drive's root, which
// matters when the program runs as root and may write everywhere.

#include <QString>

namespace core {

// The folder that stands for the root of the drive holding the Windows system folder: the
// folder of the drive letter that the drive map gives to the system folder (GetSystemDir),
// else "/", the root file system that holds it.
QString SystemDriveRoot();

// True when a file may be saved in the folder by the rule above (uacOn: "EnableLUA" is 1).
bool CanSaveInFolder(const QString& folder, bool uacOn);

// Asks "この場所に保存するアクセス許可がありません。…［ドキュメント］フォルダに保存しますか？"
// (warning, Yes/No); true for Yes.
bool AskSaveInDocuments();

// A folder where saving is allowed comes back with a trailing "/" and gives true. Otherwise
// the user is asked: No gives false and leaves the folder; Yes gives true and the Documents
// folder (GetMyDocumentsDir, without a trailing "/"). An empty folder (a bare file name saves
// in the current folder) is left as it is and gives true: with a "/" added it would become the
// root folder.
bool CheckSaveFolder(QString& folder);

// CheckSaveFolder on the folder of the path; on true the path becomes that folder and the
// file name joined by one "/"; on false the path is unchanged. A bare file name gives true
// unchanged.
bool CheckSaveFilePath(QString& path);

} // namespace core
