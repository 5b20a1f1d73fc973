// The code-page port: conversions between bytes in a Windows code page and wide characters
// (MultiByteToWideChar, WideCharToMultiByte).
//
// Wide characters are the platform's: UTF-16 units on Windows, one code point per wchar_t natively;
// counts are in those units.  With an empty output span an operation only measures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <system_error>

namespace os {

namespace code_page_id {
inline constexpr std::uint32_t ansi = 0;         // CP_ACP
inline constexpr std::uint32_t thread_ansi = 3;  // CP_THREAD_ACP: the ANSI code page of the thread's locale
inline constexpr std::uint32_t western = 1252;
inline constexpr std::uint32_t utf8 = 65001;
}  // namespace code_page_id

namespace multi_byte_flag {
inline constexpr std::uint32_t precomposed = 0x1;          // MB_PRECOMPOSED
inline constexpr std::uint32_t error_invalid_chars = 0x8;  // MB_ERR_INVALID_CHARS
}  // namespace multi_byte_flag

namespace wide_char_flag {
inline constexpr std::uint32_t no_best_fit_chars = 0x400;  // WC_NO_BEST_FIT_CHARS
}

class code_page {
public:
    virtual ~code_page() = default;

    // MultiByteToWideChar(code_page, flags, input, output).  On success `count` is the number of
    // wide characters written (or, with an empty output, needed).  Errors: 122 when the output is
    // too small, 1113 (no Unicode translation) for invalid bytes with error_invalid_chars, 87 for an
    // unknown code page or an empty input; `count` is 0 then, and the output may hold part of the text.
    [[nodiscard]] virtual std::error_code to_wide(std::uint32_t code_page, std::uint32_t flags,
                                                  std::span<const char> input, std::span<wchar_t> output,
                                                  std::size_t& count) = 0;

    // WideCharToMultiByte(code_page, flags, input, output, no default character).  Characters the
    // code page lacks become '?' (no error); `used_default` tells that it happened.  Errors as above.
    [[nodiscard]] virtual std::error_code to_bytes(std::uint32_t code_page, std::uint32_t flags,
                                                   std::span<const wchar_t> input, std::span<char> output,
                                                   std::size_t& count, bool& used_default) = 0;
};

}  // namespace os
