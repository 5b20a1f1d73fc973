// The program's interface texts as data: one table per language, generated at configure time from
// src/res/strings/*.txt (the same sources as the Windows string table).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace res {

struct string_entry {
    unsigned id;
    std::u16string_view text;
};

struct language_strings {
    const char* tag;  // source file name: "fr", "en", "zh-CN", ...
    std::uint32_t lcid;
    std::span<const string_entry> entries;
};

// Every language's texts, in source-file order.
[[nodiscard]] std::span<const language_strings> program_strings() noexcept;

// One RT_STRING resource as the resource compiler lays it out: 16 entries, each a UTF-16 length and
// that many UTF-16 units (an absent entry is length 0).
struct string_block {
    std::uint16_t number;  // resource id: string id / 16 + 1
    std::uint32_t lcid;    // resource language
    std::vector<std::byte> bytes;
};

// The RT_STRING blocks of all languages, ordered by number.
[[nodiscard]] std::vector<string_block> program_string_blocks();

// Encodes 16 entries as one block.
[[nodiscard]] std::vector<std::byte> encode_string_block(std::span<const std::u16string_view, 16> entries);

}  // namespace res
