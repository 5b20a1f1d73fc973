// Reading a Windows version block (VS_VERSIONINFO) held as bytes, with the answers VerQueryValueW
// gives, on both builds.  Every length and offset in the block is checked against the bytes given:
// a truncated or inconsistent block answers "not found", never reads outside the span.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vd {

// One value of a version block, as VerQueryValueW reports it.
struct version_value {
    std::span<const std::byte> bytes;  // the value's bytes inside the block
    std::uint32_t length = 0;          // wValueLength: UTF-16 characters for text values, bytes otherwise
    bool is_text = false;              // wType 1
};

// VerQueryValueW(block, sub_block): sub_block is "\\" for the root value, or a path of keys such as
// "\\VarFileInfo\\Translation" or "\\StringFileInfo\\040004b0\\ProductName".  Keys compare without
// regard to ASCII case; empty path elements are skipped.  std::nullopt when a key is missing or
// the block is malformed on the way to it.
[[nodiscard]] std::optional<version_value> query_version_value(std::span<const std::byte> block,
                                                               std::wstring_view sub_block);

// VS_FIXEDFILEINFO, read field by field (little-endian).
struct fixed_file_info {
    static constexpr std::uint32_t expected_signature = 0xFEEF04BDu;
    static constexpr std::size_t byte_size = 52;

    std::uint32_t signature = 0;
    std::uint32_t struc_version = 0;
    std::uint32_t file_version_ms = 0;
    std::uint32_t file_version_ls = 0;
    std::uint32_t product_version_ms = 0;
    std::uint32_t product_version_ls = 0;
    std::uint32_t file_flags_mask = 0;
    std::uint32_t file_flags = 0;
    std::uint32_t file_os = 0;
    std::uint32_t file_type = 0;
    std::uint32_t file_subtype = 0;
    std::uint32_t file_date_ms = 0;
    std::uint32_t file_date_ls = 0;
};

// VS_FF_* bits of file_flags.
namespace file_flag {
inline constexpr std::uint32_t debug = 0x1;
inline constexpr std::uint32_t prerelease = 0x2;
inline constexpr std::uint32_t patched = 0x4;
inline constexpr std::uint32_t private_build = 0x8;
inline constexpr std::uint32_t info_inferred = 0x10;
inline constexpr std::uint32_t special_build = 0x20;
}  // namespace file_flag

// The root value as fixed file information; std::nullopt when the block has no root value or it is
// shorter than a VS_FIXEDFILEINFO.
[[nodiscard]] std::optional<fixed_file_info> read_fixed_file_info(std::span<const std::byte> block);

// The text of a text value: its UTF-16 characters as a wide string, with one terminating NUL (when
// the last counted character is one) dropped.
[[nodiscard]] std::wstring version_value_text(const version_value& value);

}  // namespace vd
