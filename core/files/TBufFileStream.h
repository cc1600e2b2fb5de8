#pragma once
// A file stream with its own read-ahead buffer, for scanning large files in small steps
// without a system call per step. Positions are 64-bit: backups grow beyond 4 GiB.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

namespace core {

class TBufFileStream {
public:
    enum class Origin { Beginning, Current, End };

    // Opens the file in the given mode (QIODevice flags; ReadOnly to scan) and allocates a
    // buffer of bufferKiB × 1024 bytes, bufferKiB taken into 1..255. Raises core::Exception
    // when the file cannot be opened.
    TBufFileStream(const QString& fileName, QIODevice::OpenMode mode, int bufferKiB);
    TBufFileStream(const TBufFileStream&) = delete;
    TBufFileStream& operator=(const TBufFileStream&) = delete;

    // Delivers up to count bytes from the logical position (fewer at the end of the file, 0 at
    // the end). A count larger than the buffer raises core::Exception "バッファの大きさを越えています。".
    qint64 Read(void* buffer, qint64 count);
    // Writes at the logical position, straight to the file; the read-ahead is dropped.
    qint64 Write(const void* buffer, qint64 count);
    // Moves the logical position and drops the read-ahead. The new position, or -1 (nothing
    // changed) when it would lie before the start or the file refuses it.
    qint64 Seek(qint64 offset, Origin origin);

    qint64 Position() const { return position_; }
    qint64 Size() const { return file_.size(); }
    qint32 BufferSize() const { return bufferSize_; }

private:
    void dropBuffer();
    qint64 fill(qint32 at);

    QFile file_;
    QByteArray buffer_;
    qint32 bufferSize_ = 0;
    qint32 readOffset_ = 0;  // next byte to deliver
    qint32 validBytes_ = 0;  // bytes of the buffer read from the file
    qint64 position_ = 0;    // logical position in the file
};

} // namespace core
