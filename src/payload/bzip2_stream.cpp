// Our bzip2 filter over libbzip2 (see bzip2_stream.h).
#include "payload/bzip2_stream.h"

#include "payload/bzip2_parallel_decompressor.h"

#include <bzlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <thread>

namespace payload {

bzip2_error::bzip2_error(int error) : std::runtime_error("bzip2 error " + std::to_string(error)), error_(error) {}

struct bzip2_serial_decompressor::state {
    bz_stream stream{};
    bool open = false;
    std::array<char, bzip2_buffer_size> input{};
    bool input_ended = false;

    void start() {
        std::memset(&stream, 0, sizeof stream);
        if (int rc = BZ2_bzDecompressInit(&stream, 0, 0); rc != BZ_OK) throw bzip2_error(rc);
        open = true;
    }
    void stop() noexcept {
        if (open) {
            // Keep the unread input: it may begin the next stream.
            BZ2_bzDecompressEnd(&stream);
            open = false;
        }
    }
};

bzip2_serial_decompressor::bzip2_serial_decompressor(std::istream& source)
    : source_(source), state_(std::make_unique<state>()) {
    state_->start();
}

bzip2_serial_decompressor::~bzip2_serial_decompressor() { state_->stop(); }

bool bzip2_serial_decompressor::refill() {
    if (state_->input_ended) return false;
    source_.read(state_->input.data(), static_cast<std::streamsize>(state_->input.size()));
    const auto got = static_cast<unsigned>(source_.gcount());
    if (got < state_->input.size()) state_->input_ended = true;
    state_->stream.next_in = state_->input.data();
    state_->stream.avail_in = got;
    return got > 0;
}

std::size_t bzip2_serial_decompressor::read(std::span<std::byte> out) {
    if (pending_error_) throw bzip2_error(pending_error_);
    if (finished_ || out.empty()) return 0;
    try {
        return decode(out);
    } catch (const bzip2_error& e) {
        // Hand out what was decoded before the fault; the next call reports it.
        const std::size_t produced = out.size() - state_->stream.avail_out;
        if (produced == 0) throw;
        pending_error_ = e.error();
        return produced;
    }
}

std::size_t bzip2_serial_decompressor::decode(std::span<std::byte> out) {
    auto& s = *state_;
    s.stream.next_out = reinterpret_cast<char*>(out.data());
    s.stream.avail_out = static_cast<unsigned>(out.size());
    while (s.stream.avail_out > 0) {
        if (!s.open) {
            // Between streams: the end of the input ends the sequence, anything else must be a stream.
            if (s.stream.avail_in == 0 && !refill()) {
                finished_ = true;
                break;
            }
            char* next = s.stream.next_in;
            unsigned avail = s.stream.avail_in;
            char* next_out = s.stream.next_out;
            unsigned avail_out = s.stream.avail_out;
            s.start();
            s.stream.next_in = next;
            s.stream.avail_in = avail;
            s.stream.next_out = next_out;
            s.stream.avail_out = avail_out;
        }
        if (s.stream.avail_in == 0 && !refill()) throw bzip2_error(BZ_UNEXPECTED_EOF);
        int rc = BZ2_bzDecompress(&s.stream);
        if (rc == BZ_STREAM_END) {
            s.stop();
            continue;
        }
        if (rc != BZ_OK) throw bzip2_error(rc);
    }
    return out.size() - s.stream.avail_out;
}

namespace {

unsigned decoding_threads(unsigned asked) {
    if (asked != automatic_bzip2_threads) return asked;
    return std::min(std::thread::hardware_concurrency(), 4u);
}

}  // namespace

bzip2_decompressor::bzip2_decompressor(std::istream& source, unsigned threads) {
    const unsigned workers = decoding_threads(threads);
    if (workers >= 2 && source.tellg() != std::streampos(-1))
        parallel_ = std::make_unique<bzip2_parallel_decompressor>(source, bzip2_parallel_limits{.workers = workers});
    else
        serial_ = std::make_unique<bzip2_serial_decompressor>(source);
}

bzip2_decompressor::~bzip2_decompressor() = default;

std::size_t bzip2_decompressor::read(std::span<std::byte> out) {
    return parallel_ ? parallel_->read(out) : serial_->read(out);
}

struct bzip2_compressor::state {
    bz_stream stream{};
    std::array<char, 65536> output{};
};

bzip2_compressor::bzip2_compressor(std::ostream& sink, int block_size)
    : sink_(sink), state_(std::make_unique<state>()) {
    if (int rc = BZ2_bzCompressInit(&state_->stream, block_size, 0, 0); rc != BZ_OK) throw bzip2_error(rc);
}

bzip2_compressor::~bzip2_compressor() { BZ2_bzCompressEnd(&state_->stream); }

void bzip2_compressor::drain(int action) {
    auto& s = state_->stream;
    for (;;) {
        s.next_out = state_->output.data();
        s.avail_out = static_cast<unsigned>(state_->output.size());
        int rc = BZ2_bzCompress(&s, action);
        if (rc < 0) throw bzip2_error(rc);
        sink_.write(state_->output.data(), static_cast<std::streamsize>(state_->output.size() - s.avail_out));
        if (!sink_) throw std::ios_base::failure("cannot write the compressed stream");
        if (action == BZ_RUN && s.avail_in == 0) return;
        if (action == BZ_FINISH && rc == BZ_STREAM_END) return;
    }
}

void bzip2_compressor::write(std::span<const std::byte> data) {
    if (finished_) throw bzip2_error(BZ_SEQUENCE_ERROR);
    auto& s = state_->stream;
    s.next_in = const_cast<char*>(reinterpret_cast<const char*>(data.data()));
    s.avail_in = static_cast<unsigned>(data.size());
    if (s.avail_in) drain(BZ_RUN);
}

void bzip2_compressor::finish() {
    if (finished_) return;
    state_->stream.avail_in = 0;
    drain(BZ_FINISH);
    finished_ = true;
}

}  // namespace payload
