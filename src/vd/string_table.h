// Loading strings from the program's string tables (RT_STRING resources), in place.
//
// A string table resource holds 16 strings: resource number id / 16 + 1, entry id % 16, each entry a
// UTF-16 length followed by that many UTF-16 units.  Every walk is bounds-checked: a block that is
// truncated or whose lengths point past its end yields "no string", never a read outside it.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "os/resources.h"

namespace vd {

// The entry `entry` (0-15) of one string-table block: its characters in place, or std::nullopt when
// the block is malformed before or at that entry.  An entry of length 0 is an empty view whose data
// points into the block.
[[nodiscard]] std::optional<std::u16string_view> string_table_entry(std::span<const std::byte> block,
                                                                    unsigned entry) noexcept;

// The string `id`: looked up in `resource_module` (0 means the program module), and in the program
// module when `resource_module` is another module that lacks the block or the entry.  The view points
// into the loaded resource (no copy); a missing string is an empty view with null data, a present
// empty string an empty view with non-null data.
[[nodiscard]] std::u16string_view load_string(os::resources& resources, os::module_handle resource_module, unsigned id);

// The same as text; std::nullopt when the string is missing.
[[nodiscard]] std::optional<std::wstring> load_string_text(os::resources& resources, os::module_handle resource_module,
                                                           unsigned id);

}  // namespace vd
