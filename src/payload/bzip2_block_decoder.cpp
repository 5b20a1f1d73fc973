// Decoding one framed bzip2 block (see bzip2_block_decoder.h).
#include "payload/bzip2_block_decoder.h"

#include "payload/bzip2_decoder_memory.h"
#include "payload/bzip2_stream.h"

#include <bzlib.h>

namespace payload {

struct bzip2_block_decoder::state {
    bz_stream stream{};
};

bzip2_block_decoder::bzip2_block_decoder(std::span<const std::byte> frame, bzip2_decoder_memory& memory)
    : state_(std::make_unique<state>()) {
    state_->stream.bzalloc = &bzip2_decoder_memory::allocate_for_decoder;
    state_->stream.bzfree = &bzip2_decoder_memory::release_for_decoder;
    state_->stream.opaque = &memory;
    if (int rc = BZ2_bzDecompressInit(&state_->stream, 0, 0); rc != BZ_OK) throw bzip2_error(rc);
    // libbzip2 does not write through next_in.
    state_->stream.next_in = const_cast<char*>(reinterpret_cast<const char*>(frame.data()));
    state_->stream.avail_in = static_cast<unsigned>(frame.size());
}

bzip2_block_decoder::~bzip2_block_decoder() { BZ2_bzDecompressEnd(&state_->stream); }

std::size_t bzip2_block_decoder::read(std::span<std::byte> out) {
    if (ended_ || out.empty()) return 0;
    auto& s = state_->stream;
    s.next_out = reinterpret_cast<char*>(out.data());
    s.avail_out = static_cast<unsigned>(out.size());
    while (s.avail_out > 0) {
        const unsigned before_in = s.avail_in;
        const unsigned before_out = s.avail_out;
        const int rc = BZ2_bzDecompress(&s);
        if (rc == BZ_STREAM_END) {
            ended_ = true;
            break;
        }
        if (rc != BZ_OK) throw bzip2_error(rc);
        // All input is there: no progress means the frame ends inside the block.
        if (s.avail_in == before_in && s.avail_out == before_out) throw bzip2_error(BZ_UNEXPECTED_EOF);
    }
    return out.size() - s.avail_out;
}

}  // namespace payload
