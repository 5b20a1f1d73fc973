// Win32-only: the driver's steps on the started program and on the kernel objects through which
// it acts as another process of the product.
#include "output.h"
#include "session.h"

namespace e2e {

bool start_program(session& s, const std::wstring& program, std::wstring command_line) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return fail(L"cannot start " + program + L" (error " + std::to_wstring(GetLastError()) + L")");
    CloseHandle(info.hThread);
    s.process = unique_handle(info.hProcess);
    s.process_id = info.dwProcessId;
    print_line(L"started");
    return true;
}

bool wait_exit(const session& s, DWORD timeout_ms) {
    if (!s.process.valid()) return fail(L"no program started");
    if (WaitForSingleObject(s.process.get(), timeout_ms) != WAIT_OBJECT_0) return fail(L"program still running");
    DWORD code = 0;
    GetExitCodeProcess(s.process.get(), &code);
    print_line(L"exit " + std::to_wstring(static_cast<int>(code)));
    return true;
}

// A scenario that fails half-way would otherwise leave the program's window open on the shared
// desktop, holding the product's single-instance mutex for the scenarios that follow.
void end_program_after_failure(const session& s) {
    if (!s.process.valid() || WaitForSingleObject(s.process.get(), 0) == WAIT_OBJECT_0) return;
    if (TerminateProcess(s.process.get(), 3)) {
        WaitForSingleObject(s.process.get(), 5000);
        print_line(L"ended the program after the failure");
    }
}

bool hold_mutex(session& s, const std::wstring& name) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
    if (!mutex) return fail(L"cannot create mutex " + name);
    s.held_mutexes.emplace_back(mutex);
    print_line(L"holding " + name);
    return true;
}

bool add_unit(session& s, const std::wstring& name) {
    auto found = s.semaphores.find(name);
    if (found == s.semaphores.end()) {
        HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 0x7FFFFFFF, name.c_str());
        if (!semaphore) return fail(L"cannot create semaphore " + name);
        found = s.semaphores.emplace(name, unique_handle(semaphore)).first;
    }
    LONG previous = 0;
    if (!ReleaseSemaphore(found->second.get(), 1, &previous)) return fail(L"cannot add a unit to " + name);
    print_line(L"units " + std::to_wstring(previous + 1));
    return true;
}

bool take_unit(session& s, const std::wstring& name) {
    auto found = s.semaphores.find(name);
    if (found == s.semaphores.end() || WaitForSingleObject(found->second.get(), 0) != WAIT_OBJECT_0)
        return fail(L"no unit to take from " + name);
    print_line(L"took a unit");
    return true;
}

}  // namespace e2e
