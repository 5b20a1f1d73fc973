// Win32-only: removing the running uninstaller.
#include "uninstaller/win32/self_removal.h"

#include "uninstaller/uninstall_plan.h"

#include <windows.h>

namespace sample {
namespace {

constexpr wchar_t uninstaller_name[] = L"Uninstall.exe";

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring file_name(const std::wstring& path) {
    const auto slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring temp_folder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return n == 0 || n > MAX_PATH ? std::wstring() : std::wstring(buffer, n);
}

void schedule_at_restart(const std::wstring& path) {
    (void)MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

class process_handles {
public:
    PROCESS_INFORMATION info{};
    ~process_handles() {
        if (info.hThread) CloseHandle(info.hThread);
        if (info.hProcess) CloseHandle(info.hProcess);
    }
};

}  // namespace

bool start_self_removal(const std::wstring& program, const std::vector<std::wstring>& folders) {
    const std::wstring temp = temp_folder();
    if (!temp.empty()) {
        const std::wstring copy = temp + L"Lignotek-Uninstall-" + std::to_wstring(GetCurrentProcessId()) + L".exe";
        if (CopyFileW(program.c_str(), copy.c_str(), FALSE)) {
            SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
            std::wstring command = quoted(copy) + L" " + delete_me_switch + L" " + quoted(program);
            for (const auto& folder : folders) command += L" " + quoted(folder);
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            process_handles process;
            if (CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, temp.c_str(),
                               &startup, &process.info))
                return true;
            DeleteFileW(copy.c_str());
        }
    }
    schedule_at_restart(program);
    for (const auto& folder : folders) schedule_at_restart(folder);
    return true;
}

bool finish_self_removal(const std::wstring& self, const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return false;
    const std::wstring& program = arguments.front();
    if (!is_local_absolute_path(program) || lstrcmpiW(file_name(program).c_str(), uninstaller_name) != 0) return false;
    for (std::size_t i = 1; i < arguments.size(); ++i)
        if (!is_local_absolute_path(arguments[i]) || !is_within(program, arguments[i]) || program == arguments[i])
            return false;

    // The original is still ending: try for a while.
    bool deleted = false;
    for (int attempt = 0; attempt < 100 && !deleted; ++attempt) {
        SetFileAttributesW(program.c_str(), FILE_ATTRIBUTE_NORMAL);
        deleted = DeleteFileW(program.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
        if (!deleted) Sleep(100);
    }
    if (!deleted) schedule_at_restart(program);
    for (std::size_t i = 1; i < arguments.size(); ++i)
        if (!RemoveDirectoryW(arguments[i].c_str()) && !deleted) schedule_at_restart(arguments[i]);
    schedule_at_restart(self);
    return deleted;
}

}  // namespace sample
