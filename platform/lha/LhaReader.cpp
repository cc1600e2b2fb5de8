#include "platform/lha/LhaReader.h"

#include <lha_decoder.h>

#include <QByteArray>

#include <algorithm>

namespace platform::lha {

namespace {

constexpr int kExtHeaderCrc = 0x00;
constexpr int kExtFileName = 0x01;
constexpr int kExtLargeSizes = 0x42;   // 64-bit sizes: files of 4 GiB or more

std::uint16_t u16(const QByteArray& b, qint64 at) {
    return std::uint16_t(std::uint8_t(b[at]) | (std::uint8_t(b[at + 1]) << 8));
}

std::uint32_t u32(const QByteArray& b, qint64 at) {
    return std::uint32_t(u16(b, at)) | (std::uint32_t(u16(b, at + 2)) << 16);
}

// A stored name is written into the target folder as it is: nothing that leaves the folder,
// names a folder or cannot be a file name.
bool isSafeFileName(const QByteArray& name) {
    if (name.isEmpty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '/' || c == '\\' || c == '\0' || std::uint8_t(c) == 0xFF; });
}

} // namespace

size_t LhaReader::readPacked(void* buf, size_t len, void* self) {
    auto* reader = static_cast<LhaReader*>(self);
    const qint64 wanted = std::min<qint64>(qint64(len), reader->dataLeft_);
    if (wanted <= 0)
        return 0;
    const qint64 got = reader->file_.read(static_cast<char*>(buf), wanted);
    if (got <= 0)
        return 0;
    reader->dataLeft_ -= got;
    return size_t(got);
}

LhaReader::LhaReader(const QString& archivePath) : file_(archivePath) {}

LhaReader::~LhaReader() = default;

bool LhaReader::open() {
    if (!file_.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("cannot open %1: %2").arg(file_.fileName(), file_.errorString());
        return false;
    }
    nextHeader_ = 0;
    return true;
}

bool LhaReader::damaged(const QString& text) {
    error_ = QStringLiteral("damaged archive %1: %2").arg(file_.fileName(), text);
    return false;
}

LhaReader::Next LhaReader::badHeader(const QString& text) {
    damaged(text);
    return Next::Damaged;
}

LhaReader::Next LhaReader::next(Member& member) {
    member = Member();
    if (!file_.seek(nextHeader_))
        return badHeader(QStringLiteral("cannot seek"));
    const QByteArray base = file_.read(kBaseHeaderSize);
    if (base.isEmpty())
        return badHeader(QStringLiteral("no end mark"));
    if (base[0] == 0)
        return Next::End;
    if (base.size() < kBaseHeaderSize)
        return badHeader(QStringLiteral("header cut short"));
    if (base[20] != 2)
        return badHeader(QStringLiteral("not a level-2 header"));

    const qint64 total = u16(base, 0);
    if (total < kBaseHeaderSize)
        return badHeader(QStringLiteral("header size"));
    const QByteArray header = base + file_.read(total - kBaseHeaderSize);
    if (header.size() != total)
        return badHeader(QStringLiteral("header cut short"));

    // Extended headers: type, data, size of the next; the size counts all three.
    qint64 crcAt = -1;
    bool hasName = false;
    qint64 at = kBaseHeaderSize;
    qint64 extSize = u16(header, 24);
    while (extSize != 0) {
        if (extSize < 3 || at + extSize > total)
            return badHeader(QStringLiteral("extended header size"));
        const int type = std::uint8_t(header[at]);
        const QByteArray payload = header.mid(at + 1, extSize - 3);
        if (type == kExtHeaderCrc && payload.size() >= 2)
            crcAt = at + 1;
        else if (type == kExtFileName) {
            member.fileName = payload;
            hasName = true;
        } else if (type == kExtLargeSizes)
            return badHeader(QStringLiteral("member of 4 GiB or more"));
        // Any other extended header (folder name, times, attributes) is not used.
        at += extSize;
        extSize = u16(header, at - 2);
    }
    if (total - at > 1)   // at most the padding byte
        return badHeader(QStringLiteral("header size"));
    if (crcAt < 0)
        return badHeader(QStringLiteral("no header CRC"));
    QByteArray zeroed = header;
    zeroed[crcAt] = 0;
    zeroed[crcAt + 1] = 0;
    if (crc16(zeroed.constData(), std::size_t(zeroed.size())) != u16(header, crcAt))
        return badHeader(QStringLiteral("header CRC"));

    member.method = header.mid(2, 5);
    member.packedSize = u32(header, 7);
    member.originalSize = u32(header, 11);
    member.unixTime = u32(header, 15);
    member.dataCrc = u16(header, 21);
    member.isDirectory = member.method == kMethodDirectory;
    member.dataOffset = nextHeader_ + total;
    if (!member.isDirectory) {
        if (member.method != kMethodLh0 && member.method != kMethodLh5)
            return badHeader(QStringLiteral("method %1").arg(QString::fromLatin1(member.method)));
        if (!hasName || !isSafeFileName(member.fileName))
            return badHeader(QStringLiteral("file name \"%1\"").arg(QFile::decodeName(member.fileName)));
    }
    if (member.dataOffset + member.packedSize > file_.size())
        return badHeader(QStringLiteral("data cut short"));
    nextHeader_ = member.dataOffset + member.packedSize;
    return Next::Member;
}

bool LhaReader::decode(const Member& member, const Sink& sink) {
    if (!file_.seek(member.dataOffset))
        return damaged(QStringLiteral("cannot seek"));
    dataLeft_ = member.packedSize;
    QByteArray method = member.method;
    LHADecoderType* type = lha_decoder_for_name(method.data());
    if (!type)
        return damaged(QStringLiteral("method %1").arg(QString::fromLatin1(member.method)));
    LHADecoder* decoder = lha_decoder_new(type, &LhaReader::readPacked, this, member.originalSize);
    if (!decoder)
        return damaged(QStringLiteral("no decoder"));

    std::uint16_t crc = 0;
    qint64 left = member.originalSize;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    bool sinkOk = true;
    while (left > 0 && sinkOk) {
        const size_t got = lha_decoder_read(decoder, reinterpret_cast<uint8_t*>(buffer.data()),
                                            size_t(std::min<qint64>(left, buffer.size())));
        if (got == 0)
            break;
        crc = crc16(buffer.constData(), got, crc);
        left -= qint64(got);
        sinkOk = sink(buffer.constData(), qint64(got));
    }
    lha_decoder_free(decoder);
    if (!sinkOk) {
        if (error_.isEmpty())
            error_ = QStringLiteral("cannot write the data of %1").arg(QFile::decodeName(member.fileName));
        return false;
    }
    if (left != 0)
        return damaged(QStringLiteral("data cut short"));
    if (crc != member.dataCrc)
        return damaged(QStringLiteral("data CRC"));
    return true;
}

} // namespace platform::lha
