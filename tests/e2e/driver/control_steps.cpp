// Win32-only: the driver's steps on the controls of the current window, including the controls of
// its child dialogs (the pages of a wizard).  Each action is what a click or a keystroke would
// cause: the control's new state, then the notification its parent would receive.
#include <windows.h>

#include <commctrl.h>

#include "control_text.h"
#include "output.h"
#include "session.h"
#include "window_search.h"

namespace e2e {

namespace {

// The control with that id in the current window; prints the error and gives nullptr otherwise.
HWND find_or_fail(const session& s, const std::wstring& id_text) {
    if (!s.current()) {
        fail(L"no window");
        return nullptr;
    }
    const auto id = parse_id(id_text);
    if (!id) {
        fail(L"not a control id: " + id_text);
        return nullptr;
    }
    HWND control = find_control(s.current(), *id);
    if (!control) fail(L"no control " + id_text);
    return control;
}

// Why a user could not click or type into the control; empty when they could.
std::wstring unreachable(HWND control) {
    if (!IsWindowEnabled(control)) return L"disabled";
    if (!IsWindowVisible(control)) return L"hidden";
    HWND desktop = GetDesktopWindow();
    for (HWND parent = GetAncestor(control, GA_PARENT); parent && parent != desktop;
         parent = GetAncestor(parent, GA_PARENT))
        if (!IsWindowEnabled(parent)) return L"in a disabled window";
    return {};
}

// The control with that id, of the wanted kind and within the user's reach; nullptr after an error.
template <class Kind>
HWND usable_or_fail(const session& s, const std::wstring& id, const wchar_t* kind_name, Kind is_kind) {
    HWND control = find_or_fail(s, id);
    if (!control) return nullptr;
    if (!is_kind(control)) {
        fail(L"control " + id + L" is a " + class_name(control) + L", not a " + kind_name);
        return nullptr;
    }
    if (const std::wstring why = unreachable(control); !why.empty()) {
        fail(std::wstring(kind_name) + L" " + id + L" is " + why);
        return nullptr;
    }
    return control;
}

void notify_parent(HWND control, WORD code) {
    deliver(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

// Selects the item as the user's choice in the dropped list would, and reports it.  A ComboBoxEx
// takes CB_SETCURSEL itself and tells its own parent, with its own id, of the change.
bool select_item(HWND list, const std::wstring& id, int position) {
    if (send(list, CB_SETCURSEL, static_cast<WPARAM>(position)) != position)
        return fail(L"list " + id + L" refused item " + std::to_wstring(position));
    notify_parent(list, CBN_SELCHANGE);
    print_line(L"chose " + id + L" " + std::to_wstring(position) + L" " +
               quoted(item_text(list, position).value_or(L"")));
    return true;
}

bool is_edit(HWND control) { return class_name(control) == WC_EDITW; }

}  // namespace

bool press(const session& s, const std::wstring& id_or_caption) {
    if (!s.current()) return fail(L"no window");
    HWND button = find_button(s.current(), id_or_caption);
    if (!button) return fail(L"no button " + id_or_caption);
    const int id = GetDlgCtrlID(button);
    if (const std::wstring why = unreachable(button); !why.empty())
        return fail(L"button " + std::to_wstring(id) + L" is " + why);
    notify_parent(button, BN_CLICKED);
    print_line(L"pressed " + std::to_wstring(id));
    return true;
}

bool choose(const session& s, const std::wstring& id, const std::wstring& position_text) {
    HWND list = usable_or_fail(s, id, L"list", is_list);
    if (!list) return false;
    const auto position = parse_id(position_text);
    const int count = item_count(list);
    if (!position || *position < 0 || *position >= count)
        return fail(L"list " + id + L" has no item " + position_text + L" (" + std::to_wstring(count) + L" items)");
    return select_item(list, id, *position);
}

bool choose_text(const session& s, const std::wstring& id, const std::wstring& text) {
    HWND list = usable_or_fail(s, id, L"list", is_list);
    if (!list) return false;
    const int count = item_count(list);
    for (int position = 0; position < count; ++position)
        if (escaped(item_text(list, position).value_or(L"")) == text) return select_item(list, id, position);
    return fail(L"list " + id + L" has no item \"" + text + L"\"");
}

bool list_items(const session& s, const std::wstring& id) {
    HWND list = find_or_fail(s, id);
    if (!list) return false;
    if (!is_list(list)) return fail(L"control " + id + L" is a " + class_name(list) + L", not a list");
    const int count = item_count(list), selected = selected_item(list);
    for (int position = 0; position < count; ++position) {
        const auto text = item_text(list, position);
        print_line(L"item " + std::to_wstring(position) + L" " + (text ? quoted(*text) : L"unreadable") +
                   (position == selected ? L" selected" : L""));
    }
    print_line(L"items " + std::to_wstring(count));
    return true;
}

bool type_text(const session& s, const std::wstring& id, const std::wstring& text) {
    HWND edit = usable_or_fail(s, id, L"edit", is_edit);
    if (!edit) return false;
    if (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) return fail(L"edit " + id + L" is read-only");
    if (!send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())))
        return fail(L"edit " + id + L" refused the text");
    notify_parent(edit, EN_CHANGE);
    print_line(L"typed " + id + L" " + quoted(text));
    return true;
}

// A real click (BM_CLICK) lets the button do what it does for the mouse: an automatic check box
// toggles, an automatic radio button checks itself and clears the others of its group, and the
// parent receives BN_CLICKED.  A click cannot clear a radio button.
bool set_check(const session& s, const std::wstring& id, bool checked) {
    HWND button = usable_or_fail(s, id, L"check box or radio button", is_checkable);
    if (!button) return false;
    const wchar_t* fact = checked ? L"checked " : L"unchecked ";
    if (is_checked(button) != checked) {
        if (!checked && is_radio(button))
            return fail(L"radio button " + id + L" cannot be cleared: check another of its group");
        deliver(button, BM_CLICK, 0, 0);
        if (!settles(s, [&] { return is_checked(button) == checked; }))
            return fail(L"button " + id + L" did not become " + (checked ? L"checked" : L"unchecked"));
    }
    print_line(fact + id);
    return true;
}

bool expect_text(const session& s, const std::wstring& id, const std::wstring& text) {
    if (!find_or_fail(s, id)) return false;
    const int number = *parse_id(id);
    // Looked up again each time: the wanted control may be on a page that is about to be shown.
    HWND control = nullptr;
    if (!settles(s, [&] {
            control = find_control(s.current(), number);
            return control && escaped(control_text(control)) == text;
        }))
        return fail(id + L" is " + (control ? quoted(control_text(control)) : L"gone") + L", expected \"" + text +
                    L"\"");
    print_line(L"expected " + id + L" \"" + text + L"\"");
    return true;
}

bool expect_state(const session& s, const std::wstring& id, control_state state) {
    if (!find_or_fail(s, id)) return false;
    const int number = *parse_id(id);
    struct meaning {
        const wchar_t* name;
        bool (*holds)(HWND);
    };
    static constexpr meaning meanings[] = {
        {L"enabled", [](HWND c) { return IsWindowEnabled(c) != FALSE; }},
        {L"disabled", [](HWND c) { return IsWindowEnabled(c) == FALSE; }},
        {L"visible", [](HWND c) { return IsWindowVisible(c) != FALSE; }},
        {L"hidden", [](HWND c) { return IsWindowVisible(c) == FALSE; }},
        {L"checked", [](HWND c) { return is_checkable(c) && is_checked(c); }},
        {L"unchecked", [](HWND c) { return is_checkable(c) && !is_checked(c); }},
    };
    const meaning& wanted = meanings[static_cast<int>(state)];
    if (!settles(s, [&] {
            HWND control = find_control(s.current(), number);
            return control && wanted.holds(control);
        }))
        return fail(id + L" is not " + wanted.name);
    print_line(L"expected " + id + L" " + wanted.name);
    return true;
}

}  // namespace e2e
