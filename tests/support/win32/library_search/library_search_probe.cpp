// Win32-only: a program that loads a system library the way one of its modes says, then answers
// through its exit code whether the copy it got is the planted one beside it (10) or not (0).
//
//   library_search_probe plain       LoadLibraryW(name): the loader's standard search
//   library_search_probe default     LoadLibraryExW(name, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)
//   library_search_probe restricted  the program's start-up restriction, then LoadLibraryW(name)
//   library_search_probe bound       the security adapter's run-time binding of secur32
#include "app/win32/library_search.h"
#include "os/security.h"
#include "os/win32/security_win32.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace {

constexpr const wchar_t* library_name = L"secur32.dll";
constexpr int planted = 10;
constexpr int not_planted = 0;
constexpr int usage = 2;

int answer() {
    const HMODULE module = ::GetModuleHandleW(library_name);
    if (!module) return not_planted;
    return ::GetProcAddress(module, "lignotek_planted_marker") ? planted : not_planted;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return usage;
    const std::wstring_view mode = argv[1];
    if (mode == L"plain") {
        (void)::LoadLibraryW(library_name);
    } else if (mode == L"default") {
        (void)::LoadLibraryExW(library_name, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    } else if (mode == L"restricted") {
        (void)app::win32::RestrictLibrarySearchToSystem32();
        (void)::LoadLibraryW(library_name);
    } else if (mode == L"bound") {
        const auto security = os::win32::make_system_security();
        std::vector<std::byte> sid;
        (void)security->current_user_sid(sid);
    } else {
        return usage;
    }
    return answer();
}
