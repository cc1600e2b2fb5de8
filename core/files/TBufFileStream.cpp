#include "core/files/TBufFileStream.h"

#include "core/Exception.h"

#include <algorithm>
#include <cstring>

namespace core {

TBufFileStream::TBufFileStream(const QString& fileName, QIODevice::OpenMode mode, int bufferKiB)
    : file_(fileName), bufferSize_(std::clamp(bufferKiB, 1, 255) * 1024) {
    if (!file_.open(mode | QIODevice::Unbuffered))
        throw Exception(QStringLiteral("ファイル %1 を開けません。%2").arg(fileName, file_.errorString()));
    buffer_.resize(bufferSize_);
}

void TBufFileStream::dropBuffer() {
    readOffset_ = 0;
    validBytes_ = 0;
}

// Reads from the file into the buffer from byte at to its end; the number of bytes read.
qint64 TBufFileStream::fill(qint32 at) {
    const qint64 got = file_.read(buffer_.data() + at, bufferSize_ - at);
    return got > 0 ? got : 0;
}

qint64 TBufFileStream::Read(void* buffer, qint64 count) {
    if (count > bufferSize_)
        throw Exception(QStringLiteral("バッファの大きさを越えています。"));
    if (count <= 0)
        return 0;
    if (validBytes_ == 0) {
        readOffset_ = 0;
        validBytes_ = qint32(fill(0));
        if (validBytes_ == 0)
            return 0;
    }
    qint32 remaining = validBytes_ - readOffset_;
    if (remaining < count) {
        std::memmove(buffer_.data(), buffer_.constData() + readOffset_, size_t(remaining));
        readOffset_ = 0;
        validBytes_ = remaining + qint32(fill(remaining));
        remaining = validBytes_;
    }
    const qint32 delivered = qint32(std::min<qint64>(count, remaining));
    std::memcpy(buffer, buffer_.constData() + readOffset_, size_t(delivered));
    readOffset_ += delivered;
    position_ += delivered;
    return delivered;
}

qint64 TBufFileStream::Write(const void* buffer, qint64 count) {
    dropBuffer();
    if (!file_.seek(position_))
        return 0;
    const qint64 written = file_.write(static_cast<const char*>(buffer), count);
    if (written > 0)
        position_ += written;
    return std::max<qint64>(written, 0);
}

qint64 TBufFileStream::Seek(qint64 offset, Origin origin) {
    qint64 target = offset;
    if (origin == Origin::Current)
        target += position_;
    else if (origin == Origin::End)
        target += file_.size();
    if (target < 0 || !file_.seek(target))
        return -1;
    dropBuffer();
    position_ = target;
    return position_;
}

} // namespace core
