// Win32-only: the loadable-modules port over the system's loader.
#include "os/win32/modules_win32.h"

#include "os/win_error.h"
#include "vd/win_path.h"

#include <string>
#include <vector>

namespace os::win32 {

namespace {

// The search flags of KB2533623; systems without that update answer ERROR_INVALID_PARAMETER.
DWORD flags_of(library_search search) {
    switch (search) {
        case library_search::own_folder_and_system32:
            return LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
        case library_search::system32:
            break;
    }
    return LOAD_LIBRARY_SEARCH_SYSTEM32;
}

std::wstring system32_path(std::wstring_view name) {
    std::vector<wchar_t> folder(MAX_PATH + 1);
    const UINT length = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length == 0 || length >= folder.size()) return {};
    return vd::path::append(std::wstring(folder.data(), length), name);
}

}  // namespace

HMODULE load_library_restricted(std::wstring_view name, DWORD search) {
    const std::wstring library(name);
    HMODULE loaded = ::LoadLibraryExW(library.c_str(), nullptr, search);
    if (loaded || ::GetLastError() != ERROR_INVALID_PARAMETER) return loaded;
    const std::wstring full = vd::path::is_absolute(name) ? library : system32_path(name);
    if (full.empty()) return nullptr;
    return ::LoadLibraryExW(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::error_code modules_adapter::load(std::wstring_view full_path, library_search search, library_handle& module) {
    if (!vd::path::is_absolute(full_path)) return win_error(errc::invalid_parameter);
    const HMODULE loaded = load_library_restricted(full_path, flags_of(search));
    if (!loaded) return win_error(::GetLastError());
    module = reinterpret_cast<library_handle>(loaded);
    return {};
}

library_symbol modules_adapter::symbol(library_handle module, const char* name) {
    if (module == 0) return nullptr;
    return reinterpret_cast<library_symbol>(::GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

void modules_adapter::free(library_handle module) noexcept {
    if (module != 0) ::FreeLibrary(reinterpret_cast<HMODULE>(module));
}

}  // namespace os::win32
