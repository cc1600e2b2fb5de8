#pragma once
// The data module's file and folder operations with a location mode (the session's
// ConnectMode): mode 0 acts on the local file system; modes 1 and 2 ask the database server to
// act, through the file routines of the system database (our UDR plugin on the server), since
// the program has no file access of its own there; any other mode gives false (or an empty
// name) and touches nothing.
//
// Names are compared as the file system does: exactly, case included.

#include <QString>

namespace core {

class TDM;

// What a file test found. Unknown: the test was refused or failed (and was reported); the file
// may well be there, so nothing may be done that only a missing file would justify.
enum class FileState { Present, Absent, Unknown };

namespace fileops {

// Whether the folder exists.
bool DExist(TDM& dm, const QString& path, int mode);
// Creates the folder with every missing parent (true when it exists afterwards).
bool MkDir(TDM& dm, const QString& path, int mode);
// Deletes the folder with its contents; locally allowUndo moves it to the trash instead.
bool RmDir(TDM& dm, const QString& path, int mode, bool allowUndo);
// Whether the file exists (a plain file; links followed): FExistState is Present.
bool FExist(TDM& dm, const QString& path, int mode);
// The file test with its third answer: Unknown, after an error message, when the file system
// (mode 0) or the server could not tell, the server refused the path or the call failed;
// Unknown without a message for an empty path; Absent for a mode without files (not 0 to 2).
FileState FExistState(TDM& dm, const QString& path, int mode);
// Deletes the file; locally allowUndo moves it to the trash instead.
bool FDel(TDM& dm, const QString& path, int mode, bool allowUndo);
// Moves the file. Locally a plain rename, which fails when the target exists or lies on
// another file system; on the server a copy and, once it succeeded, the delete of the source.
bool FMove(TDM& dm, const QString& source, const QString& target, int mode);
// Copies the file (locally also a folder tree; see CopyFolderTree).
bool FCopy(TDM& dm, const QString& source, const QString& target, int mode);
// The short form of the path. There are no short names here: locally the path itself, on the
// server what the server answers (the path itself); empty for any other mode.
QString LongToShortFileName(TDM& dm, const QString& path, int mode);

// One server file operation through the system database (connected for the call when it is
// not, and closed again): "FExist", "FCopy", "FDel" through FILEOPERATION, "DExist", "MkDir",
// "RmDir" through DIRECTORYTEST, the word sent upper-cased. False for any other word, an empty
// path (path2 of "FCopy" too), a refusal of the server, and a failure, which is reported.
bool ServerFileOperation(TDM& dm, const QString& operation, const QString& path1, const QString& path2 = QString());

// The server's file test through FILEOPERATION "FEXIST" (answers 1 file, 0 none, -1 path
// refused, -2 test failed). A refusal, a failure or a failed call is reported and gives
// Unknown; so does an empty path.
FileState ServerFileState(TDM& dm, const QString& path);

// The server's short form of a path through LONGTOSHORTFILENAME; empty for an empty name and on
// a failure, which is reported.
QString ServerLongToShortFileName(TDM& dm, const QString& longName);

} // namespace fileops
} // namespace core
