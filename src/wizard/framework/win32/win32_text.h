// Win32-only: window texts, class names and text measurement in a window's own font.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace wizard::win32 {

// GetWindowTextW of any length.
[[nodiscard]] std::wstring window_text(HWND window);
// True when the window's class is `class_name` (case-insensitive, as class names are).
[[nodiscard]] bool has_class(HWND window, const wchar_t* class_name) noexcept;
// GetTextExtentPoint32W in a DC of `window` with the window's font (WM_GETFONT) selected; 0 for
// no window.
[[nodiscard]] int text_width(HWND window, std::wstring_view text);

}  // namespace wizard::win32
