// Win32-only: the host's operations on edit controls, progress bars and extended combo boxes, each
// sent only to a control of that class (their messages mean other things to other classes).
#include <string>

#include "wizard/framework/win32/win32_dialog_host.h"
#include "wizard/framework/win32/win32_dialog_system.h"
#include "wizard/framework/win32/win32_text.h"

namespace wizard {

namespace {

// EM_SETSEL's start past any text: the caret goes to the end.
constexpr WPARAM past_the_end = 0x7FFFFFFF;

bool item_of(HWND list, int position, COMBOBOXEXITEMW& item) {
    if (position < 0 || position >= static_cast<int>(::SendMessageW(list, CB_GETCOUNT, 0, 0))) return false;
    item.iItem = position;
    return ::SendMessageW(list, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

}  // namespace

void win32_dialog_host::set_read_only(int id, bool read_only) {
    if (const HWND control = edit(id)) ::SendMessageW(control, EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
}

void win32_dialog_host::limit_text(int id, std::size_t maximum) {
    if (const HWND control = edit(id)) ::SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(maximum), 0);
}

bool win32_dialog_host::is_read_only(int id) {
    const HWND control = edit(id);
    return control != nullptr && (::GetWindowLongW(control, GWL_STYLE) & ES_READONLY) != 0;
}

std::pair<int, int> win32_dialog_host::edit_margins(int id) {
    const HWND control = edit(id);
    if (control == nullptr) return {0, 0};
    const auto margins = static_cast<DWORD>(::SendMessageW(control, EM_GETMARGINS, 0, 0));
    return {LOWORD(margins), HIWORD(margins)};
}

void win32_dialog_host::append_edit_text(int id, std::wstring_view text) {
    const HWND control = edit(id);
    if (control == nullptr) return;
    ::SendMessageW(control, EM_SETSEL, past_the_end, -1);
    ::SendMessageW(control, EM_SCROLLCARET, 0, 0);
    const std::wstring inserted(text);
    ::SendMessageW(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(inserted.c_str()));
}

void win32_dialog_host::scroll_edit_lines(int id, int lines) {
    if (const HWND control = edit(id)) ::SendMessageW(control, EM_LINESCROLL, 0, lines);
}

int win32_dialog_host::first_visible_line(int id) {
    const HWND control = edit(id);
    return control ? static_cast<int>(::SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0)) : 0;
}

void win32_dialog_host::set_progress_range(int id, int low, int high) {
    if (const HWND control = progress(id)) ::SendMessageW(control, PBM_SETRANGE32, static_cast<WPARAM>(low), high);
}

void win32_dialog_host::set_progress_position(int id, int position) {
    if (const HWND control = progress(id)) ::SendMessageW(control, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int win32_dialog_host::progress_position(int id) {
    const HWND control = progress(id);
    return control ? static_cast<int>(::SendMessageW(control, PBM_GETPOS, 0, 0)) : 0;
}

void win32_dialog_host::create_list_images(int id, int width, int height, int initial, int grow) {
    const HWND control = list(id);
    if (control == nullptr) return;
    unique_himagelist images(::ImageList_Create(width, height, ILC_COLOR24, initial, grow));
    if (!images) return;
    ::SendMessageW(control, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    images_[id] = std::move(images);  // a list given before is destroyed once replaced
}

int win32_dialog_host::add_list_item(int id, std::wstring_view text, std::uint16_t icon_id, int icon_width,
                                     int icon_height, std::intptr_t data) {
    const HWND control = list(id);
    if (control == nullptr) return -1;
    int image = -1;
    if (const auto images = images_.find(id); images != images_.end()) {
        const os::win32::unique_hicon icon(static_cast<HICON>(::LoadImageW(
            system_.module(), MAKEINTRESOURCEW(icon_id), IMAGE_ICON, icon_width, icon_height, LR_DEFAULTCOLOR)));
        if (icon) image = ::ImageList_AddIcon(images->second.get(), icon.get());  // the list keeps a copy
    }
    std::wstring itemText(text);
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
    item.iItem = -1;  // at the end
    item.pszText = itemText.data();
    item.iImage = image;
    item.iSelectedImage = image;
    item.lParam = data;
    return static_cast<int>(::SendMessageW(control, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int win32_dialog_host::list_selection(int id) {
    const HWND control = list(id);
    return control ? static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0)) : -1;
}

void win32_dialog_host::select_list_item(int id, int position) {
    if (const HWND control = list(id)) ::SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

std::optional<std::intptr_t> win32_dialog_host::list_item_data(int id, int position) {
    const HWND control = list(id);
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_LPARAM;
    if (control == nullptr || !item_of(control, position, item)) return std::nullopt;
    return item.lParam;
}

int win32_dialog_host::list_count(int id) {
    const HWND control = list(id);
    const auto count = control ? static_cast<int>(::SendMessageW(control, CB_GETCOUNT, 0, 0)) : 0;
    return count < 0 ? 0 : count;
}

std::wstring win32_dialog_host::list_item_text(int id, int position) {
    const HWND control = list(id);
    if (control == nullptr) return {};
    // CBEM_GETITEM cuts the text to the buffer: grow it until the text fits.
    for (std::size_t capacity = 256; capacity <= 65536; capacity *= 4) {
        std::wstring text(capacity, L'\0');
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(capacity);
        if (!item_of(control, position, item)) return {};
        text.resize(std::wstring_view(text.c_str()).size());
        if (text.size() + 1 < capacity) return text;
    }
    return {};
}

int win32_dialog_host::list_text_width(int id, std::wstring_view text) {
    const HWND control = list(id);
    if (control == nullptr) return 0;
    return win32::text_width(reinterpret_cast<HWND>(::SendMessageW(control, CBEM_GETCOMBOCONTROL, 0, 0)), text);
}

void win32_dialog_host::set_dropped_width(int id, int width) {
    if (const HWND control = list(id)) ::SendMessageW(control, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

}  // namespace wizard
