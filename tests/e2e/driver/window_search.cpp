// Win32-only: finding the windows of the started program and the controls inside them.
#include "window_search.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "control_text.h"

namespace e2e {

namespace {

BOOL CALLBACK collect_window(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool lies_inside_combo_box_ex(HWND window, HWND top) {
    for (HWND parent = GetParent(window); parent && parent != top; parent = GetParent(parent))
        if (class_name(parent) == WC_COMBOBOXEXW) return true;
    return false;
}

std::wstring without_ampersands(const std::wstring& text) {
    std::wstring out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](wchar_t c) { return c != L'&'; });
    return out;
}

// Windows that a program shows for a moment without meaning a new window: tooltips, the dropped
// list of a combo box, menus.
bool is_transient(HWND window) {
    const std::wstring name = class_name(window);
    return name == TOOLTIPS_CLASSW || name == L"ComboLBox" || name == L"#32768";
}

}  // namespace

std::vector<HWND> descendants(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, collect_window, reinterpret_cast<LPARAM>(&all));
    std::erase_if(all, [window](HWND child) { return lies_inside_combo_box_ex(child, window); });
    return all;
}

int depth_below(HWND window, HWND descendant) {
    int depth = 0;
    for (HWND parent = GetParent(descendant); parent && parent != window; parent = GetParent(parent)) ++depth;
    return depth;
}

std::optional<int> parse_id(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    wchar_t* end = nullptr;
    const long id = std::wcstol(text.c_str(), &end, 10);
    if (*end != L'\0') return std::nullopt;
    return static_cast<int>(id);
}

HWND find_control(HWND window, int id) {
    HWND hidden = nullptr;
    for (HWND control : descendants(window)) {
        if (GetDlgCtrlID(control) != id) continue;
        if (IsWindowVisible(control)) return control;
        if (!hidden) hidden = control;
    }
    return hidden;
}

HWND find_button(HWND window, const std::wstring& id_or_caption) {
    if (const auto id = parse_id(id_or_caption)) return find_control(window, *id);
    const std::wstring caption = without_ampersands(id_or_caption);
    HWND hidden = nullptr;
    for (HWND control : descendants(window)) {
        if (class_name(control) != WC_BUTTONW || without_ampersands(window_text(control)) != caption) continue;
        if (IsWindowVisible(control)) return control;
        if (!hidden) hidden = control;
    }
    return hidden;
}

HWND find_new_window(DWORD process_id, const std::vector<HWND>& seen) {
    std::vector<HWND> top_level;
    EnumWindows(collect_window, reinterpret_cast<LPARAM>(&top_level));
    for (HWND window : top_level) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != process_id || !IsWindowVisible(window) || is_transient(window)) continue;
        if (std::find(seen.begin(), seen.end(), window) == seen.end()) return window;
    }
    return nullptr;
}

}  // namespace e2e
