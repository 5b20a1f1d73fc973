// The 1252 table: Latin-1 apart from 0x80..0x9F, where Windows puts typographic characters.
#include "os/native/code_page_double.h"

#include "os/win_error.h"

namespace os::native {
namespace {

// 0x80..0x9F; the undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to themselves.
constexpr wchar_t high_controls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool is_this_table(std::uint32_t code_page) {
    return code_page == code_page_id::ansi || code_page == code_page_id::thread_ansi ||
           code_page == code_page_id::western;
}

// The byte for `c`, or -1 when 1252 has none.
int byte_for(wchar_t c) {
    const auto code = static_cast<std::uint32_t>(c);
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (int i = 0; i < 32; ++i) {
        if (static_cast<std::uint32_t>(high_controls[i]) == code) return 0x80 + i;
    }
    return -1;
}

}  // namespace

wchar_t windows_1252_to_wide(unsigned char b) noexcept {
    return (b >= 0x80 && b < 0xA0) ? high_controls[b - 0x80] : static_cast<wchar_t>(b);
}

std::error_code code_page_1252::to_wide(std::uint32_t code_page, std::uint32_t, std::span<const char> input,
                                        std::span<wchar_t> output, std::size_t& count) {
    count = 0;
    if (!is_this_table(code_page) || input.empty()) return win_error(errc::invalid_parameter);
    // One character per byte, and no byte is invalid: MB_ERR_INVALID_CHARS changes nothing here.
    if (output.empty()) {
        count = input.size();
        return {};
    }
    const std::size_t fits = input.size() < output.size() ? input.size() : output.size();
    for (std::size_t i = 0; i < fits; ++i) output[i] = windows_1252_to_wide(static_cast<unsigned char>(input[i]));
    if (fits < input.size()) return win_error(errc::insufficient_buffer);
    count = input.size();
    return {};
}

std::error_code code_page_1252::to_bytes(std::uint32_t code_page, std::uint32_t, std::span<const wchar_t> input,
                                         std::span<char> output, std::size_t& count, bool& used_default) {
    count = 0;
    used_default = false;
    if (!is_this_table(code_page) || input.empty()) return win_error(errc::invalid_parameter);
    bool defaulted = false;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const int b = byte_for(input[i]);
        if (b < 0) defaulted = true;
        if (!output.empty()) {
            if (i >= output.size()) return win_error(errc::insufficient_buffer);
            output[i] = static_cast<char>(b < 0 ? '?' : b);
        }
    }
    count = input.size();
    used_default = defaulted;
    return {};
}

}  // namespace os::native
