// Win32-only: reading the texts and states of another process's windows and controls.
#include "control_text.h"

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "unique_handle.h"

namespace e2e {

namespace {

constexpr UINT answer_timeout_ms = 2000;

bool is_combo_box_ex(HWND control) { return class_name(control) == WC_COMBOBOXEXW; }

// A memory block inside another process, freed with the object.
class remote_block {
public:
    remote_block(HANDLE process, std::size_t size) noexcept
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    remote_block(const remote_block&) = delete;
    remote_block& operator=(const remote_block&) = delete;
    ~remote_block() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    [[nodiscard]] char* get() const noexcept { return static_cast<char*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

// A ComboBoxEx keeps its item texts to itself: its inner combo box is owner-drawn without strings
// (CB_GETLBTEXT there gives the item's data, not its text), and CBEM_GETITEMW takes a structure
// whose pointers the system does not carry to another process.  (Wine's ComboBoxEx answers
// CB_GETLBTEXT itself with the text, but that is not the documented interface of the control.)
// So the structure and the text buffer are placed in the control's own process and read back
// from there.  The driver and the program are built for the same processor, so the structure has
// the same layout on both sides.
std::optional<std::wstring> combo_box_ex_item_text(HWND control, int position) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(control, &process_id);
    unique_handle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id));
    if (!process.valid()) return std::nullopt;
    constexpr int text_capacity = 512;
    remote_block block(process.get(), sizeof(COMBOBOXEXITEMW) + text_capacity * sizeof(wchar_t));
    if (!block.get()) return std::nullopt;
    wchar_t* remote_text = reinterpret_cast<wchar_t*>(block.get() + sizeof(COMBOBOXEXITEMW));
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = position;
    item.pszText = remote_text;
    item.cchTextMax = text_capacity;
    std::vector<wchar_t> text(text_capacity, L'\0');
    if (!WriteProcessMemory(process.get(), block.get(), &item, sizeof item, nullptr) ||
        !WriteProcessMemory(process.get(), remote_text, text.data(), text.size() * sizeof(wchar_t), nullptr))
        return std::nullopt;
    if (!send(control, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.get()))) return std::nullopt;
    // The control may answer with a pointer to its own copy of the text instead of filling the buffer.
    if (!ReadProcessMemory(process.get(), block.get(), &item, sizeof item, nullptr) ||
        !ReadProcessMemory(process.get(), item.pszText, text.data(), (text.size() - 1) * sizeof(wchar_t), nullptr))
        return std::nullopt;
    return std::wstring(text.data());
}

}  // namespace

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, answer_timeout_ms, &result)) return 0;
    return static_cast<LRESULT>(result);
}

void deliver(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    constexpr UINT handling_wait_ms = 500;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, handling_wait_ms, &result);
}

std::wstring class_name(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring window_text(HWND window) {
    // GetWindowTextW does not ask the controls of another process; WM_GETTEXT does.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, answer_timeout_ms, &length)) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        answer_timeout_ms, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

bool is_list(HWND control) {
    const std::wstring name = class_name(control);
    return name == WC_COMBOBOXW || name == WC_COMBOBOXEXW;
}

int item_count(HWND list) { return static_cast<int>(send(list, CB_GETCOUNT)); }

int selected_item(HWND list) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(list, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, answer_timeout_ms, &result)) return CB_ERR;
    return static_cast<int>(static_cast<LRESULT>(result));
}

std::optional<std::wstring> item_text(HWND list, int position) {
    if (position < 0 || position >= item_count(list)) return std::nullopt;
    if (is_combo_box_ex(list)) return combo_box_ex_item_text(list, position);
    // An owner-drawn combo box without strings holds data, not texts.
    const auto style = static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE));
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(style & CBS_HASSTRINGS)) return std::nullopt;
    // CB_GETLBTEXT of a combo box with strings is carried across processes.
    const LRESULT length = send(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(position));
    if (length < 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        send(list, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring control_text(HWND control) {
    if (is_list(control)) return item_text(control, selected_item(control)).value_or(L"");
    return window_text(control);
}

namespace {
DWORD button_type(HWND control) {
    if (class_name(control) != WC_BUTTONW) return BS_PUSHBUTTON;
    return static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)) & BS_TYPEMASK;
}
}  // namespace

bool is_checkable(HWND control) {
    switch (button_type(control)) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
    }
}

bool is_radio(HWND control) {
    const DWORD type = button_type(control);
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool is_checked(HWND control) { return send(control, BM_GETCHECK) == BST_CHECKED; }

}  // namespace e2e
