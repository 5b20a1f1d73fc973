// Cutting one bzip2 stream into its blocks, each framed to decode on its own, as the compressed
// bytes are read.  The splitter only finds where the markers are; whether a block between two of
// them is real is for its decoder to find out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <vector>

namespace payload {

struct bzip2_framed_block {
    std::vector<std::byte> frame;  // a one-block stream
    std::uint32_t crc = 0;         // the checksum the block stores
};

enum class bzip2_split_step {
    block,       // the next block
    stream_end,  // the end-of-stream marker with its combined checksum
    unusable,    // no header, a block longer than any encoder writes, or the input ends first
};

class bzip2_block_splitter {
public:
    // Reads from `source`'s current position, which is the stream's first byte.
    explicit bzip2_block_splitter(std::istream& source);

    // The next step; after stream_end or unusable there is nothing more.
    [[nodiscard]] bzip2_split_step next(bzip2_framed_block& block);

    // After stream_end: the stored combined checksum, and the size of the stream in bytes (the
    // next stream, if any, starts right after it).
    [[nodiscard]] std::uint32_t combined_crc() const noexcept { return combined_crc_; }
    [[nodiscard]] std::uint64_t stream_size() const noexcept { return (stream_end_ + 80 + 7) / 8; }
    // After stream_end: whether any byte follows the stream.
    [[nodiscard]] bool more_input();

private:
    bool fill();
    bool have_bits(std::uint64_t end_bit);
    bool read_header();
    bzip2_split_step finish_stream();
    [[nodiscard]] std::uint64_t end_bit() const noexcept { return (base_ + input_.size()) * 8; }
    void drop_before(std::uint64_t bit);

    std::istream& source_;
    std::vector<std::byte> input_;
    std::uint64_t base_ = 0;  // stream offset of input_[0]
    bool input_ended_ = false;
    char level_ = 0;
    std::uint64_t max_block_bits_ = 0;
    bool in_block_ = false;
    std::uint64_t block_begin_ = 0;  // stream bit offsets from here on
    std::uint64_t search_from_ = 0;
    bool at_stream_end_ = false;
    std::uint64_t stream_end_ = 0;
    std::uint32_t combined_crc_ = 0;
};

}  // namespace payload
