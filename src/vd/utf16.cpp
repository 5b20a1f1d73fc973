// UTF-16 conversions.
#include "vd/utf16.h"

#include <cwchar>

namespace vd {

std::u16string to_utf16(std::wstring_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (wchar_t c : text) {
        const auto cp = static_cast<std::uint32_t>(c);
#if WCHAR_MAX > 0xFFFF
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
            continue;
        }
#endif
        units.push_back(static_cast<char16_t>(cp));
    }
    return units;
}

std::wstring from_utf16(std::u16string_view units) {
    std::wstring text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
#if WCHAR_MAX > 0xFFFF
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            text.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
            ++i;
            continue;
        }
#endif
        text.push_back(static_cast<wchar_t>(u));
    }
    return text;
}

std::size_t utf16_length(std::wstring_view text) {
#if WCHAR_MAX > 0xFFFF
    std::size_t n = 0;
    for (wchar_t c : text) {
        const auto cp = static_cast<std::uint32_t>(c);
        n += cp >= 0x10000 && cp <= 0x10FFFF ? 2 : 1;
    }
    return n;
#else
    return text.size();
#endif
}

void append_utf16le(std::vector<std::byte>& out, std::wstring_view text) {
    for (char16_t u : to_utf16(text)) {
        out.push_back(static_cast<std::byte>(u & 0xFF));
        out.push_back(static_cast<std::byte>(u >> 8));
    }
}

}  // namespace vd
