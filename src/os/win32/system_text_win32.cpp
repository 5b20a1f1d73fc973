// Win32-only: the system-text port over FormatMessageW.
#include "os/win32/system_text_win32.h"

#include <windows.h>

#include <memory>

#include "os/win_error.h"

namespace os::win32 {

namespace {

// The buffer FormatMessageW allocates belongs to LocalFree.
struct local_free {
    void operator()(wchar_t* buffer) const noexcept { ::LocalFree(buffer); }
};
using local_text = std::unique_ptr<wchar_t, local_free>;

}  // namespace

std::error_code system_text_adapter::format_message(std::uint32_t code, std::uint16_t language, std::wstring& text) {
    wchar_t* raw = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                         nullptr, code, language, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    const DWORD error = length == 0 ? ::GetLastError() : ERROR_SUCCESS;
    const local_text buffer(raw);
    if (length == 0) return win_error(error == ERROR_SUCCESS ? ERROR_MR_MID_NOT_FOUND : error);
    text.assign(buffer.get(), length);
    return {};
}

}  // namespace os::win32
