// The working memory of one bzip2 decoder, kept from block to block.  A decoder at level 9 needs
// about 3.6 MB; handing it out afresh for every block leaves the C runtime's heap fragmented
// across the worker threads, so each worker keeps one set of buffers and decodes every block in it.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace payload {

class bzip2_decoder_memory {
public:
    bzip2_decoder_memory() = default;
    bzip2_decoder_memory(const bzip2_decoder_memory&) = delete;
    bzip2_decoder_memory& operator=(const bzip2_decoder_memory&) = delete;

    // A buffer of `size` bytes: one given back earlier with that size, or a new one; nullptr when
    // there is no memory (the decoder reports BZ_MEM_ERROR).
    [[nodiscard]] void* allocate(std::size_t size) noexcept;
    // Gives a buffer back for the next block.
    void release(void* buffer) noexcept;

    // The allocation functions of libbzip2's stream (bzalloc, bzfree), with this object as opaque.
    static void* allocate_for_decoder(void* memory, int items, int size);
    static void release_for_decoder(void* memory, void* buffer);

private:
    struct buffer {
        std::unique_ptr<std::byte[]> bytes;
        std::size_t size = 0;
        bool in_use = false;
    };
    std::vector<buffer> buffers_;
};

}  // namespace payload
