// Decoding a bzip2 stream with its blocks spread over worker threads.  The calling thread reads
// the compressed bytes, cuts them into framed blocks and hands the decoded bytes out strictly in
// order; a block's bytes are handed out only once its checksum has been verified.  Whatever this
// path cannot vouch for (a block that fails, a false marker, a truncated stream, bytes after the
// stream) is handed to the serial decoder from the last byte handed out, so that the bytes and the
// error are exactly the serial decoder's.
#pragma once

#include "payload/bzip2_stream.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <istream>
#include <memory>
#include <span>
#include <vector>

namespace payload {

class bzip2_block_splitter;
class bzip2_decoder_memory;
class worker_pool;

struct bzip2_parallel_limits {
    unsigned workers = 2;
    // Blocks read ahead, the one being handed out included; 0 means one per worker.
    std::size_t blocks_in_flight = 0;
    // Decoded bytes held for one block.  A block that decodes to more is decoded twice: once to
    // verify it, once more while it is handed out.
    std::size_t block_output = 1536 * 1024;
};

class bzip2_parallel_decompressor {
public:
    // `source` must be able to seek back to its current position.
    bzip2_parallel_decompressor(std::istream& source, bzip2_parallel_limits limits);
    ~bzip2_parallel_decompressor();
    bzip2_parallel_decompressor(const bzip2_parallel_decompressor&) = delete;
    bzip2_parallel_decompressor& operator=(const bzip2_parallel_decompressor&) = delete;

    // As bzip2_serial_decompressor::read: fills `out` unless the input ends, 0 once it has ended;
    // the bytes before a fault first, the fault (bzip2_error) on the next call.
    [[nodiscard]] std::size_t read(std::span<std::byte> out);

    // The serial decoder has taken over.
    [[nodiscard]] bool fell_back() const noexcept { return serial_ != nullptr; }

private:
    struct job;
    struct shared_state;
    static void decode_block(shared_state& shared, job& j);
    static void decode_block(shared_state& shared, job& j, bzip2_decoder_memory& memory);
    std::size_t deliver(std::span<std::byte> out);
    void submit_blocks();
    void end_of_blocks();
    void fall_back(std::streamoff offset, std::uint64_t skip);
    void stop_workers() noexcept;

    std::istream& source_;
    std::streampos start_;
    bzip2_parallel_limits limits_;
    std::unique_ptr<shared_state> shared_;
    std::unique_ptr<bzip2_block_splitter> splitter_;
    bool splitting_done_ = false;
    bool stream_ended_ = false;  // the splitter reached the end-of-stream marker
    std::deque<std::shared_ptr<job>> jobs_;
    std::vector<std::byte> piece_;
    std::size_t piece_used_ = 0;
    std::uint32_t combined_crc_ = 0;
    std::uint64_t delivered_ = 0;
    std::unique_ptr<bzip2_serial_decompressor> serial_;
    bool finished_ = false;
    int pending_error_ = 0;
    // Last, so that it stops first.
    std::unique_ptr<worker_pool> pool_;
};

}  // namespace payload
