// Finding the markers of a bzip2 stream at any bit offset: the 48-bit magic that opens every block
// and the one that ends the stream.  Block boundaries are not byte-aligned, so the search looks at
// every bit; a match inside compressed data is possible, and whoever uses a marker must be ready
// for it to be false.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace payload {

inline constexpr std::uint64_t bzip2_block_magic = 0x314159265359;
inline constexpr std::uint64_t bzip2_stream_end_magic = 0x177245385090;
inline constexpr std::uint64_t bzip2_marker_bits = 48;
// "BZh" and the level digit.
inline constexpr std::uint64_t bzip2_header_bits = 32;

enum class bzip2_marker_kind { block, stream_end };

struct bzip2_marker {
    std::uint64_t bit = 0;  // offset of the marker's first bit, counted from bytes[0]'s top bit
    bzip2_marker_kind kind = bzip2_marker_kind::block;
};

// The first marker that starts at or after bit `from` and lies wholly within `bytes`.
[[nodiscard]] std::optional<bzip2_marker> find_bzip2_marker(std::span<const std::byte> bytes,
                                                            std::uint64_t from) noexcept;

// `count` (at most 57) bits starting at bit `bit`, most significant first; the caller makes sure
// they lie within `bytes`.
[[nodiscard]] std::uint64_t read_bits(std::span<const std::byte> bytes, std::uint64_t bit, unsigned count) noexcept;

}  // namespace payload
