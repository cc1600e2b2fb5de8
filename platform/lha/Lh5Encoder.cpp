#include "platform/lha/Lh5Encoder.h"

#include <algorithm>
#include <array>
#include <queue>
#include <vector>

namespace platform::lha {

namespace {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
constexpr std::int64_t kMaxDistance = 8191;   // within the decoder's 8 KiB ring
constexpr int kCodeCount = 256 + kMaxMatch - kMinMatch + 1; // literals, then lengths: 510
constexpr int kOffsetCodeCount = 14;          // bit lengths 0..13 of distance − 1
constexpr int kTempCodeCount = 19;            // 0..2 zero runs, 3..18 code lengths 1..16
constexpr int kMaxCodeLength = 16;
constexpr std::size_t kBlockTokens = 32768;   // the block header counts tokens in 16 bits
constexpr int kHashBits = 15;
constexpr int kMaxChain = 128;

// Bits, most significant first, gathered into bytes and flushed to the device in chunks.
class BitWriter {
public:
    BitWriter(QIODevice& out, std::int64_t limit) : out_(out), limit_(limit) {}

    void put(int count, std::uint32_t value) {
        acc_ = (acc_ << count) | (value & ((1u << count) - 1));
        bits_ += count;
        while (bits_ >= 8) {
            bits_ -= 8;
            buffer_.append(static_cast<char>((acc_ >> bits_) & 0xFF));
        }
        acc_ &= (1u << bits_) - 1;
        if (buffer_.size() >= 65536)
            flush();
    }

    // Pads the last byte with zero bits and writes everything out.
    void finish() {
        if (bits_ > 0)
            put(8 - bits_, 0);
        flush();
    }

    bool failed() const { return failed_; }
    std::int64_t written() const { return written_; }

private:
    void flush() {
        if (failed_ || buffer_.isEmpty())
            return;
        if (written_ + buffer_.size() > limit_ || out_.write(buffer_) != buffer_.size())
            failed_ = true;
        written_ += buffer_.size();
        buffer_.clear();
    }

    QIODevice& out_;
    std::int64_t limit_;
    QByteArray buffer_;
    std::uint32_t acc_ = 0;   // fewer than 8 pending bits between calls
    int bits_ = 0;
    std::int64_t written_ = 0;
    bool failed_ = false;
};

// Huffman code lengths for the frequencies, none longer than kMaxCodeLength. Symbols that do not
// occur get length 0; with fewer than two symbols every length is 0 (the caller writes such a
// table in its one-symbol form).
std::vector<std::uint8_t> codeLengths(std::vector<std::uint32_t> freq) {
    const int n = int(freq.size());
    std::vector<std::uint8_t> lengths(n, 0);
    if (std::count_if(freq.begin(), freq.end(), [](std::uint32_t f) { return f > 0; }) < 2)
        return lengths;
    for (;;) {
        // Nodes 0..n-1 are the symbols, the rest are joined pairs; parent[] gives each depth.
        std::vector<int> parent(2 * n, -1);
        using Item = std::pair<std::uint64_t, int>;
        std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
        for (int s = 0; s < n; ++s)
            if (freq[s] > 0)
                queue.push({freq[s], s});
        int next = n;
        while (queue.size() > 1) {
            const Item a = queue.top();
            queue.pop();
            const Item b = queue.top();
            queue.pop();
            parent[a.second] = next;
            parent[b.second] = next;
            queue.push({a.first + b.first, next++});
        }
        int longest = 0;
        for (int s = 0; s < n; ++s) {
            if (freq[s] == 0)
                continue;
            int depth = 0;
            for (int node = s; parent[node] >= 0; node = parent[node])
                ++depth;
            lengths[s] = static_cast<std::uint8_t>(depth);
            longest = std::max(longest, depth);
        }
        if (longest <= kMaxCodeLength)
            return lengths;
        // Too deep: flatten the frequencies and build again.
        for (auto& f : freq)
            if (f > 0)
                f = std::max<std::uint32_t>(1, f / 2);
    }
}

// Canonical codes: shorter codes first, equal lengths in symbol order (as the decoder builds its tree).
std::vector<std::uint16_t> canonicalCodes(const std::vector<std::uint8_t>& lengths) {
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    std::uint32_t code = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        for (std::size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s] == len)
                codes[s] = static_cast<std::uint16_t>(code++);
        code <<= 1;
    }
    return codes;
}

// One Huffman table as it is used while writing: a table with a single symbol costs no bits.
struct Table {
    std::vector<std::uint8_t> lengths;
    std::vector<std::uint16_t> codes;
    int single = -1;   // the only symbol, when exactly one occurs (or none: then 0)
    bool isSingle() const { return single >= 0; }

    static Table build(const std::vector<std::uint32_t>& freq) {
        Table t;
        t.lengths = codeLengths(freq);
        t.codes = canonicalCodes(t.lengths);
        const int used = int(std::count_if(freq.begin(), freq.end(), [](std::uint32_t f) { return f > 0; }));
        if (used < 2) {
            const auto it = std::find_if(freq.begin(), freq.end(), [](std::uint32_t f) { return f > 0; });
            t.single = it == freq.end() ? 0 : int(it - freq.begin());
        }
        return t;
    }

    void put(BitWriter& w, int symbol) const {
        if (!isSingle())
            w.put(lengths[symbol], codes[symbol]);
    }

    // Lengths written: up to the last symbol that occurs.
    int lengthCount() const {
        int last = int(lengths.size());
        while (last > 0 && lengths[last - 1] == 0)
            --last;
        return last;
    }
};

int bitLength(std::uint32_t v) {
    int bits = 0;
    while (v) {
        ++bits;
        v >>= 1;
    }
    return bits;
}

// A code length in the tables of the temporary and distance codes: 3 bits, 7 extended in unary.
void putLengthValue(BitWriter& w, int len) {
    if (len < 7) {
        w.put(3, std::uint32_t(len));
        return;
    }
    w.put(3, 7);
    for (int i = 7; i < len; ++i)
        w.put(1, 1);
    w.put(1, 0);
}

// Walks the code lengths the way they are written: a length (symbol len + 2) or a run of zeros.
template <typename Symbol, typename Extra>
void forEachCodeLengthItem(const std::vector<std::uint8_t>& lengths, int count, Symbol symbol, Extra extra) {
    for (int i = 0; i < count;) {
        if (lengths[i] != 0) {
            symbol(lengths[i] + 2);
            ++i;
            continue;
        }
        int run = 0;
        while (i + run < count && lengths[i + run] == 0)
            ++run;
        i += run;
        if (run <= 2) {
            for (int k = 0; k < run; ++k)
                symbol(0);
        } else if (run <= 18) {
            symbol(1);
            extra(4, run - 3);
        } else if (run == 19) {
            symbol(0);
            symbol(1);
            extra(4, 15);
        } else {
            symbol(2);
            extra(9, run - 20);
        }
    }
}

struct Token {
    std::uint16_t code;     // < 256 literal, else 256 + length − 3
    std::uint16_t offset;   // distance − 1 for a match
};

void writeBlock(BitWriter& w, const std::vector<Token>& tokens) {
    std::vector<std::uint32_t> codeFreq(kCodeCount, 0), offsetFreq(kOffsetCodeCount, 0);
    for (const Token& t : tokens) {
        ++codeFreq[t.code];
        if (t.code >= 256)
            ++offsetFreq[bitLength(t.offset)];
    }
    const Table codes = Table::build(codeFreq);
    const Table offsets = Table::build(offsetFreq);

    w.put(16, std::uint32_t(tokens.size()));

    if (codes.isSingle()) {
        w.put(5, 0);
        w.put(5, 0);
        w.put(9, 0);
        w.put(9, std::uint32_t(codes.single));
    } else {
        const int codeCount = codes.lengthCount();
        std::vector<std::uint32_t> tempFreq(kTempCodeCount, 0);
        forEachCodeLengthItem(codes.lengths, codeCount, [&](int s) { ++tempFreq[s]; }, [](int, int) {});
        const Table temp = Table::build(tempFreq);
        if (temp.isSingle()) {
            w.put(5, 0);
            w.put(5, std::uint32_t(temp.single));
        } else {
            const int tempCount = temp.lengthCount();
            w.put(5, std::uint32_t(tempCount));
            for (int i = 0; i < tempCount; ++i) {
                putLengthValue(w, temp.lengths[i]);
                if (i == 2) {
                    // Up to three zero lengths after the third may be skipped in two bits.
                    int skip = 0;
                    while (skip < 3 && i + 1 + skip < tempCount && temp.lengths[i + 1 + skip] == 0)
                        ++skip;
                    w.put(2, std::uint32_t(skip));
                    i += skip;
                }
            }
        }
        w.put(9, std::uint32_t(codeCount));
        forEachCodeLengthItem(codes.lengths, codeCount, [&](int s) { temp.put(w, s); },
                              [&](int bits, int value) { w.put(bits, std::uint32_t(value)); });
    }

    if (offsets.isSingle()) {
        w.put(4, 0);
        w.put(4, std::uint32_t(offsets.single));
    } else {
        const int offsetCount = offsets.lengthCount();
        w.put(4, std::uint32_t(offsetCount));
        for (int i = 0; i < offsetCount; ++i)
            putLengthValue(w, offsets.lengths[i]);
    }

    for (const Token& t : tokens) {
        codes.put(w, t.code);
        if (t.code < 256)
            continue;
        const int bits = bitLength(t.offset);
        offsets.put(w, bits);
        if (bits > 1)
            w.put(bits - 1, t.offset - (1u << (bits - 1)));
    }
}

// Longest earlier match within the window, found through chains of positions with equal 3-byte hashes.
class MatchFinder {
public:
    MatchFinder(const unsigned char* data, std::int64_t size)
        : data_(data), size_(size), head_(std::size_t(1) << kHashBits, -1), prev_(kMaxDistance + 1, -1) {}

    void insert(std::int64_t pos) {
        if (pos + kMinMatch > size_)
            return;
        const std::uint32_t h = hash(pos);
        prev_[std::size_t(pos & kMaxDistance)] = head_[h];
        head_[h] = pos;
    }

    // Length (0 when below the minimum) and distance of the best match at pos.
    std::pair<int, std::int64_t> find(std::int64_t pos) const {
        const int limit = int(std::min<std::int64_t>(kMaxMatch, size_ - pos));
        if (limit < kMinMatch)
            return {0, 0};
        int bestLen = 0;
        std::int64_t bestDist = 0;
        std::int64_t cand = head_[hash(pos)];
        for (int chain = 0; cand >= 0 && pos - cand <= kMaxDistance && chain < kMaxChain; ++chain) {
            if (data_[cand + bestLen] == data_[pos + bestLen]) {
                int len = 0;
                while (len < limit && data_[cand + len] == data_[pos + len])
                    ++len;
                if (len > bestLen) {
                    bestLen = len;
                    bestDist = pos - cand;
                    if (len == limit)
                        break;
                }
            }
            cand = prev_[std::size_t(cand & kMaxDistance)];
        }
        return bestLen >= kMinMatch ? std::pair<int, std::int64_t>{bestLen, bestDist} : std::pair<int, std::int64_t>{0, 0};
    }

private:
    std::uint32_t hash(std::int64_t pos) const {
        return ((std::uint32_t(data_[pos]) << 10) ^ (std::uint32_t(data_[pos + 1]) << 5) ^ data_[pos + 2]) &
               ((1u << kHashBits) - 1);
    }

    const unsigned char* data_;
    std::int64_t size_;
    std::vector<std::int64_t> head_;
    std::vector<std::int64_t> prev_;
};

} // namespace

std::int64_t encodeLh5(const unsigned char* data, std::int64_t size, std::int64_t limit, QIODevice& out) {
    BitWriter writer(out, limit);
    MatchFinder finder(data, size);
    std::vector<Token> tokens;
    tokens.reserve(kBlockTokens);

    std::int64_t pos = 0;
    while (pos < size) {
        const auto [len, dist] = finder.find(pos);
        if (len >= kMinMatch) {
            tokens.push_back({std::uint16_t(256 + len - kMinMatch), std::uint16_t(dist - 1)});
            for (int i = 0; i < len; ++i)
                finder.insert(pos + i);
            pos += len;
        } else {
            tokens.push_back({data[pos], 0});
            finder.insert(pos);
            ++pos;
        }
        if (tokens.size() == kBlockTokens || pos == size) {
            writeBlock(writer, tokens);
            tokens.clear();
            if (writer.failed())
                return -1;
        }
    }
    writer.finish();
    return writer.failed() ? -1 : writer.written();
}

} // namespace platform::lha
