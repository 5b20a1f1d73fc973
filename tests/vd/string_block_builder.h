// Builds RT_STRING blocks (16 length-prefixed UTF-16 entries) for tests of the texts that come from
// the string tables.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace vd::testing_support {

// `entries` maps an entry (0-15) to its text; the other entries are empty.
inline std::vector<std::byte> string_block(const std::map<unsigned, std::u16string>& entries) {
    std::vector<std::byte> block;
    auto put = [&block](char16_t unit) {
        block.push_back(static_cast<std::byte>(unit & 0xFF));
        block.push_back(static_cast<std::byte>(unit >> 8));
    };
    for (unsigned entry = 0; entry < 16; ++entry) {
        const auto found = entries.find(entry);
        const std::u16string text = found == entries.end() ? std::u16string{} : found->second;
        put(static_cast<char16_t>(text.size()));
        for (const auto unit : text) put(unit);
    }
    return block;
}

}  // namespace vd::testing_support
