// Our bzip2 filter over libbzip2: a decompressing reader over an input stream that decodes several
// concatenated bzip2 streams as one byte sequence, and a compressing writer for the release tool.
// The reader the program uses decodes the blocks on worker threads where it can; the serial one
// stays the reference and the fallback.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <span>
#include <stdexcept>

namespace payload {

// The decoder or encoder reported a failure: corrupt or truncated data, garbage after a stream,
// or no memory.  `error()` is libbzip2's code (BZ_DATA_ERROR -4, BZ_DATA_ERROR_MAGIC -5,
// BZ_UNEXPECTED_EOF -7, BZ_MEM_ERROR -3, ...).
class bzip2_error : public std::runtime_error {
public:
    explicit bzip2_error(int error);
    [[nodiscard]] int error() const noexcept { return error_; }

private:
    int error_;
};

inline constexpr std::size_t bzip2_buffer_size = 4096;

class bzip2_serial_decompressor {
public:
    // Reads compressed bytes from `source`'s current position; libbzip2's normal (fast) mode.
    explicit bzip2_serial_decompressor(std::istream& source);
    ~bzip2_serial_decompressor();
    bzip2_serial_decompressor(const bzip2_serial_decompressor&) = delete;
    bzip2_serial_decompressor& operator=(const bzip2_serial_decompressor&) = delete;

    // Fills `out` with decompressed bytes and returns how many; 0 only once the last stream has
    // ended and the input is exhausted.  Throws bzip2_error for corrupt or truncated input
    // (an empty input is truncated) and for bytes after a stream that do not start another one;
    // the bytes decoded before such a fault are returned first, the next call throws.
    [[nodiscard]] std::size_t read(std::span<std::byte> out);

private:
    struct state;
    bool refill();
    std::size_t decode(std::span<std::byte> out);
    std::istream& source_;
    std::unique_ptr<state> state_;
    bool finished_ = false;
    int pending_error_ = 0;
};

class bzip2_parallel_decompressor;

// How many threads decode: `automatic` is one per core (at most four) and the serial decoder on a
// single core; 1 is the serial decoder on the calling thread.
inline constexpr unsigned automatic_bzip2_threads = 0;

// The decoder the program uses: the same bytes and errors as bzip2_serial_decompressor, sooner.
class bzip2_decompressor {
public:
    // The serial decoder is used when there is one thread, or when `source` cannot tell its
    // position (the parallel one must be able to seek back to it).
    explicit bzip2_decompressor(std::istream& source, unsigned threads = automatic_bzip2_threads);
    ~bzip2_decompressor();
    bzip2_decompressor(const bzip2_decompressor&) = delete;
    bzip2_decompressor& operator=(const bzip2_decompressor&) = delete;

    // As bzip2_serial_decompressor::read.
    [[nodiscard]] std::size_t read(std::span<std::byte> out);

private:
    std::unique_ptr<bzip2_serial_decompressor> serial_;
    std::unique_ptr<bzip2_parallel_decompressor> parallel_;
};

class bzip2_compressor {
public:
    // Writes one bzip2 stream of block size `block_size` (1..9) to `sink`.
    explicit bzip2_compressor(std::ostream& sink, int block_size = 9);
    ~bzip2_compressor();
    bzip2_compressor(const bzip2_compressor&) = delete;
    bzip2_compressor& operator=(const bzip2_compressor&) = delete;

    // Throws bzip2_error, or std::ios_base::failure when the sink fails.
    void write(std::span<const std::byte> data);
    // Ends the stream; nothing may be written after it.
    void finish();

private:
    struct state;
    void drain(int action);
    std::ostream& sink_;
    std::unique_ptr<state> state_;
    bool finished_ = false;
};

}  // namespace payload
