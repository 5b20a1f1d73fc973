// Bounds-checked walk over RT_STRING blocks, and the two-module lookup of a string id.
#include "vd/string_table.h"

#include "vd/byte_order.h"
#include "vd/utf16.h"

#include <cstdint>
#include <cstring>

namespace vd {
namespace {

constexpr unsigned entries_per_block = 16;

// The string in one module, or a null view.
std::u16string_view find_in(os::resources& resources, os::module_handle module, unsigned id) {
    if (module == 0 || id > 0xFFFFu) return {};
    const auto block =
        resources.find(module, os::resource_type::string, static_cast<std::uint16_t>(id / entries_per_block + 1));
    if (!block) return {};
    const auto entry = string_table_entry(*block, id % entries_per_block);
    return entry ? *entry : std::u16string_view{};
}

}  // namespace

std::optional<std::u16string_view> string_table_entry(std::span<const std::byte> block, unsigned entry) noexcept {
    if (entry >= entries_per_block) return std::nullopt;
    // The view handed out points at the characters in place: they must be char16_t-aligned.
    if (reinterpret_cast<std::uintptr_t>(block.data()) % alignof(char16_t) != 0) return std::nullopt;
    std::size_t offset = 0;
    for (unsigned index = 0;; ++index) {
        if (block.size() < 2 || offset > block.size() - 2) return std::nullopt;
        const std::size_t length = read_le16(block, offset);
        offset += 2;
        if (length > (block.size() - offset) / 2) return std::nullopt;
        if (index == entry) {
            return std::u16string_view(reinterpret_cast<const char16_t*>(block.data() + offset), length);
        }
        offset += length * 2;
    }
}

std::u16string_view load_string(os::resources& resources, os::module_handle resource_module, unsigned id) {
    const auto program = resources.program_module();
    if (resource_module == 0) resource_module = program;
    const auto text = find_in(resources, resource_module, id);
    // An entry of length 0 is how the resource compiler writes an id it does not have, so another
    // module's empty entry also falls back to the program's string.
    if (text.empty() && resource_module != program) {
        const auto fallback = find_in(resources, program, id);
        if (fallback.data() != nullptr) return fallback;
    }
    return text;
}

std::optional<std::wstring> load_string_text(os::resources& resources, os::module_handle resource_module, unsigned id) {
    const auto text = load_string(resources, resource_module, id);
    if (text.data() == nullptr) return std::nullopt;
    // Texts are only shown: a lone surrogate becomes U+FFFD.
    return from_utf16(text, lone_surrogate::replace);
}

}  // namespace vd
