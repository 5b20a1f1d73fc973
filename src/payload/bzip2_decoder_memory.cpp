// Reusable working memory of a bzip2 decoder (see bzip2_decoder_memory.h).
#include "payload/bzip2_decoder_memory.h"

#include <new>

namespace payload {

void* bzip2_decoder_memory::allocate(std::size_t size) noexcept {
    for (auto& b : buffers_) {
        if (!b.in_use && b.size == size) {
            b.in_use = true;
            return b.bytes.get();
        }
    }
    try {
        buffers_.push_back({std::make_unique_for_overwrite<std::byte[]>(size), size, true});
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return buffers_.back().bytes.get();
}

void bzip2_decoder_memory::release(void* buffer) noexcept {
    for (auto& b : buffers_)
        if (b.bytes.get() == buffer) b.in_use = false;
}

void* bzip2_decoder_memory::allocate_for_decoder(void* memory, int items, int size) {
    if (items <= 0 || size <= 0) return nullptr;
    return static_cast<bzip2_decoder_memory*>(memory)->allocate(std::size_t(items) * std::size_t(size));
}

void bzip2_decoder_memory::release_for_decoder(void* memory, void* buffer) {
    static_cast<bzip2_decoder_memory*>(memory)->release(buffer);
}

}  // namespace payload
