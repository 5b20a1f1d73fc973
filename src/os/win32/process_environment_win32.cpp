// Win32-only: the process-environment port over IsProcessorFeaturePresent, SetErrorMode and the
// common controls library.
#include "os/win32/process_environment_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <cwctype>
#include <string>

namespace os::win32 {

namespace {

// The module was loaded from the side-by-side folder of the Common-Controls 6.0 assembly.
bool is_common_controls_6_assembly(HMODULE library) {
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameW(library, path, MAX_PATH) == 0) return false;
    std::wstring lower(path);
    for (auto& c : lower) c = static_cast<wchar_t>(towlower(c));
    return lower.find(L"\\winsxs\\") != std::wstring::npos &&
           lower.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0.") != std::wstring::npos;
}

}  // namespace

bool process_environment_adapter::processor_feature_present(std::uint32_t feature) {
    return IsProcessorFeaturePresent(feature) != FALSE;
}

void process_environment_adapter::add_error_mode(std::uint32_t bits) { SetErrorMode(GetErrorMode() | bits); }

std::uint32_t process_environment_adapter::common_controls_major_version() {
    // Ask the library that provides InitCommonControlsEx to this program: the one the manifest
    // selected, which need not be the one a plain name lookup finds.
    HMODULE library = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&InitCommonControlsEx)), &library))
        return 0;
    auto get_version =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
    if (!get_version) return 0;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(get_version(&info))) return 0;
    if (info.dwMajorVersion < 6 && is_common_controls_6_assembly(library)) {
        // Wine's library answers 5.81 even when it is loaded as the 6.0 assembly of the manifest.
        return 6;
    }
    return info.dwMajorVersion;
}

bool process_environment_adapter::init_common_controls(std::uint32_t structure_size, std::uint32_t classes) {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = structure_size;
    init.dwICC = classes;
    return InitCommonControlsEx(&init) != FALSE;
}

}  // namespace os::win32
