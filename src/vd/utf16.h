// Wide strings to and from UTF-16 code units at the boundary of the formats that store UTF-16 (the
// uninstall log, the payload's table of contents, the registry, resources), and to and from UTF-8
// at the host's boundary (command lines, manifests, host file names).
// On Windows a wide string already is UTF-16; natively a pair of surrogates is one character and
// a lone surrogate is kept as it is, so that any code unit sequence survives a round trip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vd {

// What from_utf16 makes of a surrogate without its partner where a wide character is a code point.
enum class lone_surrogate {
    keep,     // the unit stands as a character of its own: the text survives a round trip
    replace,  // U+FFFD, for text that is only shown
};

[[nodiscard]] std::u16string to_utf16(std::wstring_view text);
[[nodiscard]] std::wstring from_utf16(std::u16string_view units, lone_surrogate lone = lone_surrogate::keep);
// The length of `text` in UTF-16 code units.
[[nodiscard]] std::size_t utf16_length(std::wstring_view text);
// UTF-16LE bytes of `text`.
void append_utf16le(std::vector<std::byte>& out, std::wstring_view text);
// The code units of UTF-16LE bytes, read byte-wise so that no alignment is assumed; an odd last
// byte is not a unit.
[[nodiscard]] std::u16string utf16le_units(std::span<const std::byte> bytes);

// The code point at text[i], a pair of surrogates joined where a wide character is a UTF-16 unit
// (a lone surrogate is returned as it is); `i` moves past what was read.
[[nodiscard]] std::uint32_t next_code_point(std::wstring_view text, std::size_t& i) noexcept;
// The UTF-8 bytes of one code point, whatever it is (callers that must refuse some check first).
void append_utf8(std::string& out, std::uint32_t code_point);

// UTF-8 of `text`; natively every character is encoded as it stands, lone surrogates included.
[[nodiscard]] std::string to_utf8(std::wstring_view text);
// Strict UTF-8: nullopt for a malformed sequence, an encoded surrogate or a code point beyond U+10FFFF.
[[nodiscard]] std::optional<std::wstring> from_utf8(std::string_view text);
// Lenient UTF-8 for names the host already holds: every byte sequence gives a name.  A lead byte
// takes the continuation bytes it announces without checking them; a stray byte stands for itself.
[[nodiscard]] std::wstring from_utf8_lenient(std::string_view text);

}  // namespace vd
