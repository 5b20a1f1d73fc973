// Win32-only: whether the test program runs under Wine, which exports wine_get_version from ntdll.
#pragma once

#include <windows.h>

namespace test_support {

inline bool running_under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace test_support
