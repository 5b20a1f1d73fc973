// Fuzzes the parallel bzip2 decoder against the serial one: both must hand out the same bytes in the
// same reads and end in the same fault.  The first byte chooses the input: the rest taken as a
// compressed stream as it is, or a sound multi-block stream built from the rest and then damaged
// as the following bytes say (bits flipped, markers planted, cut short, bytes appended).
#include "payload/bzip2_block_scanner.h"
#include "payload/bzip2_parallel_decompressor.h"
#include "payload/bzip2_stream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct outcome {
    std::vector<std::size_t> reads;
    std::string bytes;
    int error = 0;
    bool operator==(const outcome&) const = default;
};

template <typename Decoder>
outcome drain(Decoder& decoder, std::size_t chunk) {
    outcome o;
    std::vector<std::byte> buffer(chunk);
    try {
        while (std::size_t n = decoder.read(buffer)) {
            o.reads.push_back(n);
            o.bytes.append(reinterpret_cast<const char*>(buffer.data()), n);
        }
    } catch (const payload::bzip2_error& e) {
        o.error = e.error();
    }
    return o;
}

// A little over two level-1 blocks of words and runs, drawn from the fuzzer's bytes.
std::string sound_stream(const std::uint8_t* data, std::size_t size) {
    std::string raw;
    std::uint32_t state = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) state = (state ^ data[i]) * 16777619u;
    while (raw.size() < 230000) {
        state = state * 1103515245u + 12345u;
        const std::uint8_t pick = size ? data[(state >> 8) % size] : 0;
        if (state & 0x10000)
            raw.append(1 + (state >> 24) % 50, static_cast<char>(pick));
        else
            raw.push_back(static_cast<char>(pick ^ (state >> 16)));
    }
    std::ostringstream out;
    payload::bzip2_compressor c(out, 1);
    c.write(std::span(reinterpret_cast<const std::byte*>(raw.data()), raw.size()));
    c.finish();
    return out.str();
}

void put_bits(std::string& s, std::uint64_t bit, std::uint64_t value, unsigned count) {
    for (unsigned i = 0; i < count && (bit + i) / 8 < s.size(); ++i) {
        const std::uint64_t at = bit + i;
        const auto mask = static_cast<char>(0x80 >> (at % 8));
        s[at / 8] = static_cast<char>(((value >> (count - 1 - i)) & 1) ? s[at / 8] | mask : s[at / 8] & ~mask);
    }
}

// Up to four damages, five bytes each: what, and where as a fraction of the stream.
std::string damaged(std::string s, const std::uint8_t* ops, std::size_t size) {
    for (std::size_t i = 0; i + 5 <= size && i < 20; i += 5) {
        const std::uint32_t where = ops[i + 1] | ops[i + 2] << 8 | ops[i + 3] << 16 | std::uint32_t{ops[i + 4]} << 24;
        const std::uint64_t bit = s.empty() ? 0 : std::uint64_t{where} % (s.size() * 8);
        switch (ops[i] % 6) {
            case 0:
                if (!s.empty()) s[bit / 8] = static_cast<char>(s[bit / 8] ^ (0x80 >> (bit % 8)));
                break;
            case 1:
                put_bits(s, bit, payload::bzip2_block_magic, 48);
                break;
            case 2:
                put_bits(s, bit, payload::bzip2_stream_end_magic, 48);
                break;
            case 3:
                s.resize(bit / 8);
                break;
            case 4:
                s += s.substr(0, where % 300);
                break;
            default:
                break;
        }
    }
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    std::string compressed;
    if (mode & 1) {
        const std::size_t ops = std::min<std::size_t>(size - 1, 20);
        compressed = damaged(sound_stream(data + 1 + ops, size - 1 - ops), data + 1, ops);
    } else {
        compressed.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    }
    const std::size_t chunk = (mode & 2) ? 4096 : 1 + (mode >> 2) * 37;
    std::istringstream serial_in(compressed);
    payload::bzip2_serial_decompressor serial(serial_in);
    const outcome expected = drain(serial, chunk);

    const payload::bzip2_parallel_limits limits{.workers = 1u + (mode >> 6),
                                                .blocks_in_flight = (mode >> 4) & 3u,
                                                .block_output = std::size_t{(mode & 4) ? 64u : 1536u} * 1024};
    std::istringstream parallel_in(compressed);
    payload::bzip2_parallel_decompressor parallel(parallel_in, limits);
    if (!(drain(parallel, chunk) == expected)) std::abort();
    return 0;
}
