// Win32-only: the shell's folder lookups; the buffer SHGetKnownFolderPath returns is freed with
// CoTaskMemFree whatever the outcome.
#include "os/win32/shell_folders_win32.h"

#include <windows.h>
#include <shlobj.h>

#include "os/win32/unique_handle.h"

namespace os::win32 {
namespace {

struct co_task_text_traits {
    using type = PWSTR;
    static type invalid() noexcept { return nullptr; }
    static void close(type text) noexcept { CoTaskMemFree(text); }
};
// A text the shell allocated with the COM task allocator; see CoTaskMemFree.
using unique_co_task_text = unique_any<co_task_text_traits>;

GUID to_guid(const known_folder_id& id) {
    GUID guid{};
    guid.Data1 = id.data1;
    guid.Data2 = id.data2;
    guid.Data3 = id.data3;
    for (int i = 0; i < 8; ++i) guid.Data4[i] = id.data4[static_cast<std::size_t>(i)];
    return guid;
}

HWND to_window(shell_owner owner) { return reinterpret_cast<HWND>(owner); }

}  // namespace

std::int32_t shell_folders_adapter::known_folder_path(const known_folder_id& id, std::uint32_t flags,
                                                      std::wstring& path) {
    const GUID guid = to_guid(id);
    unique_co_task_text text;
    const HRESULT result = SHGetKnownFolderPath(guid, flags, nullptr, text.put());
    if (FAILED(result)) return static_cast<std::int32_t>(result);
    path = text.get() != nullptr ? text.get() : L"";
    return static_cast<std::int32_t>(result);
}

bool shell_folders_adapter::special_folder_path(shell_owner owner, int csidl, bool create, std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(to_window(owner), buffer, csidl, create ? TRUE : FALSE)) return false;
    path = buffer;
    return true;
}

std::int32_t shell_folders_adapter::folder_path(shell_owner owner, int csidl, std::uint32_t type, std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    const HRESULT result = SHGetFolderPathW(to_window(owner), csidl, nullptr, type, buffer);
    if (result == S_OK) path = buffer;
    return static_cast<std::int32_t>(result);
}

void shell_folders_adapter::notify_folder_created(std::wstring_view folder) {
    const std::wstring path(folder);
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHW, path.c_str(), nullptr);
}

}  // namespace os::win32
