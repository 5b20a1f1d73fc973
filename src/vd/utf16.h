// Wide strings to and from UTF-16 code units at the boundary of the formats that store UTF-16 (the
// uninstall log, the payload's table of contents, the registry).
// On Windows a wide string already is UTF-16; natively a pair of surrogates is one character and
// a lone surrogate is kept as it is, so that any code unit sequence survives a round trip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vd {

[[nodiscard]] std::u16string to_utf16(std::wstring_view text);
[[nodiscard]] std::wstring from_utf16(std::u16string_view units);
// The length of `text` in UTF-16 code units.
[[nodiscard]] std::size_t utf16_length(std::wstring_view text);
// UTF-16LE bytes of `text`.
void append_utf16le(std::vector<std::byte>& out, std::wstring_view text);

}  // namespace vd
