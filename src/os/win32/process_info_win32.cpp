// Win32-only: where the running program's file is, as the run time and the loader record it.
#include "os/win32/process_info_win32.h"

#include <windows.h>

#include <cstdlib>

namespace os::win32 {

bool process_info_adapter::runtime_program_path(std::wstring& path) {
    // The run time fills its wide record only for programs with a wide entry point.  The record is
    // read directly: the system's msvcrt.dll does not export _get_wpgmptr on every version.
    const wchar_t* recorded = _wpgmptr;
    if (recorded == nullptr || *recorded == L'\0') return false;
    path = recorded;
    return true;
}

std::wstring process_info_adapter::module_file_name() {
    wchar_t buffer[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    buffer[MAX_PATH - 1] = L'\0';  // older systems leave a cut path unterminated
    return buffer;
}

}  // namespace os::win32
