// Win32-only: the loadable-modules port over the system's loader.
#include "os/win32/modules_win32.h"

#include "os/win_error.h"
#include "vd/win_path.h"

#include <windows.h>

#include <string>

namespace os::win32 {

namespace {

// The search flags of KB2533623; systems without that update answer ERROR_INVALID_PARAMETER.
constexpr DWORD library_folder_and_system32 =
    0x00000100 /* LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR */ | 0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */;

}  // namespace

std::error_code modules_adapter::load(std::wstring_view full_path, library_handle& module) {
    if (!vd::path::is_absolute(full_path)) return win_error(errc::invalid_parameter);
    const std::wstring path(full_path);
    HMODULE loaded = LoadLibraryExW(path.c_str(), nullptr, library_folder_and_system32);
    if (!loaded && GetLastError() == ERROR_INVALID_PARAMETER)
        loaded = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!loaded) return win_error(GetLastError());
    module = reinterpret_cast<library_handle>(loaded);
    return {};
}

library_symbol modules_adapter::symbol(library_handle module, const char* name) {
    if (module == 0) return nullptr;
    return reinterpret_cast<library_symbol>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

void modules_adapter::free(library_handle module) noexcept {
    if (module != 0) FreeLibrary(reinterpret_cast<HMODULE>(module));
}

}  // namespace os::win32
