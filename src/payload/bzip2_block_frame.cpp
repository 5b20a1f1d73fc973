// A bzip2 block framed as a one-block stream (see bzip2_block_frame.h).
#include "payload/bzip2_block_frame.h"

#include "payload/bzip2_block_scanner.h"

namespace payload {

namespace {

// Appends bits to a byte vector, most significant first.
class bit_writer {
public:
    explicit bit_writer(std::vector<std::byte>& out) : out_(out) {}

    void put(std::uint64_t value, unsigned count) {
        while (count > 0) {
            if (used_ == 0) out_.push_back(std::byte{0});
            const unsigned take = std::min(count, 8 - used_);
            const auto bits = static_cast<unsigned>((value >> (count - take)) & ((1u << take) - 1));
            out_.back() |= static_cast<std::byte>(bits << (8 - used_ - take));
            used_ = (used_ + take) % 8;
            count -= take;
        }
    }

private:
    std::vector<std::byte>& out_;
    unsigned used_ = 0;  // bits used in the last byte; 0 means it is full (or there is none)
};

}  // namespace

std::vector<std::byte> frame_bzip2_block(std::span<const std::byte> stream, char level, std::uint64_t begin,
                                         std::uint64_t end, std::uint32_t block_crc) {
    const std::uint64_t block_bits = end - begin;
    std::vector<std::byte> out;
    out.reserve(4 + block_bits / 8 + 12);
    for (char c : {'B', 'Z', 'h', level}) out.push_back(static_cast<std::byte>(c));

    // Whole bytes of the block, each made of two neighbouring source bytes.
    const std::uint64_t whole = block_bits / 8;
    const unsigned shift = static_cast<unsigned>(begin % 8);
    const std::byte* source = stream.data() + begin / 8;
    const std::size_t start = out.size();
    out.resize(start + whole);
    std::byte* target = out.data() + start;
    if (shift == 0) {
        for (std::uint64_t i = 0; i < whole; ++i) target[i] = source[i];
    } else {
        for (std::uint64_t i = 0; i < whole; ++i) target[i] = (source[i] << shift) | (source[i + 1] >> (8 - shift));
    }

    bit_writer tail(out);
    const auto rest = static_cast<unsigned>(block_bits % 8);
    if (rest) tail.put(read_bits(stream, begin + whole * 8, rest), rest);
    tail.put(bzip2_stream_end_magic, static_cast<unsigned>(bzip2_marker_bits));
    tail.put(block_crc, 32);
    return out;
}

}  // namespace payload
