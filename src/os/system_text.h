// The system-text port: the operating system's message texts for error codes.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace os {

class system_text {
public:
    virtual ~system_text() = default;

    // FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
    // FORMAT_MESSAGE_ALLOCATE_BUFFER) for a code (Win32 error or HRESULT) in a language (a LANGID;
    // 0 lets the system choose).  On success `text` is the system's text as it stands, trailing
    // line break included.  On error `text` is unchanged and the error is the Windows one:
    // 1815 (ERROR_RESOURCE_LANG_NOT_FOUND) when the system has no texts in that language, 317
    // (ERROR_MR_MID_NOT_FOUND) when it has no text for the code.
    [[nodiscard]] virtual std::error_code format_message(std::uint32_t code, std::uint16_t language,
                                                         std::wstring& text) = 0;
};

}  // namespace os
