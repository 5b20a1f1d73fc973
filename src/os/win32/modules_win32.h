// Win32-only: the loadable-modules port over LoadLibraryExW, GetProcAddress and FreeLibrary.
#pragma once

#include "os/modules.h"

#include <windows.h>

#include <string_view>

namespace os::win32 {

// LoadLibraryExW(name, no file, search), `search` being LOAD_LIBRARY_SEARCH_* flags.  Where the system
// does not know them (ERROR_INVALID_PARAMETER), the library by its full path (`name` when absolute,
// else System32's) with LOAD_WITH_ALTERED_SEARCH_PATH.  Never flags 0, which would search the
// program's folder, the current directory and PATH.  Null with the thread's last error on failure.
[[nodiscard]] HMODULE load_library_restricted(std::wstring_view name, DWORD search);

class modules_adapter final : public modules {
public:
    std::error_code load(std::wstring_view full_path, library_search search, library_handle& module) override;
    library_symbol symbol(library_handle module, const char* name) override;
    void free(library_handle module) noexcept override;
};

}  // namespace os::win32
