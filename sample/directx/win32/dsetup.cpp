// Win32-only: DSetup.dll, the sample product's stand-in for the DirectX setup library.  It reports
// a DirectX 9 runtime, and its setup function checks that the runtime's files are in the source
// folder, reports its progress through the caller's callback and succeeds without changing the
// system.
#include "directx/win32/directx_setup_api.h"

#include <array>
#include <string>

namespace api = directx_setup_api;

namespace {

// The caller's callback lives in the library's state, as the setup API defines it: the setup
// function has no parameter to pass it.
class callback_slot {
public:
    static callback_slot& instance() {
        static callback_slot slot;
        return slot;
    }
    void set(api::callback callback) { callback_ = callback; }
    void report(api::progress_info& info) const {
        if (callback_) callback_(api::callback_progress, MB_OK, nullptr, nullptr, &info);
    }

private:
    api::callback callback_ = nullptr;
};

bool file_exists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

extern "C" {

INT WINAPI DirectXSetupGetVersion(DWORD* version, DWORD* revision) {
    if (version) *version = api::runtime_version;
    if (revision) *revision = api::runtime_revision;
    return 1;
}

INT WINAPI DirectXSetupSetCallback(api::callback callback) {
    callback_slot::instance().set(callback);
    return 1;
}

INT WINAPI DirectXSetupW(HWND, LPWSTR sourceFolder, DWORD) {
    std::wstring companion = sourceFolder ? sourceFolder : L"";
    if (!companion.empty() && companion.back() != L'\\') companion += L'\\';
    companion += L"dsetup32.dll";
    if (!file_exists(companion)) return api::source_file_missing;

    constexpr std::array<DWORD, 3> phases = {4, 4, 2};  // copying, registering, finishing
    DWORD overall = 0;
    const DWORD total = phases[0] + phases[1] + phases[2];
    for (DWORD phase = 0; phase < phases.size(); ++phase) {
        for (DWORD step = 1; step <= phases[phase]; ++step) {
            api::progress_info info{phase, phases[phase], step, total, ++overall};
            callback_slot::instance().report(info);
        }
    }
    return api::success;
}

}  // extern "C"
