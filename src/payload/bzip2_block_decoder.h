// Decoding one framed bzip2 block (see bzip2_block_frame.h) held wholly in memory.
#pragma once

#include <cstddef>
#include <memory>
#include <span>

namespace payload {

class bzip2_decoder_memory;

class bzip2_block_decoder {
public:
    // `frame` and `memory` must outlive the decoder; `memory` serves one decoder at a time.
    bzip2_block_decoder(std::span<const std::byte> frame, bzip2_decoder_memory& memory);
    ~bzip2_block_decoder();
    bzip2_block_decoder(const bzip2_block_decoder&) = delete;
    bzip2_block_decoder& operator=(const bzip2_block_decoder&) = delete;

    // Fills `out` and returns how many bytes; fewer only when the block has ended, and then the
    // block has been checked against its checksum.  Throws bzip2_error when the frame is not one
    // well-formed block with a matching checksum.
    [[nodiscard]] std::size_t read(std::span<std::byte> out);

private:
    struct state;
    std::unique_ptr<state> state_;
    bool ended_ = false;
};

}  // namespace payload
