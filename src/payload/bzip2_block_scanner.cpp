// Finding bzip2 markers at any bit offset (see bzip2_block_scanner.h).
#include "payload/bzip2_block_scanner.h"

#include <array>

namespace payload {

namespace {

constexpr std::uint64_t marker_mask = (std::uint64_t{1} << bzip2_marker_bits) - 1;

// A marker that starts at bit s (0..7) of byte i covers byte i + 1 completely, with the marker's
// bits 8 - s .. 15 - s.  This table says, for each value of that byte, at which shifts either
// marker could start, so that almost every byte is passed over with one look-up.
struct candidate_table {
    std::array<std::uint8_t, 256> shifts{};
    constexpr candidate_table() {
        for (unsigned s = 0; s < 8; ++s) {
            for (std::uint64_t magic : {bzip2_block_magic, bzip2_stream_end_magic}) {
                const auto covered = static_cast<std::uint8_t>(magic >> (bzip2_marker_bits - 16 + s));
                shifts[covered] |= static_cast<std::uint8_t>(1u << s);
            }
        }
    }
};

constexpr candidate_table candidates;

}  // namespace

std::uint64_t read_bits(std::span<const std::byte> bytes, std::uint64_t bit, unsigned count) noexcept {
    std::uint64_t value = 0;
    const std::uint64_t first = bit / 8;
    const std::uint64_t last = (bit + count + 7) / 8;  // one past the last byte touched
    for (std::uint64_t i = first; i < last; ++i) value = (value << 8) | std::to_integer<std::uint64_t>(bytes[i]);
    const auto trailing = static_cast<unsigned>(last * 8 - (bit + count));
    return (value >> trailing) & ((std::uint64_t{1} << count) - 1);
}

std::optional<bzip2_marker> find_bzip2_marker(std::span<const std::byte> bytes, std::uint64_t from) noexcept {
    const std::uint64_t size_bits = std::uint64_t{bytes.size()} * 8;
    if (size_bits < bzip2_marker_bits || from > size_bits - bzip2_marker_bits) return std::nullopt;
    const std::uint64_t last_start = size_bits - bzip2_marker_bits;
    for (std::uint64_t byte = from / 8; byte * 8 <= last_start; ++byte) {
        if (byte + 1 >= bytes.size()) break;
        std::uint8_t shifts = candidates.shifts[std::to_integer<std::uint8_t>(bytes[byte + 1])];
        for (unsigned s = 0; shifts != 0; ++s, shifts >>= 1) {
            if (!(shifts & 1u)) continue;
            const std::uint64_t start = byte * 8 + s;
            if (start < from || start > last_start) continue;
            const std::uint64_t value = read_bits(bytes, start, bzip2_marker_bits) & marker_mask;
            if (value == bzip2_block_magic) return bzip2_marker{start, bzip2_marker_kind::block};
            if (value == bzip2_stream_end_magic) return bzip2_marker{start, bzip2_marker_kind::stream_end};
        }
    }
    return std::nullopt;
}

}  // namespace payload
