// Lays the program's texts out as RT_STRING blocks, the way the resource compiler does, so that the
// native double serves the same bytes the Windows program carries.
#include <array>
#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>

#include "res/program_strings.h"

namespace res {

std::vector<std::byte> encode_string_block(std::span<const std::u16string_view, 16> entries) {
    std::vector<std::byte> bytes;
    auto put_unit = [&bytes](char16_t unit) {
        const auto value = static_cast<std::uint16_t>(unit);
        bytes.push_back(static_cast<std::byte>(value & 0xFF));
        bytes.push_back(static_cast<std::byte>(value >> 8));
    };
    for (const auto text : entries) {
        if (text.size() > 0xFFFF) throw std::length_error("string table entry longer than 65535 units");
        put_unit(static_cast<char16_t>(text.size()));
        for (const char16_t unit : text) put_unit(unit);
    }
    return bytes;
}

std::vector<string_block> program_string_blocks() {
    struct pending {
        std::uint32_t lcid = 0;
        std::array<std::u16string_view, 16> entries{};
    };
    std::map<std::uint16_t, pending> blocks;
    for (const auto& language : program_strings()) {
        for (const auto& entry : language.entries) {
            auto& block = blocks[static_cast<std::uint16_t>(entry.id / 16 + 1)];
            block.lcid = language.lcid;
            block.entries[entry.id % 16] = entry.text;
        }
    }
    std::vector<string_block> result;
    result.reserve(blocks.size());
    for (auto& [number, block] : blocks) {
        result.push_back({number, block.lcid, encode_string_block(block.entries)});
    }
    return result;
}

}  // namespace res
