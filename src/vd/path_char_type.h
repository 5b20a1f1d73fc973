// What a character may be in a Windows path, as PathGetCharTypeW classifies it: invalid, a
// wildcard, a separator, or a character of long (and perhaps short 8.3) file names.
#pragma once

#include <cstdint>

namespace vd::path {

// PathGetCharTypeW's GCT_* bits; GCT_INVALID is 0.
namespace gct {
inline constexpr std::uint32_t invalid = 0x0;
inline constexpr std::uint32_t lfn_char = 0x1;
inline constexpr std::uint32_t short_char = 0x2;
inline constexpr std::uint32_t wild = 0x4;
inline constexpr std::uint32_t separator = 0x8;
}  // namespace gct

// PathGetCharTypeW: control characters and < > " | / are invalid, * and ? wildcards, \ and :
// separators; everything else is valid in long names, and in short names unless it is one of the
// characters 8.3 names leave out.
[[nodiscard]] constexpr std::uint32_t char_type(wchar_t c) noexcept {
    const auto u = static_cast<std::uint32_t>(c);
    if (u < 0x20 || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'/') return gct::invalid;
    if (c == L'*' || c == L'?') return gct::wild;
    if (c == L'\\' || c == L':') return gct::separator;
    // Below 0x7E the 8.3 names take letters, digits, the odd code points other than ';' and a few
    // punctuation marks; from 0x7E on every character counts as short as well.
    const bool alphanumeric = (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
    const bool short_name = u >= 0x7E || ((u & 1u) != 0 && c != L';') || alphanumeric || c == L'$' || c == L'&' ||
                            c == L'(' || c == L'.' || c == L'@' || c == L'^' || c == L'\'' || c == L'`';
    return gct::lfn_char | (short_name ? gct::short_char : 0u);
}

// Neither invalid in a path nor a wildcard: what a typed folder name may consist of.
[[nodiscard]] constexpr bool is_valid_path_char(wchar_t c) noexcept {
    const auto type = char_type(c);
    return type != gct::invalid && (type & gct::wild) == 0;
}

}  // namespace vd::path
