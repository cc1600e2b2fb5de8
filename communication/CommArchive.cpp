#include "communication/CommArchive.h"

#include "core/Globals.h"
#include "core/net/FtpSession.h"
#include "platform/FileCipher.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace communication {

using core::net::FtpSession;

TArchiveFiles ArchiveFiles(bool cloud, bool receive)
{
    TArchiveFiles f;
    f.Folder = core::SystemDef.WorkDir + (receive ? QStringLiteral("/ComR") : QStringLiteral("/ComS"));
    const QString stem = cloud ? QStringLiteral("cpacc") : QStringLiteral("qmacc");
    f.Backup = f.Folder + QLatin1Char('/') + stem + QStringLiteral(".fbk");
    f.Lzh = f.Folder + QLatin1Char('/') + stem + QStringLiteral(".lzh");
    f.Wen = f.Folder + QLatin1Char('/') + stem + QStringLiteral(".wen");
    f.ServerName = stem + QStringLiteral(".wen");
    return f;
}

void DeleteWorkFiles(const TArchiveFiles& files)
{
    for (const QString& file : {files.Backup, files.Lzh, files.Wen})
        QFile::remove(file);
}

bool DeleteOld(const QString& file)
{
    return !QFileInfo::exists(file) || QFile::remove(file);
}

QString ArchivePassPhrase(const QString& password)
{
    return QString::fromLatin1(platform::kPassPhrasePrefix) + password;
}

PutResult PutArchive(const QString& host, const QString& user, const QString& password, const QString& folder,
                     const QString& name, const QString& localFile, const std::function<void()>& pause)
{
    const QString path = folder + QLatin1Char('/') + name;
    const QString bak = path + QStringLiteral("bak");
    const qint64 localSize = QFileInfo(localFile).size();
    auto session = std::make_unique<FtpSession>(host, user, password);
    try {
        session->Connect();
    } catch (const std::exception&) {
        return PutResult::ConnectFailed;
    }
    try {
        session->CheckFolder(folder);
    } catch (const std::exception&) {
        return PutResult::FolderMissing;
    }
    bool renamed = false;
    bool putStarted = false;
    bool mismatch = false;
    try {
        if (session->Size(path) > 0) {
            session->Rename(path, bak);
            renamed = true;
        }
        putStarted = true;
        session->Put(localFile, path);
        if (pause)
            pause();
        if (session->Size(path) == localSize) {
            if (session->Size(bak) > 0)
                session->Delete(bak);
            return PutResult::Done;
        }
        mismatch = true;
    } catch (const std::exception&) {
    }
    // The new file did not arrive whole: take the partial one away and put the previous one back.
    if (putStarted) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                if (attempt == 1) {
                    session = std::make_unique<FtpSession>(host, user, password);
                    session->Connect();
                }
                if (session->Size(path) >= 0)
                    session->Delete(path);
                if (renamed && session->Size(bak) > 0)
                    session->Rename(bak, path);
                break;
            } catch (const std::exception&) {
            }
        }
    }
    return mismatch ? PutResult::SizeMismatch : PutResult::TransferFailed;
}

GetResult GetArchive(const QString& host, const QString& user, const QString& password, const QString& path,
                     const QString& localFile)
{
    FtpSession session(host, user, password);
    try {
        session.Connect();
    } catch (const std::exception&) {
        return GetResult::ConnectFailed;
    }
    try {
        if (session.Size(path) <= 0)
            return GetResult::NoFile;
        session.Get(path, localFile);
        return GetResult::Done;
    } catch (const std::exception&) {
        QFile::remove(localFile);
        return GetResult::TransferFailed;
    }
}

} // namespace communication
