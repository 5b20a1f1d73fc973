// Feeds arbitrary bytes to the string-table walk as one RT_STRING block: every answer must lie
// inside the block, and the lookup through the resource port must agree with the walk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "os/native/resources_double.h"
#include "vd/string_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the entry and the string id's block; the rest is the block.
    if (size == 0) return 0;
    const unsigned pick = data[0];
    std::vector<std::byte> block(size - 1);
    for (std::size_t i = 1; i < size; ++i) block[i - 1] = static_cast<std::byte>(data[i]);

    for (unsigned entry = 0; entry <= 16; ++entry) {
        const auto text = vd::string_table_entry(block, entry);
        if (!text) continue;
        if (entry == 16) std::abort();
        const auto* begin = reinterpret_cast<const std::byte*>(text->data());
        const auto* end = reinterpret_cast<const std::byte*>(text->data() + text->size());
        if (begin < block.data() || end > block.data() + block.size()) std::abort();
    }

    os::native::memory_resources resources;
    const auto number = static_cast<std::uint16_t>(pick % 8 + 1);
    resources.add(os::native::memory_resources::program, os::resource_type::string, number, block);
    const auto stored = resources.find(os::native::memory_resources::program, os::resource_type::string, number);
    const unsigned id = (number - 1u) * 16u + (pick >> 4);
    const auto loaded = vd::load_string(resources, 0, id);
    const auto walked = vd::string_table_entry(*stored, id % 16);
    if (walked.has_value() != (loaded.data() != nullptr)) std::abort();
    if (walked && *walked != loaded) std::abort();
    (void)vd::load_string_text(resources, 0, id);
    return 0;
}
