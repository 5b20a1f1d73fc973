// The memory stream buffer: growth by 256 bytes while small and by half beyond, put-back, seeking
// within what was written, reading up to the high-water mark.
#include "vd/memstream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vd {
namespace {

using mode = std::ios_base::openmode;
constexpr mode in = std::ios_base::in;
constexpr mode out = std::ios_base::out;
constexpr mode ate = std::ios_base::ate;
constexpr mode app = std::ios_base::app;
constexpr mode trunc = std::ios_base::trunc;

bool has(mode m, mode bits) { return (m & bits) == bits; }

// The largest block the buffer may own: what a pointer difference (and a stream offset) can hold.
constexpr std::size_t largest_block = static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max());

}  // namespace

memory_streambuf::memory_streambuf(std::ios_base::openmode requested) : mode_(requested) {
    if (!has(mode_, out)) mode_ &= ~app;
    setg(nullptr, nullptr, nullptr);
    setp(nullptr, nullptr);
}

memory_streambuf::memory_streambuf(const void* data, std::size_t size, std::ios_base::openmode requested)
    : mode_(requested & ~(out | app)), owns_(false) {
    // The buffer never writes through these pointers: without out it has no put area.
    begin_ = static_cast<char*>(const_cast<void*>(data));
    if (begin_ == nullptr) size = 0;
    capacity_ = size;
    char* const end = begin_ + size;
    const bool truncated = has(mode_, trunc);
    high_water_ = ((has(mode_, in) || has(mode_, ate)) && !truncated) ? end : begin_;
    if (has(mode_, in)) {
        if (truncated) {
            setg(begin_, begin_, begin_);
        } else {
            setg(begin_, has(mode_, ate) ? end : begin_, end);
        }
    } else {
        setg(nullptr, nullptr, nullptr);
    }
    setp(nullptr, nullptr);
}

char* memory_streambuf::raise_high_water() noexcept {
    if (pptr() != nullptr && pptr() > high_water_) high_water_ = pptr();
    if (has(mode_, in) && egptr() < high_water_) setg(begin_, gptr() != nullptr ? gptr() : begin_, high_water_);
    return high_water_;
}

std::string_view memory_streambuf::view() noexcept {
    raise_high_water();
    return {begin_, static_cast<std::size_t>(high_water_ - begin_)};
}

void memory_streambuf::set_put(std::size_t offset) noexcept {
    setp(begin_, begin_ + capacity_);
    // pbump takes an int: move in steps for very large offsets.
    while (offset > 0) {
        const auto step = static_cast<int>(std::min<std::size_t>(offset, std::numeric_limits<int>::max()));
        pbump(step);
        offset -= static_cast<std::size_t>(step);
    }
}

bool memory_streambuf::grow() {
    const std::size_t n = capacity_;
    std::size_t increment = n < 512 ? 256 : n / 2;
    while (increment >= 2 && n > largest_block - increment) increment /= 2;
    if (increment < 2) return false;

    std::vector<char> block(n + increment);
    if (n != 0) std::memcpy(block.data(), begin_, n);
    char* const fresh = block.data();
    const std::size_t get_offset = gptr() != nullptr ? static_cast<std::size_t>(gptr() - begin_) : 0;
    const std::size_t put_offset = pptr() != nullptr ? static_cast<std::size_t>(pptr() - begin_) : 0;
    const std::size_t high_offset = static_cast<std::size_t>(high_water_ - begin_);
    const std::size_t get_end = egptr() != nullptr ? static_cast<std::size_t>(egptr() - begin_) : 0;

    // The old block goes with the assignment only when it was ours; caller memory is left alone.
    storage_ = std::move(block);
    owns_ = true;
    begin_ = fresh;
    capacity_ = n + increment;
    high_water_ = begin_ + high_offset;
    setg(begin_, begin_ + get_offset, begin_ + get_end);
    set_put(put_offset);
    return true;
}

memory_streambuf::int_type memory_streambuf::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (!has(mode_, out)) return traits_type::eof();
    if (has(mode_, app)) {
        raise_high_water();
        set_put(static_cast<std::size_t>(high_water_ - begin_));
    }
    if (pptr() == nullptr || pptr() >= epptr()) {
        if (pptr() == nullptr) set_put(0);
        if (pptr() >= epptr() && !grow()) return traits_type::eof();
    }
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    raise_high_water();
    return c;
}

memory_streambuf::int_type memory_streambuf::underflow() {
    if (!has(mode_, in)) return traits_type::eof();
    raise_high_water();
    if (gptr() != nullptr && gptr() < egptr()) return traits_type::to_int_type(*gptr());
    return traits_type::eof();
}

memory_streambuf::int_type memory_streambuf::pbackfail(int_type c) {
    if (gptr() == nullptr || gptr() == eback()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        gbump(-1);
        return traits_type::not_eof(c);
    }
    const char wanted = traits_type::to_char_type(c);
    if (traits_type::eq(gptr()[-1], wanted)) {
        gbump(-1);
        return c;
    }
    if (!has(mode_, out)) return traits_type::eof();  // read-only: only the character already there
    gbump(-1);
    *gptr() = wanted;
    return c;
}

memory_streambuf::pos_type memory_streambuf::seekoff(off_type offset, std::ios_base::seekdir direction,
                                                     std::ios_base::openmode which) {
    const pos_type invalid = pos_type(off_type(-1));
    const bool move_get = (which & in) != 0 && has(mode_, in);
    const bool move_put = (which & out) != 0 && has(mode_, out);
    if (!move_get && !move_put) return invalid;
    if (move_get && move_put && direction == std::ios_base::cur) return invalid;

    const auto end = static_cast<off_type>(raise_high_water() - begin_);
    off_type base = 0;
    if (direction == std::ios_base::end) {
        base = end;
    } else if (direction == std::ios_base::cur) {
        if (move_get) {
            base = gptr() != nullptr ? static_cast<off_type>(gptr() - begin_) : 0;
        } else {
            base = pptr() != nullptr ? static_cast<off_type>(pptr() - begin_) : 0;
        }
    }
    if ((offset > 0 && base > end - offset) || (offset < 0 && base + offset < 0)) return invalid;
    const off_type target = base + offset;
    if (move_put && has(mode_, app) && target != end) return invalid;

    if (move_get) setg(begin_, begin_ + target, high_water_);
    if (move_put) set_put(static_cast<std::size_t>(target));
    return pos_type(target);
}

memory_streambuf::pos_type memory_streambuf::seekpos(pos_type position, std::ios_base::openmode which) {
    return seekoff(off_type(position), std::ios_base::beg, which);
}

basic_imemstream::basic_imemstream() : std::istream(nullptr), buffer_(nullptr, 0, std::ios_base::in) {
    std::istream::rdbuf(&buffer_);
}

basic_imemstream::basic_imemstream(const void* data, std::size_t size, std::ios_base::openmode mode)
    : std::istream(nullptr), buffer_(data, size, mode | std::ios_base::in) {
    std::istream::rdbuf(&buffer_);
}

basic_memstream::basic_memstream(std::ios_base::openmode mode) : std::iostream(nullptr), buffer_(mode) {
    std::iostream::rdbuf(&buffer_);
}

}  // namespace vd
