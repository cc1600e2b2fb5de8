#include "core/files/FileZone.h"

#include "core/files/TBufFileStream.h"

#include "platform/Cp932.h"

#include <QFile>

#include <exception>

namespace core {

namespace {

bool isKeyByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// KEY=value with a key of letters, digits and "_" and a value without CR, LF or NUL.
bool isKeyValueLine(const QByteArray& line) {
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0)
        return false;
    for (qsizetype i = 0; i < equals; ++i)
        if (!isKeyByte(line[i]))
            return false;
    for (qsizetype i = equals + 1; i < line.size(); ++i)
        if (line[i] == '\r' || line[i] == '\n' || line[i] == '\0')
            return false;
    return true;
}

// The last kZoneSearchBytes of the file, read in 512-byte steps.
QByteArray readTail(const QString& fileName, qint64& tailStart) {
    TBufFileStream stream(fileName, QIODevice::ReadOnly, 16);
    tailStart = std::max<qint64>(0, stream.Size() - kZoneSearchBytes);
    if (stream.Seek(tailStart, TBufFileStream::Origin::Beginning) < 0)
        return {};
    QByteArray tail;
    char block[512];
    for (qint64 got; (got = stream.Read(block, sizeof block)) > 0;)
        tail.append(block, got);
    return tail;
}

} // namespace

qsizetype FindZoneInTail(const QByteArray& tail, const QByteArray& marker) {
    if (marker.isEmpty())
        return -1;
    qsizetype start = -1;
    qsizetype lineEnd = tail.size(); // just after the CR LF of the line looked at
    while (lineEnd >= 2 && tail[lineEnd - 2] == '\r' && tail[lineEnd - 1] == '\n') {
        const qsizetype contentEnd = lineEnd - 2;
        const qsizetype lf = contentEnd == 0 ? -1 : tail.lastIndexOf('\n', contentEnd - 1);
        const QByteArray line = tail.mid(lf + 1, contentEnd - (lf + 1));
        if (line.endsWith(marker))
            start = contentEnd - marker.size();
        if (lf < 0 || !isKeyValueLine(line))
            break;
        lineEnd = lf + 1;
    }
    return start;
}

qint64 FindTextInFile(const QString& fileName, const QString& marker, QString& zoneText) {
    zoneText.clear();
    try {
        const QByteArray markerBytes = platform::toCp932(marker);
        qint64 tailStart = 0;
        const QByteArray tail = readTail(fileName, tailStart);
        const qsizetype start = FindZoneInTail(tail, markerBytes);
        if (start < 0)
            return -1;
        zoneText = platform::fromCp932(tail.mid(start));
        return tailStart + start;
    } catch (const std::exception&) {
        return -1; // a file that cannot be read, or a marker CP932 cannot hold
    }
}

bool ReadFileZone(const QString& fileName, const QString& marker, QString& zoneText, bool cut) {
    const qint64 offset = FindTextInFile(fileName, marker, zoneText);
    if (offset < 0)
        return false;
    if (!cut || offset == 0)
        return true;
    return QFile::resize(fileName, offset);
}

} // namespace core
