// Win32-only: sample-probe.exe, the test program that looks at the sample product's programs from
// outside, one question per command; it prints what it finds and ends with 0 when all is as expected.
//
//   sample-probe dsetup DSETUP.dll SOURCE_FOLDER   the three setup functions load and answer
//   sample-probe language LIBRARY.dll CODE          string 2 of a language library is CODE
//   sample-probe version FILE                       prints the file version "a.b.c.d"
//   sample-probe counter PROGRAM SEMAPHORE TITLE    the started program shows a window titled TITLE
//                                                   and counts itself in the semaphore
#include "directx/win32/directx_setup_api.h"

#include <cstdio>
#include <string>
#include <vector>

namespace api = directx_setup_api;

namespace {

int fail(const wchar_t* what) {
    std::fwprintf(stdout, L"FAIL: %ls\n", what);
    return 1;
}

class library {
public:
    library(const std::wstring& path, DWORD flags) : module_(LoadLibraryExW(path.c_str(), nullptr, flags)) {}
    ~library() {
        if (module_) FreeLibrary(module_);
    }
    library(const library&) = delete;
    library& operator=(const library&) = delete;
    [[nodiscard]] HMODULE get() const { return module_; }
    template <class Function>
    [[nodiscard]] Function function(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

// The progress reports of one setup run.  The callback has no context parameter, so the count
// lives here for the one run this program makes.
struct progress_count {
    static int& value() {
        static int count = 0;
        return count;
    }
};

DWORD CALLBACK count_progress(DWORD reason, DWORD, LPSTR, LPSTR, void* info) {
    if (reason == api::callback_progress && info) ++progress_count::value();
    return IDOK;
}

int probe_dsetup(const std::wstring& path, std::wstring folder) {
    const library dsetup(path, 0);
    if (!dsetup.get()) return fail(L"DSetup.dll does not load");
    const auto get_version = dsetup.function<api::get_version_function>("DirectXSetupGetVersion");
    const auto set_callback = dsetup.function<api::set_callback_function>("DirectXSetupSetCallback");
    const auto setup = dsetup.function<api::setup_function>("DirectXSetupW");
    if (!get_version || !set_callback || !setup) return fail(L"an export is missing");
    DWORD version = 0, revision = 0;
    if (!get_version(&version, &revision)) return fail(L"DirectXSetupGetVersion failed");
    std::fwprintf(stdout, L"version %08lx revision %lu\n", version, revision);
    if (version != api::runtime_version || revision != api::runtime_revision) return fail(L"unexpected version");
    set_callback(count_progress);
    const INT result = setup(nullptr, folder.data(), api::install_directx);
    std::fwprintf(stdout, L"setup %d progress %d\n", result, progress_count::value());
    if (result != api::success || progress_count::value() < 2) return fail(L"the setup did not report and succeed");
    return 0;
}

int probe_language(const std::wstring& path, const std::wstring& code) {
    const library language(path, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!language.get()) return fail(L"the language library does not load");
    wchar_t name[128] = {}, found[16] = {};
    LoadStringW(language.get(), 1, name, 128);
    LoadStringW(language.get(), 2, found, 16);
    std::fwprintf(stdout, L"language %ls, name of %u characters\n", found, static_cast<unsigned>(lstrlenW(name)));
    return code == found && name[0] ? 0 : fail(L"unexpected language strings");
}

int probe_version(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<std::byte> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return fail(L"no version resource");
    std::fwprintf(stdout, L"%lu.%lu.%lu.%lu\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    return 0;
}

struct window_search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK find_process_window(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<window_search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

class kernel_handle {
public:
    explicit kernel_handle(HANDLE handle) : handle_(handle) {}
    ~kernel_handle() {
        if (handle_) CloseHandle(handle_);
    }
    kernel_handle(const kernel_handle&) = delete;
    kernel_handle& operator=(const kernel_handle&) = delete;
    [[nodiscard]] HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The units in the semaphore: one more is released and at once taken back.
long counted_units(const std::wstring& name) {
    const kernel_handle semaphore(OpenSemaphoreW(SEMAPHORE_ALL_ACCESS, FALSE, name.c_str()));
    if (!semaphore.get()) return -1;
    LONG previous = 0;
    if (!ReleaseSemaphore(semaphore.get(), 1, &previous)) return -1;
    WaitForSingleObject(semaphore.get(), 0);
    return previous;
}

int probe_counter(const std::wstring& program, const std::wstring& semaphore, const std::wstring& title) {
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return fail(L"the program does not start");
    const kernel_handle process(info.hProcess), thread(info.hThread);
    window_search search{info.dwProcessId, nullptr};
    for (int attempt = 0; attempt < 300 && !search.found; ++attempt) {
        EnumWindows(find_process_window, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(100);
    }
    if (!search.found) {
        TerminateProcess(process.get(), 1);
        return fail(L"no window");
    }
    wchar_t text[256] = {};
    GetWindowTextW(search.found, text, 256);
    const long units = counted_units(semaphore);
    std::fwprintf(stdout, L"title \"%ls\" units %ld\n", text, units);
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        return fail(L"the program did not close");
    }
    DWORD exit = 1;
    GetExitCodeProcess(process.get(), &exit);
    const long after = counted_units(semaphore);
    std::fwprintf(stdout, L"exit %lu units after %ld\n", exit, after);
    if (title != text || units != 1 || exit != 0 || after > 0) return fail(L"unexpected window or count");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == L"dsetup") return probe_dsetup(args[1], args[2]);
    if (args.size() == 3 && args[0] == L"language") return probe_language(args[1], args[2]);
    if (args.size() == 2 && args[0] == L"version") return probe_version(args[1]);
    if (args.size() == 4 && args[0] == L"counter") return probe_counter(args[1], args[2], args[3]);
    std::fwprintf(stderr, L"usage: sample-probe dsetup|language|version|counter ...\n");
    return 2;
}
