// Win32-only: the user-interface port over MessageBoxW and user32's window queries.
#include "os/win32/user_interface_win32.h"

#include <windows.h>

#include <string>

namespace os::win32 {

namespace {

HWND to_hwnd(window_handle window) noexcept { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
window_handle to_handle(HWND window) noexcept {
    return static_cast<window_handle>(reinterpret_cast<std::uintptr_t>(window));
}

BOOL CALLBACK collect_window(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<window_handle>*>(context)->push_back(to_handle(window));
    return TRUE;
}

}  // namespace

int user_interface_adapter::message_box(window_handle owner, std::wstring_view text,
                                        std::optional<std::wstring_view> caption, std::uint32_t type) {
    // MessageBoxW wants terminated strings; the views need not be.
    const std::wstring body(text);
    const std::wstring title(caption.value_or(std::wstring_view{}));
    const int answer = ::MessageBoxW(to_hwnd(owner), body.c_str(), caption ? title.c_str() : nullptr, type);
    // Some implementations answer -1 (the dialog manager's failure) where MessageBoxW documents 0.
    return answer < 0 ? 0 : answer;
}

window_handle user_interface_adapter::active_window() { return to_handle(::GetActiveWindow()); }

window_handle user_interface_adapter::parent(window_handle window) { return to_handle(::GetParent(to_hwnd(window))); }

window_handle user_interface_adapter::root_owner(window_handle window) {
    return to_handle(::GetAncestor(to_hwnd(window), GA_ROOTOWNER));
}

std::vector<window_handle> user_interface_adapter::thread_windows() {
    std::vector<window_handle> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), &collect_window, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::uint32_t user_interface_adapter::style(window_handle window) {
    return static_cast<std::uint32_t>(::GetWindowLongW(to_hwnd(window), GWL_STYLE));
}

std::uint32_t user_interface_adapter::extended_style(window_handle window) {
    return static_cast<std::uint32_t>(::GetWindowLongW(to_hwnd(window), GWL_EXSTYLE));
}

window_handle user_interface_adapter::last_active_popup(window_handle window) {
    return to_handle(::GetLastActivePopup(to_hwnd(window)));
}

bool user_interface_adapter::enable_window(window_handle window, bool enable) {
    return ::EnableWindow(to_hwnd(window), enable ? TRUE : FALSE) != FALSE;
}

bool user_interface_adapter::is_window_enabled(window_handle window) {
    return ::IsWindowEnabled(to_hwnd(window)) != FALSE;
}

icon_handle user_interface_adapter::load_icon(std::uintptr_t module, std::uint16_t id) {
    HANDLE icon =
        ::LoadImageW(reinterpret_cast<HINSTANCE>(module), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
    return static_cast<icon_handle>(reinterpret_cast<std::uintptr_t>(icon));
}

}  // namespace os::win32
