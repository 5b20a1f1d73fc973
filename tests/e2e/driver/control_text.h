// Win32-only: reading the texts and states of another process's windows and controls.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

[[nodiscard]] std::wstring class_name(HWND window);
// The window's own text (WM_GETTEXT, which the system carries across processes).
[[nodiscard]] std::wstring window_text(HWND window);

// A combo box or ComboBoxEx: the number of items, the selected position (-1: none) and the text
// of one item (nothing when the position does not exist or the text cannot be read).
[[nodiscard]] bool is_list(HWND control);
[[nodiscard]] int item_count(HWND list);
[[nodiscard]] int selected_item(HWND list);
[[nodiscard]] std::optional<std::wstring> item_text(HWND list, int position);

// What the control shows: a list's selected item, any other control's window text.
[[nodiscard]] std::wstring control_text(HWND control);

// Check boxes and radio buttons.
[[nodiscard]] bool is_checkable(HWND control);
[[nodiscard]] bool is_radio(HWND control);
[[nodiscard]] bool is_checked(HWND control);

// A message to another process's window that gives up instead of hanging when that window's
// thread does not answer.
LRESULT send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

// A message that acts (a click, a notification, a system command): sent, so that the program has
// handled it when the step ends, but waited for only half a second, because its handler may open
// a modal box and keep running until the box is closed by later steps.
void deliver(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace e2e
