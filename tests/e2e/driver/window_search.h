// Win32-only: finding the windows of the started program and the controls inside them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Every descendant of the window (controls, child dialogs such as wizard pages and their
// controls), parents before their children.  The inner parts of a ComboBoxEx are left out: the
// ComboBoxEx stands for them.
[[nodiscard]] std::vector<HWND> descendants(HWND window);

// How many parents lie between the window and one of its descendants (0 for a direct child).
[[nodiscard]] int depth_below(HWND window, HWND descendant);

// A control id written in decimal.
[[nodiscard]] std::optional<int> parse_id(const std::wstring& text);

// The descendant with that control id.  Control ids repeat across the pages of a wizard, so a
// visible control wins over hidden ones; a hidden one is returned only when no visible one exists.
[[nodiscard]] HWND find_control(HWND window, int id);

// A button by control id or by caption (ampersands ignored), visible ones first.
[[nodiscard]] HWND find_button(HWND window, const std::wstring& id_or_caption);

// A visible top-level window of the process that is not among those already seen.
[[nodiscard]] HWND find_new_window(DWORD process_id, const std::vector<HWND>& seen);

}  // namespace e2e
