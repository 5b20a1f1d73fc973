// Win32-only: the dialog window, its system menu and the controls every page has (texts, states,
// buttons, rectangles, focus and default button, text measurement).
#include "wizard/framework/win32/win32_dialog_host.h"

#include <string>

#include "wizard/framework/win32/win32_dialog_system.h"
#include "wizard/framework/win32/win32_text.h"

namespace wizard {

namespace {

constexpr UINT quiet_position = SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE;

rect rect_of(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A child window's rectangle in the client coordinates of `parent`.
rect rect_in(HWND window, HWND parent) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return rect_of(r);
}

}  // namespace

win32_dialog_host::~win32_dialog_host() {
    // At WM_NCDESTROY the procedure has cleared DWLP_USER first; otherwise the CDialog is going.
    if (!::IsWindow(window_) || ::GetWindowLongPtrW(window_, DWLP_USER) == 0) return;
    ::SetWindowLongPtrW(window_, DWLP_USER, 0);
    if (!modal_) ::DestroyWindow(window_);
}

HWND win32_dialog_host::item(int id) const noexcept { return ::GetDlgItem(window_, id); }

HWND win32_dialog_host::item(int id, const wchar_t* class_name) const noexcept {
    const HWND control = item(id);
    return control != nullptr && win32::has_class(control, class_name) ? control : nullptr;
}

HWND win32_dialog_host::edit(int id) const noexcept { return item(id, WC_EDITW); }
HWND win32_dialog_host::list(int id) const noexcept { return item(id, WC_COMBOBOXEXW); }
HWND win32_dialog_host::progress(int id) const noexcept { return item(id, PROGRESS_CLASSW); }

os::window_handle win32_dialog_host::window() const {
    return static_cast<os::window_handle>(reinterpret_cast<std::uintptr_t>(window_));
}

void win32_dialog_host::set_title(std::wstring_view title) { ::SetWindowTextW(window_, std::wstring(title).c_str()); }
std::wstring win32_dialog_host::title() { return win32::window_text(window_); }
void win32_dialog_host::show(bool visible) { ::ShowWindow(window_, visible ? SW_SHOW : SW_HIDE); }
bool win32_dialog_host::is_visible() { return ::IsWindowVisible(window_) != FALSE; }
bool win32_dialog_host::is_minimized() { return ::IsIconic(window_) != FALSE; }

rect win32_dialog_host::window_rect() {
    if (::GetWindowLongW(window_, GWL_STYLE) & WS_CHILD) return rect_in(window_, ::GetParent(window_));
    RECT r{};
    ::GetWindowRect(window_, &r);
    return rect_of(r);
}

rect win32_dialog_host::client_rect() {
    RECT r{};
    ::GetClientRect(window_, &r);
    return rect_of(r);
}

void win32_dialog_host::set_position(const rect& where, bool move, bool size) {
    const UINT flags = quiet_position | (move ? 0 : SWP_NOMOVE) | (size ? 0 : SWP_NOSIZE);
    ::SetWindowPos(window_, nullptr, where.left, where.top, where.width(), where.height(), flags);
}

void win32_dialog_host::set_big_icon(os::icon_handle icon) {
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, static_cast<LPARAM>(static_cast<std::uintptr_t>(icon)));
}

void win32_dialog_host::append_system_menu_separator() {
    if (const HMENU menu = ::GetSystemMenu(window_, FALSE)) ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

void win32_dialog_host::append_system_menu_item(unsigned command, std::wstring_view text) {
    if (const HMENU menu = ::GetSystemMenu(window_, FALSE))
        ::AppendMenuW(menu, MF_STRING, command, std::wstring(text).c_str());
}

void win32_dialog_host::modify_system_menu_item(unsigned command, std::wstring_view text) {
    if (const HMENU menu = ::GetSystemMenu(window_, FALSE))
        ::ModifyMenuW(menu, command, MF_BYCOMMAND | MF_STRING, command, std::wstring(text).c_str());
}

void win32_dialog_host::delete_system_menu_item(unsigned command) {
    if (const HMENU menu = ::GetSystemMenu(window_, FALSE)) ::DeleteMenu(menu, command, MF_BYCOMMAND);
}

void win32_dialog_host::enable_system_menu_item(unsigned command, bool enable) {
    if (const HMENU menu = ::GetSystemMenu(window_, FALSE))
        ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

bool win32_dialog_host::has_control(int id) { return item(id) != nullptr; }

void win32_dialog_host::set_text(int id, std::wstring_view text) {
    if (const HWND control = item(id)) ::SetWindowTextW(control, std::wstring(text).c_str());
}

std::wstring win32_dialog_host::text(int id) {
    const HWND control = item(id);
    return control ? win32::window_text(control) : std::wstring();
}

void win32_dialog_host::enable(int id, bool enable) {
    if (const HWND control = item(id)) ::EnableWindow(control, enable ? TRUE : FALSE);
}

bool win32_dialog_host::is_enabled(int id) {
    const HWND control = item(id);
    return control != nullptr && ::IsWindowEnabled(control);
}

void win32_dialog_host::show_control(int id, bool visible) {
    if (const HWND control = item(id)) ::ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

bool win32_dialog_host::is_control_visible(int id) {
    const HWND control = item(id);
    return control != nullptr && (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void win32_dialog_host::set_check(int id, bool checked) {
    if (const HWND button = item(id, WC_BUTTONW))
        ::SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool win32_dialog_host::is_checked(int id) {
    const HWND button = item(id, WC_BUTTONW);
    return button != nullptr && ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<int> win32_dialog_host::radio_group(int first) {
    // The group runs from `first` up to the next control that starts a group (WS_GROUP).
    std::vector<int> group;
    const HWND start = item(first);
    for (HWND control = start; control != nullptr; control = ::GetWindow(control, GW_HWNDNEXT)) {
        if (control != start && (::GetWindowLongW(control, GWL_STYLE) & WS_GROUP)) break;
        if (::SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) group.push_back(::GetDlgCtrlID(control));
    }
    return group;
}

rect win32_dialog_host::control_rect(int id) {
    const HWND control = item(id);
    return control ? rect_in(control, window_) : rect{};
}

void win32_dialog_host::move_control(int id, const rect& where) {
    if (const HWND control = item(id))
        ::SetWindowPos(control, nullptr, where.left, where.top, where.width(), where.height(), quiet_position);
}

void win32_dialog_host::set_focus(int id) {
    if (const HWND control = item(id)) ::SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void win32_dialog_host::set_default_button(int id) { ::SendMessageW(window_, DM_SETDEFID, static_cast<WPARAM>(id), 0); }

int win32_dialog_host::default_button() {
    const LRESULT answer = ::SendMessageW(window_, DM_GETDEFID, 0, 0);
    return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

int win32_dialog_host::text_width(int id, std::wstring_view text) { return win32::text_width(item(id), text); }

rect win32_dialog_host::control_client_rect(int id) {
    const HWND control = item(id);
    if (control == nullptr) return {};
    RECT r{};
    ::GetClientRect(control, &r);
    return rect_of(r);
}

void win32_dialog_host::end_dialog(int result) {
    ended_ = true;
    if (modal_) {
        ::EndDialog(window_, result);
        return;
    }
    // WM_NCDESTROY detaches (and destroys) this host: nothing of it may be used afterwards.
    const HWND window = window_;
    ::DestroyWindow(window);
}

}  // namespace wizard
