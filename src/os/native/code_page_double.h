// Native double of the code-page port: a machine whose ANSI code page is 1252, converting as Windows
// does (every byte maps; the five bytes 1252 leaves undefined map to the control characters of the
// same number, and characters it lacks become '?').
#pragma once

#include "os/code_page.h"

namespace os::native {

class code_page_1252 final : public code_page {
public:
    // CP_ACP, CP_THREAD_ACP and 1252 are this table; any other code page gives 87.
    std::error_code to_wide(std::uint32_t code_page, std::uint32_t flags, std::span<const char> input,
                            std::span<wchar_t> output, std::size_t& count) override;
    std::error_code to_bytes(std::uint32_t code_page, std::uint32_t flags, std::span<const wchar_t> input,
                             std::span<char> output, std::size_t& count, bool& used_default) override;
};

// The character 1252 gives byte `b`.
[[nodiscard]] wchar_t windows_1252_to_wide(unsigned char b) noexcept;

}  // namespace os::native
