// Win32-only: the process-environment port over IsProcessorFeaturePresent, SetErrorMode and the
// common controls library.
#include "os/win32/process_environment_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

namespace os::win32 {

bool process_environment_adapter::processor_feature_present(std::uint32_t feature) {
    return IsProcessorFeaturePresent(feature) != FALSE;
}

void process_environment_adapter::add_error_mode(std::uint32_t bits) {
    SetErrorMode(GetErrorMode() | bits);
}

std::uint32_t process_environment_adapter::common_controls_major_version() {
    // The library the manifest selected is already loaded: ask it, without loading another one.
    HMODULE library = GetModuleHandleW(L"comctl32.dll");
    if (!library) return 0;
    auto get_version = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
    if (!get_version) return 0;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(get_version(&info))) return 0;
    return info.dwMajorVersion;
}

bool process_environment_adapter::init_common_controls(std::uint32_t structure_size, std::uint32_t classes) {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = structure_size;
    init.dwICC = classes;
    return InitCommonControlsEx(&init) != FALSE;
}

}  // namespace os::win32
