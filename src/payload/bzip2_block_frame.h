// One block of a bzip2 stream framed as a stream of its own, so that any decoder instance can
// decode it independently: the stream header, the block's bits moved to start on a byte boundary,
// and an end-of-stream marker whose combined checksum is the block's own (the combined checksum
// of a one-block stream).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace payload {

// `level` is the header's digit ('1'..'9'); the block is bits [begin, end) of `stream`, counted
// from its top bit, starting with the block magic; `block_crc` is the checksum the block stores.
[[nodiscard]] std::vector<std::byte> frame_bzip2_block(std::span<const std::byte> stream, char level,
                                                       std::uint64_t begin, std::uint64_t end, std::uint32_t block_crc);

}  // namespace payload
