#include "platform/lha/LhaFormat.h"

#include <array>

namespace platform::lha {

namespace {

std::array<std::uint16_t, 256> makeCrcTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t c = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? static_cast<std::uint16_t>((c >> 1) ^ 0xA001) : static_cast<std::uint16_t>(c >> 1);
        table[i] = c;
    }
    return table;
}

void putU16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void putU32(QByteArray& out, std::uint32_t v) {
    putU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    putU16(out, static_cast<std::uint16_t>(v >> 16));
}

void setU16(QByteArray& out, int at, std::uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

} // namespace

std::uint16_t crc16(const void* data, std::size_t size, std::uint16_t crc) {
    static const auto table = makeCrcTable();
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ table[(crc ^ p[i]) & 0xFF]);
    return crc;
}

QByteArray encodeHeader(const MemberHeader& header) {
    constexpr int kCrcExtSize = 5;                       // type, CRC, size of the next
    const int nameExtSize = 3 + int(header.fileName.size()); // type, name, size of the next
    int total = kBaseHeaderSize + kCrcExtSize + nameExtSize;
    // A header whose size has a low byte of 0 would read as the end of the archive: pad it.
    const bool pad = (total & 0xFF) == 0;
    if (pad)
        ++total;

    QByteArray out;
    out.reserve(total);
    putU16(out, static_cast<std::uint16_t>(total));
    out.append(header.method.left(5));
    putU32(out, header.packedSize);
    putU32(out, header.originalSize);
    putU32(out, header.unixTime);
    out.append('\x20');                                  // attribute: archive
    out.append('\x02');                                  // header level
    putU16(out, header.dataCrc);
    out.append('U');                                     // written on Unix
    putU16(out, kCrcExtSize);

    const int crcField = int(out.size()) + 1;
    out.append('\x00');
    putU16(out, 0);
    putU16(out, static_cast<std::uint16_t>(nameExtSize));

    out.append('\x01');
    out.append(header.fileName);
    putU16(out, 0);
    if (pad)
        out.append('\x00');

    setU16(out, crcField, crc16(out.constData(), std::size_t(out.size())));
    return out;
}

} // namespace platform::lha
