// Win32-only: a library planted beside the program under the name of one it binds at run time
// (secur32.dll) is loaded by the loader's usual searches, and not once the program's restriction or
// its own run-time binding is in force.  Each case runs the probe program from a fresh folder that
// holds the probe and the planted copy.
#include "support/win32/running_under_wine.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD planted_was_loaded = 10;

std::wstring own_folder() {
    std::vector<wchar_t> path(32768);
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring full(path.data(), length);
    return full.substr(0, full.find_last_of(L"\\/"));
}

// Wine takes its own built-in copy of a system library wherever the file is found.  Told to prefer
// the file for the probe, as Windows does for a library that is not one of its known DLLs, it shows
// what the search finds.  Windows has no such setting and needs none.
class PreferLibraryFilesForTheProbe {
public:
    PreferLibraryFilesForTheProbe() {
        if (!test_support::running_under_wine()) return;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        constexpr wchar_t order[] = L"native,builtin";
        (void)::RegSetValueExW(key, L"secur32", 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof order);
        ::RegCloseKey(key);
        set_ = true;
    }
    ~PreferLibraryFilesForTheProbe() {
        if (set_) (void)::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\library_search_probe.exe");
    }
    PreferLibraryFilesForTheProbe(const PreferLibraryFilesForTheProbe&) = delete;
    PreferLibraryFilesForTheProbe& operator=(const PreferLibraryFilesForTheProbe&) = delete;

private:
    static constexpr const wchar_t* key_path = L"Software\\Wine\\AppDefaults\\library_search_probe.exe\\DllOverrides";
    bool set_ = false;
};

// A download folder: the probe and, beside it, the planted library.
class PlantedFolder {
public:
    PlantedFolder() {
        std::vector<wchar_t> temp(MAX_PATH + 1);
        const DWORD length = ::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
        folder_ = std::wstring(temp.data(), length) + L"lignotek-planted-" + std::to_wstring(::GetCurrentProcessId());
        (void)::CreateDirectoryW(folder_.c_str(), nullptr);
        const std::wstring build = own_folder();
        copied_ = ::CopyFileW((build + L"\\library_search_probe.exe").c_str(), probe().c_str(), FALSE) &&
                  ::CopyFileW((build + L"\\planted_library.dll").c_str(), planted().c_str(), FALSE);
    }
    ~PlantedFolder() {
        (void)::DeleteFileW(probe().c_str());
        (void)::DeleteFileW(planted().c_str());
        (void)::RemoveDirectoryW(folder_.c_str());
    }
    PlantedFolder(const PlantedFolder&) = delete;
    PlantedFolder& operator=(const PlantedFolder&) = delete;

    [[nodiscard]] bool ready() const { return copied_; }
    [[nodiscard]] std::wstring probe() const { return folder_ + L"\\library_search_probe.exe"; }
    [[nodiscard]] std::wstring planted() const { return folder_ + L"\\secur32.dll"; }

    // The probe's exit code for `mode`, started with this folder as its current directory too.
    [[nodiscard]] DWORD run(const std::wstring& mode) const {
        std::wstring command = L"\"" + probe() + L"\" " + mode;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(probe().c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                              &startup, &process))
            return ~DWORD{0};
        (void)::WaitForSingleObject(process.hProcess, 60000);
        DWORD code = ~DWORD{0};
        (void)::GetExitCodeProcess(process.hProcess, &code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return code;
    }

private:
    std::wstring folder_;
    bool copied_ = false;
};

TEST(LibrarySearch, APlantedSystemLibraryIsLoadedByTheUsualSearchesOnly) {
    const PreferLibraryFilesForTheProbe preferFiles;
    const PlantedFolder folder;
    ASSERT_TRUE(folder.ready());
    const struct {
        const wchar_t* mode;
        bool loads_planted;
    } cases[] = {
        // Without a restriction the loader takes the copy beside the program: the attack is real here.
        {L"plain", true},
        {L"default", true},  // the default directories, which the binding used, include the program's folder
        // The start-up restriction and the security adapter's binding look in System32 only.
        {L"restricted", false},
        {L"bound", false},
    };
    for (const auto& c : cases) {
        const DWORD code = folder.run(c.mode);
        ASSERT_NE(code, ~DWORD{0}) << "the probe did not run";
        EXPECT_EQ(code == planted_was_loaded, c.loads_planted)
            << std::string(c.mode, c.mode + wcslen(c.mode)) << " answered " << code;
    }
}

}  // namespace
