// Win32-only: the process's library search (see library_search.h).
#include "app/win32/library_search.h"

#include <windows.h>

namespace app::win32 {

namespace {

using set_default_dll_directories_function = BOOL(WINAPI*)(DWORD);

}  // namespace

bool RestrictLibrarySearchToSystem32() noexcept {
    // kernel32 is mapped into every process: asking for its handle loads nothing.
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto restrict_search = reinterpret_cast<set_default_dll_directories_function>(
        reinterpret_cast<void*>(kernel ? ::GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr));
    if (restrict_search && restrict_search(LOAD_LIBRARY_SEARCH_SYSTEM32)) return true;
    (void)::SetDllDirectoryW(L"");
    return false;
}

}  // namespace app::win32
