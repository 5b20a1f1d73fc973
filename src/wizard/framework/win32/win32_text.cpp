// Win32-only: window texts, class names and text measurement.
#include "wizard/framework/win32/win32_text.h"

#include "os/win32/unique_handle.h"

namespace wizard::win32 {

std::wstring window_text(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

bool has_class(HWND window, const wchar_t* class_name) noexcept {
    wchar_t name[64] = {};
    return ::GetClassNameW(window, name, 64) > 0 && ::lstrcmpiW(name, class_name) == 0;
}

int text_width(HWND window, std::wstring_view text) {
    if (window == nullptr) return 0;
    const HDC dc = ::GetDC(window);
    if (dc == nullptr) return 0;
    const os::win32::unique_window_dc context(os::win32::window_dc{window, dc});
    os::win32::unique_dc_selection selection;
    if (const auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)))
        selection.reset({dc, ::SelectObject(dc, font)});
    SIZE size{};
    if (!::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size)) return 0;
    return size.cx;
}

}  // namespace wizard::win32
