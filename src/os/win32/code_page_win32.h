// Win32-only: the code-page port over MultiByteToWideChar and WideCharToMultiByte.
#pragma once

#include "os/code_page.h"

namespace os::win32 {

class code_page_adapter final : public code_page {
public:
    std::error_code to_wide(std::uint32_t code_page, std::uint32_t flags, std::span<const char> input,
                            std::span<wchar_t> output, std::size_t& count) override;
    std::error_code to_bytes(std::uint32_t code_page, std::uint32_t flags, std::span<const wchar_t> input,
                             std::span<char> output, std::size_t& count, bool& used_default) override;
};

}  // namespace os::win32
