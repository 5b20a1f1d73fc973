// Decoding bzip2 blocks on worker threads (see bzip2_parallel_decompressor.h).
#include "payload/bzip2_parallel_decompressor.h"

#include "payload/bzip2_block_decoder.h"
#include "payload/bzip2_block_splitter.h"
#include "payload/bzip2_decoder_memory.h"
#include "payload/worker_pool.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <system_error>

namespace payload {

namespace {

// Decoded bytes travel from a worker to the calling thread in pieces of this size.
constexpr std::size_t piece_size = 64 * 1024;

std::uint32_t rotate_left(std::uint32_t v) { return (v << 1) | (v >> 31); }

}  // namespace

struct bzip2_parallel_decompressor::job {
    explicit job(bzip2_framed_block block) : frame(std::move(block.frame)), crc(block.crc) {}
    const std::vector<std::byte> frame;
    const std::uint32_t crc;
    // Guarded by shared_state::mutex.
    std::deque<std::vector<std::byte>> pieces;
    std::size_t queued = 0;  // bytes in pieces
    bool verified = false;   // the block decoded and matched its checksum: its pieces may go out
    bool complete = false;   // no more pieces will come
    bool failed = false;
};

struct bzip2_parallel_decompressor::shared_state {
    std::mutex mutex;
    std::condition_variable ready;  // a job has news for the calling thread
    std::condition_variable space;  // the calling thread took a piece
    bool cancelled = false;
    std::size_t block_output = 0;
    // One set per decoder running at a time, so at most one per worker.
    std::vector<std::unique_ptr<bzip2_decoder_memory>> idle_memory;

    bool is_cancelled() {
        std::lock_guard lock(mutex);
        return cancelled;
    }
};

// Runs on a worker, in a set of decoder memory that an earlier block left idle where there is one.
void bzip2_parallel_decompressor::decode_block(shared_state& shared, job& j) {
    std::unique_ptr<bzip2_decoder_memory> memory;
    {
        std::lock_guard lock(shared.mutex);
        if (!shared.idle_memory.empty()) {
            memory = std::move(shared.idle_memory.back());
            shared.idle_memory.pop_back();
        }
    }
    if (!memory) memory = std::make_unique<bzip2_decoder_memory>();
    decode_block(shared, j, *memory);
    std::lock_guard lock(shared.mutex);
    shared.idle_memory.push_back(std::move(memory));  // room reserved for every worker
}

// First pass: decode, keeping at most the block output limit; the pieces go out once the whole
// block has been verified.  A block that decodes to more is then decoded again, and the rest is
// handed over piece by piece as the calling thread makes room.
void bzip2_parallel_decompressor::decode_block(shared_state& shared, job& j, bzip2_decoder_memory& memory) {
    const auto add_piece = [&](std::vector<std::byte>& piece) {
        j.queued += piece.size();
        j.pieces.push_back(std::move(piece));
        piece = std::vector<std::byte>(piece_size);
    };
    try {
        std::size_t kept = 0;
        bool overflowed = false;
        std::vector<std::byte> piece(piece_size);
        {
            bzip2_block_decoder decoder(j.frame, memory);
            for (bool more = true; more;) {
                if (shared.is_cancelled()) return;
                const std::size_t n = decoder.read(piece);
                more = n == piece_size;
                if (overflowed || n == 0) continue;
                piece.resize(n);
                std::lock_guard lock(shared.mutex);
                add_piece(piece);
                kept += n;
                overflowed = j.queued >= shared.block_output;
            }
        }
        {
            std::lock_guard lock(shared.mutex);
            j.verified = true;
            j.complete = !overflowed;
        }
        shared.ready.notify_all();
        if (!overflowed) return;

        bzip2_block_decoder decoder(j.frame, memory);
        for (std::size_t skipped = 0; skipped < kept;) {
            const std::size_t n = decoder.read(std::span(piece).first(std::min(piece_size, kept - skipped)));
            if (n == 0) throw std::logic_error("the block decoded to fewer bytes the second time");
            skipped += n;
        }
        for (bool more = true; more;) {
            const std::size_t n = decoder.read(piece);
            more = n == piece_size;
            piece.resize(n);
            {
                std::unique_lock lock(shared.mutex);
                shared.space.wait(lock, [&] { return shared.cancelled || j.queued + n <= shared.block_output; });
                if (shared.cancelled) return;
                if (n > 0) add_piece(piece);
                j.complete = !more;
            }
            shared.ready.notify_all();
        }
    } catch (...) {
        // Whatever went wrong, the serial decoder will say it again, or decode what this could not.
        {
            std::lock_guard lock(shared.mutex);
            j.failed = true;
            j.pieces.clear();
            j.queued = 0;
        }
        shared.ready.notify_all();
    }
}

bzip2_parallel_decompressor::bzip2_parallel_decompressor(std::istream& source, bzip2_parallel_limits limits)
    : source_(source), start_(source.tellg()), limits_(limits), shared_(std::make_unique<shared_state>()) {
    limits_.workers = std::max(1u, limits_.workers);
    if (limits_.blocks_in_flight == 0) limits_.blocks_in_flight = limits_.workers;
    limits_.block_output = std::max(limits_.block_output, piece_size);
    shared_->block_output = limits_.block_output;
    shared_->idle_memory.reserve(limits_.workers);
    splitter_ = std::make_unique<bzip2_block_splitter>(source_);
    try {
        pool_ = std::make_unique<worker_pool>(limits_.workers);
    } catch (const std::system_error&) {
        // No threads to be had: the serial decoder does it all.
        splitter_.reset();
        serial_ = std::make_unique<bzip2_serial_decompressor>(source_);
    }
}

bzip2_parallel_decompressor::~bzip2_parallel_decompressor() { stop_workers(); }

void bzip2_parallel_decompressor::stop_workers() noexcept {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->cancelled = true;
    }
    shared_->ready.notify_all();
    shared_->space.notify_all();
    pool_.reset();
    jobs_.clear();
}

std::size_t bzip2_parallel_decompressor::read(std::span<std::byte> out) {
    if (pending_error_) throw bzip2_error(pending_error_);
    std::size_t filled = 0;
    try {
        while (filled < out.size() && !finished_) {
            if (serial_) {
                const std::size_t n = serial_->read(out.subspan(filled));
                if (n == 0) finished_ = true;
                filled += n;
            } else {
                filled += deliver(out.subspan(filled));
            }
        }
    } catch (const bzip2_error& e) {
        // As the serial decoder does: what was decoded first, the fault on the next call.
        if (filled == 0) throw;
        pending_error_ = e.error();
    }
    return filled;
}

// Copies from the current piece, or moves the pipeline on by one step (and returns 0).
std::size_t bzip2_parallel_decompressor::deliver(std::span<std::byte> out) {
    if (piece_used_ < piece_.size()) {
        const std::size_t n = std::min(out.size(), piece_.size() - piece_used_);
        std::memcpy(out.data(), piece_.data() + piece_used_, n);
        piece_used_ += n;
        delivered_ += n;
        return n;
    }
    submit_blocks();
    if (jobs_.empty()) {
        end_of_blocks();
        return 0;
    }
    job& front = *jobs_.front();
    std::unique_lock lock(shared_->mutex);
    shared_->ready.wait(lock,
                        [&] { return front.failed || (front.verified && (!front.pieces.empty() || front.complete)); });
    if (front.failed) {
        lock.unlock();
        fall_back(0, delivered_);
        return 0;
    }
    if (!front.pieces.empty()) {
        piece_ = std::move(front.pieces.front());
        front.pieces.pop_front();
        front.queued -= piece_.size();
        piece_used_ = 0;
        lock.unlock();
        shared_->space.notify_all();
        return 0;
    }
    lock.unlock();
    combined_crc_ = rotate_left(combined_crc_) ^ front.crc;
    jobs_.pop_front();
    return 0;
}

void bzip2_parallel_decompressor::submit_blocks() {
    while (!splitting_done_ && jobs_.size() < limits_.blocks_in_flight) {
        bzip2_framed_block block;
        const bzip2_split_step step = splitter_->next(block);
        if (step != bzip2_split_step::block) {
            splitting_done_ = true;
            stream_ended_ = step == bzip2_split_step::stream_end;
            break;
        }
        auto j = std::make_shared<job>(std::move(block));
        jobs_.push_back(j);
        pool_->submit([shared = shared_.get(), j] {
            try {
                decode_block(*shared, *j);
            } catch (...) {
                // No memory for the decoder's bookkeeping: the serial decoder will try.
                std::lock_guard lock(shared->mutex);
                j->failed = true;
                shared->ready.notify_all();
            }
        });
    }
}

// Every block has been handed out.
void bzip2_parallel_decompressor::end_of_blocks() {
    if (!stream_ended_ || combined_crc_ != splitter_->combined_crc()) {
        fall_back(0, delivered_);
        return;
    }
    if (!splitter_->more_input()) {
        finished_ = true;
        return;
    }
    // Another stream, or bytes that are not one: the serial decoder takes it from there.
    fall_back(static_cast<std::streamoff>(splitter_->stream_size()), 0);
}

// Restarts with the serial decoder at `offset` from the start and skips the `skip` bytes that
// were handed out already.
void bzip2_parallel_decompressor::fall_back(std::streamoff offset, std::uint64_t skip) {
    stop_workers();
    splitter_.reset();
    piece_ = {};
    piece_used_ = 0;
    source_.clear();
    source_.seekg(start_ + offset);
    serial_ = std::make_unique<bzip2_serial_decompressor>(source_);
    std::array<std::byte, bzip2_buffer_size> scratch;
    while (skip > 0) {
        const std::size_t n = serial_->read(std::span(scratch).first(std::min<std::uint64_t>(skip, scratch.size())));
        if (n == 0) break;
        skip -= n;
    }
}

}  // namespace payload
