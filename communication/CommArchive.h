#pragma once
// The communication archive: a backup packed by the LHA archiver and enciphered as a file, in
// the work folder "ComS" (send) or "ComR" (receive), and its journey to and from a numbered
// folder of the service's FTP server.

#include <QString>

#include <functional>

namespace communication {

struct TArchiveFiles {
    QString Folder; // work folder + "/ComS" or "/ComR"
    QString Backup; // "qmacc.fbk" / "cpacc.fbk" in it
    QString Lzh;    // "qmacc.lzh" / "cpacc.lzh"
    QString Wen;    // "qmacc.wen" / "cpacc.wen"; also the name on the server
    QString ServerName;
};

// cloud: the cloud-share names; receive: the ComR folder.
TArchiveFiles ArchiveFiles(bool cloud, bool receive);
// Deletes the three work files where they exist.
void DeleteWorkFiles(const TArchiveFiles& files);
// A file that exists and cannot be deleted gives false.
bool DeleteOld(const QString& file);
// The archive pass phrase: the program's prefix and the communication password.
QString ArchivePassPhrase(const QString& password);

enum class PutResult { Done, ConnectFailed, FolderMissing, TransferFailed, SizeMismatch };

// Puts the local file into the server folder ("/03") under the name, keeping the previous file
// as name + "bak" while the new one travels: after a size mismatch or a failure past the
// rename the partial file is deleted and the previous file renamed back (on a new connection
// when the old one broke); on success the "bak" file is deleted. pause runs after the put.
PutResult PutArchive(const QString& host, const QString& user, const QString& password, const QString& folder,
                     const QString& name, const QString& localFile, const std::function<void()>& pause);

enum class GetResult { Done, ConnectFailed, NoFile, TransferFailed };

// Fetches "/<folder>/<name>" into the local file; a server file that is missing or empty is NoFile.
GetResult GetArchive(const QString& host, const QString& user, const QString& password, const QString& path,
                     const QString& localFile);

} // namespace communication
