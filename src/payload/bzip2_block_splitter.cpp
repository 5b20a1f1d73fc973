// Cutting a bzip2 stream into framed blocks (see bzip2_block_splitter.h).
#include "payload/bzip2_block_splitter.h"

#include "payload/bzip2_block_frame.h"
#include "payload/bzip2_block_scanner.h"

#include <span>

namespace payload {

namespace {

constexpr std::size_t read_size = 64 * 1024;

// A block holds at most level × 100 000 symbols; encoders write them in a little more than a byte
// each at worst.  Anything longer is left to the serial decoder rather than buffered.
std::uint64_t longest_block_bits(char level) { return (std::uint64_t(level - '0') * 125000 + 4096) * 8; }

}  // namespace

bzip2_block_splitter::bzip2_block_splitter(std::istream& source) : source_(source) {}

bool bzip2_block_splitter::fill() {
    if (input_ended_) return false;
    const std::size_t old = input_.size();
    input_.resize(old + read_size);
    source_.read(reinterpret_cast<char*>(input_.data() + old), static_cast<std::streamsize>(read_size));
    const auto got = static_cast<std::size_t>(source_.gcount());
    input_.resize(old + got);
    if (got < read_size) input_ended_ = true;
    return got > 0;
}

bool bzip2_block_splitter::have_bits(std::uint64_t end) {
    while (end_bit() < end)
        if (!fill()) return false;
    return true;
}

void bzip2_block_splitter::drop_before(std::uint64_t bit) {
    const std::uint64_t byte = bit / 8;
    if (byte <= base_) return;
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(byte - base_));
    base_ = byte;
}

bool bzip2_block_splitter::read_header() {
    if (!have_bits(bzip2_header_bits)) return false;
    const auto c = [&](std::size_t i) { return static_cast<char>(input_[i]); };
    if (c(0) != 'B' || c(1) != 'Z' || c(2) != 'h' || c(3) < '1' || c(3) > '9') return false;
    level_ = c(3);
    max_block_bits_ = longest_block_bits(level_);
    search_from_ = bzip2_header_bits;
    return true;
}

bzip2_split_step bzip2_block_splitter::finish_stream() {
    if (!have_bits(stream_end_ + bzip2_marker_bits + 32)) return bzip2_split_step::unusable;
    const std::span<const std::byte> view(input_);
    combined_crc_ = static_cast<std::uint32_t>(read_bits(view, stream_end_ + bzip2_marker_bits - base_ * 8, 32));
    return bzip2_split_step::stream_end;
}

bzip2_split_step bzip2_block_splitter::next(bzip2_framed_block& block) {
    if (at_stream_end_) return finish_stream();
    if (level_ == 0 && !read_header()) return bzip2_split_step::unusable;
    for (;;) {
        const std::span<const std::byte> view(input_);
        const auto found = find_bzip2_marker(view, search_from_ - base_ * 8);
        if (!found) {
            // The last 47 bits may begin a marker that more input completes.
            const std::uint64_t checked = end_bit() >= bzip2_marker_bits ? end_bit() - bzip2_marker_bits + 1 : 0;
            if (checked > search_from_) search_from_ = checked;
            if (in_block_ && end_bit() - block_begin_ > max_block_bits_) return bzip2_split_step::unusable;
            if (!fill()) return bzip2_split_step::unusable;
            continue;
        }
        const std::uint64_t at = base_ * 8 + found->bit;
        if (!in_block_) {
            // The first marker follows the header directly.
            if (at != bzip2_header_bits) return bzip2_split_step::unusable;
            if (found->kind == bzip2_marker_kind::stream_end) {
                stream_end_ = at;
                return finish_stream();
            }
            in_block_ = true;
            block_begin_ = at;
            search_from_ = at + bzip2_marker_bits;
            continue;
        }
        const std::uint64_t begin = block_begin_ - base_ * 8;
        block.crc = static_cast<std::uint32_t>(read_bits(view, begin + bzip2_marker_bits, 32));
        block.frame = frame_bzip2_block(view, level_, begin, found->bit, block.crc);
        if (found->kind == bzip2_marker_kind::stream_end) {
            stream_end_ = at;
            at_stream_end_ = true;
            in_block_ = false;
        } else {
            block_begin_ = at;
            search_from_ = at + bzip2_marker_bits;
            drop_before(at);
        }
        return bzip2_split_step::block;
    }
}

bool bzip2_block_splitter::more_input() {
    if (base_ + input_.size() > stream_size()) return true;
    return fill();
}

}  // namespace payload
