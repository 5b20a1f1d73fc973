// Win32-only: the conversions, with sizes checked against the int the system calls take.
#include "os/win32/code_page_win32.h"

#include <windows.h>

#include <limits>

#include "os/win_error.h"

namespace os::win32 {
namespace {

bool fits_int(std::size_t size) { return size <= static_cast<std::size_t>(std::numeric_limits<int>::max()); }

}  // namespace

std::error_code code_page_adapter::to_wide(std::uint32_t code_page, std::uint32_t flags, std::span<const char> input,
                                           std::span<wchar_t> output, std::size_t& count) {
    count = 0;
    if (!fits_int(input.size())) return win_error(errc::invalid_parameter);
    const int room = static_cast<int>(fits_int(output.size()) ? output.size() : std::numeric_limits<int>::max());
    const int result = MultiByteToWideChar(code_page, flags, input.data(), static_cast<int>(input.size()),
                                           output.empty() ? nullptr : output.data(), output.empty() ? 0 : room);
    if (result == 0) return win_error(GetLastError());
    count = static_cast<std::size_t>(result);
    return {};
}

std::error_code code_page_adapter::to_bytes(std::uint32_t code_page, std::uint32_t flags,
                                            std::span<const wchar_t> input, std::span<char> output, std::size_t& count,
                                            bool& used_default) {
    count = 0;
    used_default = false;
    if (!fits_int(input.size())) return win_error(errc::invalid_parameter);
    const int room = static_cast<int>(fits_int(output.size()) ? output.size() : std::numeric_limits<int>::max());
    // UTF-7 and UTF-8 refuse the used-default out parameter.
    const bool utf = code_page == CP_UTF7 || code_page == CP_UTF8;
    BOOL defaulted = FALSE;
    const int result = WideCharToMultiByte(code_page, flags, input.data(), static_cast<int>(input.size()),
                                           output.empty() ? nullptr : output.data(), output.empty() ? 0 : room, nullptr,
                                           utf ? nullptr : &defaulted);
    if (result == 0) return win_error(GetLastError());
    count = static_cast<std::size_t>(result);
    used_default = defaulted != FALSE;
    return {};
}

}  // namespace os::win32
