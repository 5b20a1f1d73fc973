// UTF-16 and UTF-8 conversions.
#include "vd/utf16.h"

#include "vd/byte_order.h"

#include <cwchar>

namespace vd {
namespace {

constexpr bool wide_is_utf16 = WCHAR_MAX <= 0xFFFF;

[[nodiscard]] constexpr bool is_high_surrogate(std::uint32_t u) noexcept { return u >= 0xD800 && u < 0xDC00; }
[[nodiscard]] constexpr bool is_low_surrogate(std::uint32_t u) noexcept { return u >= 0xDC00 && u < 0xE000; }
[[nodiscard]] constexpr bool is_surrogate(std::uint32_t u) noexcept { return u >= 0xD800 && u < 0xE000; }

[[nodiscard]] constexpr std::uint32_t joined(std::uint32_t high, std::uint32_t low) noexcept {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// How many continuation bytes a UTF-8 lead byte announces; -1 for a byte that starts no sequence.
[[nodiscard]] constexpr int continuations_announced(unsigned char lead) noexcept {
    if (lead < 0x80) return 0;
    if ((lead & 0xE0) == 0xC0) return 1;
    if ((lead & 0xF0) == 0xE0) return 2;
    if ((lead & 0xF8) == 0xF0) return 3;
    return -1;
}

// Appends one code point: as a pair of surrogates where a wide character is a UTF-16 unit.
void append_code_point(std::wstring& out, std::uint32_t c) {
    if constexpr (wide_is_utf16) {
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

}  // namespace

std::u16string to_utf16(std::wstring_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (wchar_t c : text) {
        const auto cp = static_cast<std::uint32_t>(c);
        if constexpr (!wide_is_utf16) {
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
                units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
                continue;
            }
        }
        units.push_back(static_cast<char16_t>(cp));
    }
    return units;
}

std::wstring from_utf16(std::u16string_view units, lone_surrogate lone) {
    std::wstring text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if constexpr (!wide_is_utf16) {
            if (is_high_surrogate(u) && i + 1 < units.size() && is_low_surrogate(units[i + 1])) {
                text.push_back(static_cast<wchar_t>(joined(u, units[i + 1])));
                ++i;
                continue;
            }
            if (lone == lone_surrogate::replace && is_surrogate(u)) {
                text.push_back(static_cast<wchar_t>(0xFFFD));
                continue;
            }
        }
        text.push_back(static_cast<wchar_t>(u));
    }
    return text;
}

std::size_t utf16_length(std::wstring_view text) {
    if constexpr (wide_is_utf16) {
        return text.size();
    } else {
        std::size_t n = 0;
        for (wchar_t c : text) {
            const auto cp = static_cast<std::uint32_t>(c);
            n += cp >= 0x10000 && cp <= 0x10FFFF ? 2 : 1;
        }
        return n;
    }
}

void append_utf16le(std::vector<std::byte>& out, std::wstring_view text) {
    for (char16_t u : to_utf16(text)) {
        out.push_back(static_cast<std::byte>(u & 0xFF));
        out.push_back(static_cast<std::byte>(u >> 8));
    }
}

std::u16string utf16le_units(std::span<const std::byte> bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(read_le16(bytes, 2 * i));
    return units;
}

std::uint32_t next_code_point(std::wstring_view text, std::size_t& i) noexcept {
    auto c = static_cast<std::uint32_t>(text[i++]);
    if constexpr (wide_is_utf16) {
        if (is_high_surrogate(c) && i < text.size() && is_low_surrogate(static_cast<std::uint32_t>(text[i])))
            c = joined(c, static_cast<std::uint32_t>(text[i++]));
    }
    return c;
}

void append_utf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string to_utf8(std::wstring_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) append_utf8(out, next_code_point(text, i));
    return out;
}

std::optional<std::wstring> from_utf8(std::string_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int extra = continuations_announced(b);
        if (extra < 0) return std::nullopt;
        std::uint32_t c = extra != 0 ? b & (0x3F >> extra) : b;
        ++i;
        for (int k = 0; k < extra; ++k, ++i) {
            if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        }
        if (c > 0x10FFFF || is_surrogate(c)) return std::nullopt;
        append_code_point(out, c);
    }
    return out;
}

std::wstring from_utf8_lenient(std::string_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::uint32_t c = b;
        const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        if (extra) c = b & (0x3F >> extra);
        ++i;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i)
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        append_code_point(out, c);
    }
    return out;
}

}  // namespace vd
