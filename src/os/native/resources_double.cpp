// The in-memory resource set.
#include "os/native/resources_double.h"

#include "res/program_strings.h"

namespace os::native {

std::optional<std::span<const std::byte>> memory_resources::find(module_handle module, std::uint16_t type,
                                                                 std::uint16_t id) {
    const auto found = items_.find({module, type, id});
    if (found == items_.end()) return std::nullopt;
    return std::span<const std::byte>(found->second);
}

void memory_resources::add(module_handle module, std::uint16_t type, std::uint16_t id,
                           std::span<const std::byte> bytes) {
    items_[{module, type, id}].assign(bytes.begin(), bytes.end());
}

bool memory_resources::remove(module_handle module, std::uint16_t type, std::uint16_t id) {
    return items_.erase({module, type, id}) != 0;
}

void memory_resources::add_program_strings(module_handle module) {
    for (const auto& block : res::program_string_blocks())
        add(module, resource_type::string, block.number, block.bytes);
}

}  // namespace os::native
