#pragma once
// Shared pieces of our LHA archive format: the CRC-16 of headers and data and the level-2
// member header. One member per archive, followed by a 0 byte that ends the archive.

#include <QByteArray>

#include <cstdint>

namespace platform::lha {

// CRC-16 with the reflected polynomial 0xA001, starting at 0; `crc` continues an earlier run.
std::uint16_t crc16(const void* data, std::size_t size, std::uint16_t crc = 0);

inline constexpr char kMethodLh0[] = "-lh0-";
inline constexpr char kMethodLh5[] = "-lh5-";
inline constexpr char kMethodDirectory[] = "-lhd-";

// Length of the fixed part of a level-2 header.
inline constexpr int kBaseHeaderSize = 26;

struct MemberHeader {
    QByteArray method;              // five characters, "-lh5-" …
    std::uint32_t packedSize = 0;
    std::uint32_t originalSize = 0;
    std::uint32_t unixTime = 0;
    std::uint16_t dataCrc = 0;
    QByteArray fileName;            // as stored, without a folder
};

// The complete level-2 header: fixed part, header CRC and file name extended headers.
QByteArray encodeHeader(const MemberHeader& header);

} // namespace platform::lha
