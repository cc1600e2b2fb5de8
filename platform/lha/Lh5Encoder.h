#pragma once
// The -lh5- compressor: LZSS over an 8 KiB window (matches of 3 to 256 bytes) whose literals,
// lengths and distances are written in blocks, each with its own static Huffman tables.

#include <QIODevice>

#include <cstdint>

namespace platform::lha {

// Compresses data[0, size) into `out`. Returns the number of bytes written, or -1 as soon as
// the output would exceed `limit` bytes or a write fails (what was written then is left to the
// caller to discard).
std::int64_t encodeLh5(const unsigned char* data, std::int64_t size, std::int64_t limit, QIODevice& out);

} // namespace platform::lha
