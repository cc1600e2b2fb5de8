#include "core/db/FbBlob.h"

#include "core/db/FbStatus.h"

#include <algorithm>

namespace core {

namespace {
constexpr unsigned segmentSize = 32768; // below the 64 KiB limit of one segment
}

QByteArray readBlob(Firebird::ThrowStatusWrapper* st, Firebird::IAttachment* attachment,
                    Firebird::ITransaction* transaction, ISC_QUAD id) {
    FbRef<Firebird::IBlob> blob(attachment->openBlob(st, transaction, &id, 0, nullptr));
    QByteArray bytes;
    char buffer[segmentSize];
    for (;;) {
        unsigned length = 0;
        const int result = blob->getSegment(st, sizeof buffer, buffer, &length);
        if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT)
            break;
        bytes.append(buffer, qsizetype(length));
    }
    blob->close(st); // releases the blob on success
    blob.take();
    return bytes;
}

ISC_QUAD writeBlob(Firebird::ThrowStatusWrapper* st, Firebird::IAttachment* attachment,
                   Firebird::ITransaction* transaction, const QByteArray& bytes) {
    ISC_QUAD id{};
    FbRef<Firebird::IBlob> blob(attachment->createBlob(st, transaction, &id, 0, nullptr));
    for (qsizetype at = 0; at < bytes.size(); at += segmentSize) {
        const auto length = unsigned(std::min<qsizetype>(segmentSize, bytes.size() - at));
        blob->putSegment(st, length, bytes.constData() + at);
    }
    blob->close(st);
    blob.take();
    return id;
}

} // namespace core
