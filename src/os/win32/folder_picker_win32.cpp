// Win32-only: the shell's folder picker and the calls around it; item ids are freed with
// CoTaskMemFree whatever the outcome.
#include "os/win32/folder_picker_win32.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <exception>
#include <string>
#include <vector>

#include "os/win32/unique_handle.h"
#include "os/win_error.h"

namespace os::win32 {

namespace {

struct item_id_traits {
    using type = LPITEMIDLIST;
    static type invalid() noexcept { return nullptr; }
    static void close(type item) noexcept { CoTaskMemFree(item); }
};
// A shell item id list allocated with the COM task allocator; see CoTaskMemFree.
using unique_item_id = unique_any<item_id_traits>;

HWND to_hwnd(window_handle window) noexcept { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
window_handle to_handle(HWND window) noexcept {
    return static_cast<window_handle>(reinterpret_cast<std::uintptr_t>(window));
}

// SHGetPathFromIDListW: the item's file-system path, or none.
std::optional<std::wstring> path_of(LPCITEMIDLIST item) {
    if (item == nullptr) return std::nullopt;
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(item, buffer)) return std::nullopt;
    return std::wstring(buffer);
}

// What the callback reaches through BROWSEINFOW.lParam.
struct browse_context {
    folder_picker_events* events;
    std::exception_ptr failure;
};

// BFFCALLBACK (stdcall on i686).  Exceptions must not unwind through the shell: the first one is
// kept, the picker is closed and browse() rethrows it.
int CALLBACK browse_callback(HWND window, UINT message, LPARAM parameter, LPARAM data) {
    auto& context = *reinterpret_cast<browse_context*>(data);
    if (context.failure) return 0;
    try {
        switch (message) {
            case BFFM_INITIALIZED:
                context.events->initialized(to_handle(window));
                break;
            case BFFM_SELCHANGED:
                context.events->selection_changed(to_handle(window),
                                                  path_of(reinterpret_cast<LPCITEMIDLIST>(parameter)));
                break;
            case BFFM_VALIDATEFAILEDW:
                return context.events->validation_failed(to_handle(window), reinterpret_cast<const wchar_t*>(parameter))
                           ? 1
                           : 0;
            default:
                break;
        }
    } catch (...) {
        context.failure = std::current_exception();
        ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
}

std::error_code last_error() { return win_error(::GetLastError()); }

}  // namespace

std::optional<std::wstring> folder_picker_adapter::browse(const browse_request& request, folder_picker_events& events) {
    unique_item_id root;
    if (request.root && FAILED(::SHGetSpecialFolderLocation(to_hwnd(request.owner), *request.root, root.put()))) {
        root.reset();
    }
    browse_context context{&events, nullptr};
    BROWSEINFOW info{};
    info.hwndOwner = to_hwnd(request.owner);
    info.pidlRoot = root.get();
    info.pszDisplayName = nullptr;
    info.lpszTitle = request.title.empty() ? nullptr : request.title.c_str();
    info.ulFlags = request.flags;
    info.lpfn = &browse_callback;
    info.lParam = reinterpret_cast<LPARAM>(&context);
    const unique_item_id chosen(::SHBrowseForFolderW(&info));
    if (context.failure) std::rethrow_exception(context.failure);
    return path_of(chosen.get());
}

bool folder_picker_adapter::root_path(int csidl, std::wstring& path) {
    unique_item_id item;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, item.put()))) return false;
    auto found = path_of(item.get());
    if (!found) return false;
    path = *std::move(found);
    return true;
}

void folder_picker_adapter::set_selection(window_handle picker, std::wstring_view path) {
    const std::wstring folder(path);
    ::SendMessageW(to_hwnd(picker), BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
}

void folder_picker_adapter::set_expanded(window_handle picker, std::wstring_view path) {
    const std::wstring folder(path);
    ::SendMessageW(to_hwnd(picker), BFFM_SETEXPANDED, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
}

void folder_picker_adapter::enable_ok(window_handle picker, bool enable) {
    ::SendMessageW(to_hwnd(picker), BFFM_ENABLEOK, 0, enable ? TRUE : FALSE);
}

window_handle folder_picker_adapter::find_edit_box(window_handle picker) {
    return to_handle(::FindWindowExW(to_hwnd(picker), nullptr, L"Edit", nullptr));
}

void folder_picker_adapter::replace_edit_text(window_handle edit, std::wstring_view text) {
    const std::wstring shown(text);
    ::SetWindowTextW(to_hwnd(edit), shown.c_str());
    ::SendMessageW(to_hwnd(edit), EM_SETSEL, 0, -1);
}

int folder_picker_adapter::message_box(window_handle owner, std::wstring_view text, std::uint32_t type) {
    const std::wstring body(text);
    const int answer = ::MessageBoxW(to_hwnd(owner), body.c_str(), nullptr, type);
    return answer < 0 ? 0 : answer;
}

bool folder_picker_adapter::is_directory(std::wstring_view path) {
    const std::wstring folder(path);
    return ::PathIsDirectoryW(folder.c_str()) != FALSE;
}

std::error_code folder_picker_adapter::current_directory(std::wstring& path) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return last_error();
        // Too small: the answer is the size needed, terminator included.
        if (length >= buffer.size()) {
            buffer.resize(length);
            continue;
        }
        path.assign(buffer.data(), length);
        return {};
    }
}

std::error_code folder_picker_adapter::set_current_directory(std::wstring_view path) {
    const std::wstring folder(path);
    if (!::SetCurrentDirectoryW(folder.c_str())) return last_error();
    return {};
}

bool folder_picker_adapter::search_and_qualify(std::wstring_view path, std::wstring& qualified) {
    // Room for any path the system can form, so that a long result is whole rather than cut.
    constexpr UINT room = 32768;
    const std::wstring name(path);
    std::vector<wchar_t> buffer(room, L'\0');
    if (!::PathSearchAndQualifyW(name.c_str(), buffer.data(), room) || buffer[0] == L'\0') return false;
    qualified.assign(buffer.data());
    return true;
}

std::int32_t folder_picker_adapter::initialize_com() { return static_cast<std::int32_t>(::CoInitialize(nullptr)); }

void folder_picker_adapter::uninitialize_com() { ::CoUninitialize(); }

}  // namespace os::win32
