// Win32-only: the system-text port over FormatMessageW.
#pragma once

#include "os/system_text.h"

namespace os::win32 {

class system_text_adapter final : public system_text {
public:
    std::error_code format_message(std::uint32_t code, std::uint16_t language, std::wstring& text) override;
};

}  // namespace os::win32
