#pragma once
// Reads our LHA archives member by member. Every header is checked (level 2, header CRC, a safe
// file name, sizes within the file) and every member's data decoded and checked against its
// length and CRC; the decoders are liblhasa's.

#include "platform/lha/LhaFormat.h"

#include <QFile>
#include <QString>

#include <cstddef>
#include <functional>

namespace platform::lha {

struct Member : MemberHeader {
    bool isDirectory = false;   // a folder entry, which has no data and is skipped
    qint64 dataOffset = 0;
};

class LhaReader {
public:
    enum class Next { Member, End, Damaged };
    using Sink = std::function<bool(const char* data, qint64 size)>;

    explicit LhaReader(const QString& archivePath);
    ~LhaReader();
    LhaReader(const LhaReader&) = delete;
    LhaReader& operator=(const LhaReader&) = delete;

    bool open();

    // The next member's header, the end of the archive (its 0 byte), or damage (see error()).
    Next next(Member& member);

    // Decodes the member's data into the sink (which returns false to stop); false when the data
    // are damaged or the sink stopped.
    bool decode(const Member& member, const Sink& sink);

    const QString& error() const { return error_; }

private:
    bool damaged(const QString& text);
    Next badHeader(const QString& text);
    // The decoder pulls the member's packed bytes through this.
    static size_t readPacked(void* buf, size_t len, void* self);

    QFile file_;
    qint64 nextHeader_ = 0;
    qint64 dataLeft_ = 0;
    QString error_;
};

} // namespace platform::lha
