// Memory-backed byte streams: a stream buffer that behaves like a string stream's, and that can also
// be laid over memory it does not own (read-only, never copied), with the input stream over caller
// memory and the input/output stream over a growable block built on it.
#pragma once

#include <cstddef>
#include <ios>
#include <istream>
#include <span>
#include <streambuf>
#include <string_view>
#include <vector>

namespace vd {

class memory_streambuf : public std::streambuf {
public:
    // An empty buffer that owns the storage it grows.  Append without out is dropped.
    explicit memory_streambuf(std::ios_base::openmode mode = std::ios_base::in | std::ios_base::out);
    // A read-only buffer over [data, data + size), which must outlive it: out and append are dropped;
    // at-end starts reading at the end, truncate leaves nothing to read.
    memory_streambuf(const void* data, std::size_t size, std::ios_base::openmode mode = std::ios_base::in);

    memory_streambuf(const memory_streambuf&) = delete;
    memory_streambuf& operator=(const memory_streambuf&) = delete;

    [[nodiscard]] bool owns_storage() const noexcept { return owns_; }
    // Bytes of the current storage (the caller's range, or the block grown so far).
    [[nodiscard]] std::size_t capacity() const noexcept { return capacity_; }
    [[nodiscard]] std::ios_base::openmode mode() const noexcept { return mode_; }
    // Everything written or supplied so far.
    [[nodiscard]] std::string_view view() noexcept;

protected:
    int_type underflow() override;
    int_type pbackfail(int_type c) override;
    int_type overflow(int_type c) override;
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

private:
    // The high-water mark follows the put position; the get end follows the high-water mark.
    char* raise_high_water() noexcept;
    [[nodiscard]] bool grow();
    void set_put(std::size_t offset) noexcept;

    std::vector<char> storage_;  // the owned block; unused while lying over caller memory
    char* begin_ = nullptr;
    std::size_t capacity_ = 0;
    char* high_water_ = nullptr;
    std::ios_base::openmode mode_;
    bool owns_ = true;
};

// An input stream over caller memory (not copied; the bytes must outlive the stream).
class basic_imemstream : public std::istream {
public:
    basic_imemstream();  // empty: the first read reports end of file
    basic_imemstream(const void* data, std::size_t size, std::ios_base::openmode mode = std::ios_base::in);
    explicit basic_imemstream(std::span<const std::byte> bytes, std::ios_base::openmode mode = std::ios_base::in)
        : basic_imemstream(bytes.data(), bytes.size(), mode) {}

    [[nodiscard]] memory_streambuf* rdbuf() const noexcept { return const_cast<memory_streambuf*>(&buffer_); }

private:
    memory_streambuf buffer_;
};

// An input and output stream over a block it owns and grows.
class basic_memstream : public std::iostream {
public:
    explicit basic_memstream(std::ios_base::openmode mode = std::ios_base::in | std::ios_base::out);

    [[nodiscard]] memory_streambuf* rdbuf() const noexcept { return const_cast<memory_streambuf*>(&buffer_); }
    [[nodiscard]] std::string_view view() noexcept { return buffer_.view(); }

private:
    memory_streambuf buffer_;
};

}  // namespace vd
