// Win32-only: the processes port over the system's process calls.
#include "os/win32/processes_win32.h"

#include "os/win32/unique_handle.h"
#include "os/win_error.h"

#include <windows.h>

#include <string>
#include <vector>

namespace os::win32 {

namespace {

HANDLE to_handle(process_handle process) { return reinterpret_cast<HANDLE>(process); }

}  // namespace

std::error_code processes_adapter::start(const process_start& start, process_handle& process) {
    // CreateProcessW may write into its command line: it gets a copy of its own.
    std::vector<wchar_t> command(start.command_line.begin(), start.command_line.end());
    command.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = start.show_window;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, start.creation_flags, nullptr,
                        start.working_directory.empty() ? nullptr : start.working_directory.c_str(), &startup,
                        &created))
        return win_error(GetLastError());
    unique_handle thread(created.hThread);
    process = reinterpret_cast<process_handle>(created.hProcess);
    return {};
}

wait_result processes_adapter::wait(process_handle process, std::uint32_t milliseconds) {
    switch (WaitForSingleObject(to_handle(process), milliseconds)) {
        case WAIT_OBJECT_0:
            return wait_result::signaled;
        case WAIT_TIMEOUT:
            return wait_result::timeout;
        case WAIT_ABANDONED:
            return wait_result::abandoned;
        default:
            return wait_result::failed;
    }
}

std::error_code processes_adapter::exit_code(process_handle process, std::uint32_t& code) {
    DWORD value = 0;
    if (!GetExitCodeProcess(to_handle(process), &value)) return win_error(GetLastError());
    code = value;
    return {};
}

void processes_adapter::close(process_handle process) noexcept {
    if (process != 0) CloseHandle(to_handle(process));
}

}  // namespace os::win32
