#pragma once
// Putting a finished file in the place of an old one in one step. A backup or a restore first
// writes a new file beside its target; only once that file is complete does it take the
// target's place, by a rename over it, so that a failure at any point leaves the old backup
// or database whole.
//
// Which file system: a database reached through the local engine (the embedded engine of this
// process) lies in this machine's file system; one reached through a server (TCP) lies in the
// server's, where this program acts only through the server routines of our Firebird plugin.

#include <QString>
#include <QStringList>

namespace core {

// "<target>.<8 hex digits>.new": a name beside the target that no other run uses.
QString scratchNameBeside(const QString& target);

// Local file system. Renames source over target (replacing it in one step). Across file
// systems the source is first copied beside the target under a scratch name, then renamed
// over it, and the source is deleted. False when the file could not be put in place: the
// target is then untouched and the source kept.
bool replaceLocalFile(const QString& source, const QString& target);

// Local file system. The restored database takes the place of target, which nobody may have
// open: Firebird holds an exclusive lock (flock) on every database file it has open, in any
// process of this machine (a server, another program, the embedded engine of this one), so
// the lock that we get on target proves that nobody is attached; it is held through the
// rename. Raises core::Exception when target is in use or the rename fails.
void swapLocalDatabase(const QString& restored, const QString& target);

// Where the server routines run: the server and the system database on it, reached with the
// session's user and password.
struct ServerRoutines {
    QString host;
    QString systemDatabase; // the path on the server
    QStringList params;     // "user_name=", "password="
};

// Server file system. Renames source over target through the server routine FILERENAME of
// the system database. False when the server refused or the rename failed (target untouched);
// EIBError on a database error.
bool replaceServerFile(const ServerRoutines& server, const QString& source, const QString& target);

// Server file system. The restored database takes the place of target once the server has
// neither file open (its list of open databases), by a rename on the server. Raises
// core::Exception when one of them is in use or the rename fails, EIBError on a database
// error.
void swapServerDatabase(const ServerRoutines& server, const QString& restored, const QString& target);

// Removes a scratch database that a failed restore left: dropped through the engine that made
// it (host empty: the local engine), and locally the file deleted when the drop could not
// take it. Never raises: the failure it follows is what the caller reports.
void discardScratchDatabase(const QString& host, const QStringList& params, const QString& scratch);

inline const QString kRestoreTargetInUse = QStringLiteral("リストア先のデータベース「%1」は使用中です。");
inline const QString kRenameFailed = QStringLiteral("ファイル「%1」を「%2」に置き換えられませんでした。");

} // namespace core
