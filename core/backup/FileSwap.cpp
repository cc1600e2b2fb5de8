#include "core/backup/FileSwap.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBServices.h"
#include "core/fileops/ServerRename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace core {

namespace {

// A file descriptor closed at scope end.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The new file's data reaches the disk before its name replaces the old file, so that a
// crash right after the rename cannot leave an empty file in the old one's place.
void flushToDisk(const QString& path) {
    Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

bool renameOver(const QString& source, const QString& target) {
    return std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0;
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString scratchNameBeside(const QString& target) {
    return target + QStringLiteral(".%1.new").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

bool replaceLocalFile(const QString& source, const QString& target) {
    flushToDisk(source);
    if (renameOver(source, target))
        return true;
    if (errno != EXDEV)
        return false;
    // Another file system: the copy is completed beside the target before it replaces it.
    const QString scratch = scratchNameBeside(target);
    if (!QFile::copy(source, scratch)) {
        QFile::remove(scratch);
        return false;
    }
    flushToDisk(scratch);
    if (!renameOver(scratch, target)) {
        QFile::remove(scratch);
        return false;
    }
    QFile::remove(source);
    return true;
}

void swapLocalDatabase(const QString& restored, const QString& target) {
    Descriptor fd(::open(QFile::encodeName(target).constData(), O_RDONLY | O_CLOEXEC));
    const int openError = errno;
    if (fd.get() < 0 && openError != ENOENT)
        throw Exception(kRenameFailed.arg(restored, target) + QLatin1Char('\r') + systemError(openError));
    if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        throw Exception(kRestoreTargetInUse.arg(target));
    flushToDisk(restored);
    if (!renameOver(restored, target)) {
        const int renameError = errno;
        throw Exception(kRenameFailed.arg(restored, target) + QLatin1Char('\r') + systemError(renameError));
    }
}

bool replaceServerFile(const ServerRoutines& server, const QString& source, const QString& target) {
    TIBDatabase db;
    db.setLoginPrompt(false);
    db.setSQLDialect(3);
    db.setDatabaseName(server.host + QLatin1Char(':') + server.systemDatabase);
    db.params() = server.params;
    db.params() << QStringLiteral("lc_ctype=SJIS_0208");
    db.open();
    const bool renamed = ServerRenameFile(db, source, target);
    db.close();
    return renamed;
}

void swapServerDatabase(const ServerRoutines& server, const QString& restored, const QString& target) {
    TIBServerProperties properties;
    properties.setLoginPrompt(false);
    properties.setProtocol(Protocol::TCP);
    properties.setServerName(server.host);
    properties.params() = server.params;
    properties.attach();
    const TDatabaseInfo info = properties.fetchDatabaseInfo();
    properties.detach();
    // The server names its files as it sees them; this machine cannot resolve them, so the
    // names are compared after lexical normalisation.
    for (const QString& open : info.dbName)
        for (const QString& file : {target, restored})
            if (QDir::cleanPath(open) == QDir::cleanPath(file))
                throw Exception(kRestoreTargetInUse.arg(file));
    if (!replaceServerFile(server, restored, target))
        throw Exception(kRenameFailed.arg(restored, target));
}

void discardScratchDatabase(const QString& host, const QStringList& params, const QString& scratch) {
    try {
        TIBDatabase db;
        db.setLoginPrompt(false);
        db.setDatabaseName(host.isEmpty() ? scratch : host + QLatin1Char(':') + scratch);
        db.params() = params;
        db.open();
        db.dropDatabase();
    } catch (const EIBError&) {
        // Nothing there, or not a database any more.
    }
    if (host.isEmpty() && QFileInfo::exists(scratch))
        QFile::remove(scratch);
}

} // namespace core
