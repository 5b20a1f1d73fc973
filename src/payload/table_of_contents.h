// The archive's table of contents: its layout, the checks it must pass and its parsing.
//
// Layout (little-endian): u64 data_offset (the table's size, this field included), u32 count, then
// `count` records of u32 source_length, source (UTF-16LE), u32 folder_length, folder (UTF-16LE),
// u32 kind, u64 size, u32 crc.  The files' bytes follow at data_offset.
#pragma once

#include "payload/payload_entry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace payload {

inline constexpr std::uint64_t toc_header_size = 12;      // data_offset and count
inline constexpr std::uint64_t toc_min_record_size = 24;  // a record with two empty strings
// The largest table the reader buffers: thousands of entries, far above any real payload.
inline constexpr std::uint64_t toc_max_size = 4u << 20;

// The bytes of the data_offset field, which a reader needs before it knows the table's size.
inline constexpr std::size_t toc_prefix_size = 8;

// The data_offset of a table whose first toc_prefix_size bytes are `prefix` (it must hold them).
[[nodiscard]] std::uint64_t toc_data_offset(std::span<const std::byte> prefix) noexcept;
// Writes `data_offset` into the first toc_prefix_size bytes of `table` (it must hold them).
void set_toc_data_offset(std::span<std::byte> table, std::uint64_t data_offset) noexcept;

// Whether a data_offset read from the first 8 bytes can be a table's size.
[[nodiscard]] constexpr bool plausible_data_offset(std::uint64_t data_offset) noexcept {
    return data_offset >= toc_header_size && data_offset <= toc_max_size;
}

// Parses a whole buffered table (all data_offset bytes).  Throws compress_error(unexpected_error)
// when a count or a length runs past the table, when bytes are left over, or when an entry's file
// name is unusable (see file_name_of); `destination` holds the folder field as read.
[[nodiscard]] std::vector<payload_entry> parse_table_of_contents(std::span<const std::byte> table);

// The file name of a source path: what follows the last '\' or '/'.  Throws
// compress_error(unexpected_error) when it is empty, "." or "..", or holds a drive colon.
[[nodiscard]] std::wstring file_name_of(std::wstring_view source);

// Serialises a table for the given entries (their `destination` is the folder field).
[[nodiscard]] std::vector<std::byte> build_table_of_contents(const std::vector<payload_entry>& entries);

}  // namespace payload
