#include "platform/lha/LhaWriter.h"

#include "platform/lha/Lh5Encoder.h"
#include "platform/lha/LhaFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace platform::lha {

namespace {

bool fail(QString* message, const QString& text) {
    if (message)
        *message = text;
    return false;
}

} // namespace

bool packFile(const QString& archivePath, const QString& filePath, QString* message) {
    const QFileInfo info(filePath);
    if (!info.isFile())
        return fail(message, QStringLiteral("file not found: %1").arg(filePath));
    const qint64 size = info.size();
    if (size >= (qint64(1) << 32))
        return fail(message, QStringLiteral("file of 4 GiB or more: %1").arg(filePath));

    QFile input(filePath);
    if (!input.open(QIODevice::ReadOnly))
        return fail(message, QStringLiteral("cannot read %1: %2").arg(filePath, input.errorString()));
    const uchar* data = nullptr;
    if (size > 0) {
        data = input.map(0, size);
        if (!data)
            return fail(message, QStringLiteral("cannot read %1: %2").arg(filePath, input.errorString()));
    }

    MemberHeader header;
    header.method = kMethodLh5;
    header.originalSize = std::uint32_t(size);
    header.unixTime = std::uint32_t(std::clamp<qint64>(info.lastModified().toSecsSinceEpoch(), 0, 0xFFFFFFFF));
    header.dataCrc = crc16(data, std::size_t(size));
    header.fileName = QFile::encodeName(info.fileName());

    QSaveFile output(archivePath);
    if (!output.open(QIODevice::WriteOnly))
        return fail(message, QStringLiteral("cannot write %1: %2").arg(archivePath, output.errorString()));
    // The header's length does not depend on the sizes, so a placeholder keeps its place.
    const qint64 dataStart = encodeHeader(header).size();
    if (!output.seek(dataStart))
        return fail(message, QStringLiteral("cannot write %1: %2").arg(archivePath, output.errorString()));

    // Compressed only when that makes it smaller; otherwise the bytes are stored as they are.
    std::int64_t packed = size > 0 ? encodeLh5(data, size, size - 1, output) : -1;
    if (packed < 0) {
        header.method = kMethodLh0;
        packed = size;
        if (!output.seek(dataStart) || !output.resize(dataStart) ||
            (size > 0 && output.write(reinterpret_cast<const char*>(data), size) != size))
            return fail(message, QStringLiteral("cannot write %1: %2").arg(archivePath, output.errorString()));
    }
    header.packedSize = std::uint32_t(packed);

    const QByteArray headerBytes = encodeHeader(header);
    const char endOfArchive = 0;
    if (output.write(&endOfArchive, 1) != 1 || !output.seek(0) || output.write(headerBytes) != headerBytes.size() ||
        !output.commit())
        return fail(message, QStringLiteral("cannot write %1: %2").arg(archivePath, output.errorString()));
    if (message)
        *message = QStringLiteral("%1 packed (%2, %3 → %4 bytes)")
                       .arg(info.fileName(), QString::fromLatin1(header.method))
                       .arg(size)
                       .arg(packed);
    return true;
}

} // namespace platform::lha
