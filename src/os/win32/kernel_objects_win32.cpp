// Win32-only: the kernel-objects port over the system's named mutexes and semaphores.
#include "os/win32/kernel_objects_win32.h"

#include "os/win_error.h"

#include <windows.h>

#include <string>

namespace os::win32 {

namespace {

HANDLE to_handle(kernel_handle handle) { return reinterpret_cast<HANDLE>(handle); }

// The security attributes for a descriptor given as bytes; null for default security.
struct security_attributes {
    explicit security_attributes(std::span<const std::byte> descriptor) {
        attributes.nLength = sizeof attributes;
        attributes.bInheritHandle = FALSE;
        attributes.lpSecurityDescriptor = const_cast<std::byte*>(descriptor.data());
        use = !descriptor.empty();
    }
    SECURITY_ATTRIBUTES* get() { return use ? &attributes : nullptr; }
    SECURITY_ATTRIBUTES attributes{};
    bool use = false;
};

std::error_code finish_create(HANDLE created, kernel_handle& handle, bool& already_existed) {
    // The last error of the create call tells an opened object from a new one.
    const DWORD error = GetLastError();
    if (!created) return win_error(error);
    handle = reinterpret_cast<kernel_handle>(created);
    already_existed = error == ERROR_ALREADY_EXISTS;
    return {};
}

}  // namespace

std::error_code kernel_objects_adapter::create_mutex(std::wstring_view name, bool initial_owner,
                                                     std::span<const std::byte> security, kernel_handle& handle,
                                                     bool& already_existed) {
    security_attributes attributes(security);
    const std::wstring text(name);
    SetLastError(0);
    HANDLE created =
        CreateMutexW(attributes.get(), initial_owner ? TRUE : FALSE, text.empty() ? nullptr : text.c_str());
    return finish_create(created, handle, already_existed);
}

std::error_code kernel_objects_adapter::create_semaphore(std::wstring_view name, std::int32_t initial_count,
                                                         std::int32_t maximum_count,
                                                         std::span<const std::byte> security, kernel_handle& handle,
                                                         bool& already_existed) {
    security_attributes attributes(security);
    const std::wstring text(name);
    SetLastError(0);
    HANDLE created =
        CreateSemaphoreW(attributes.get(), initial_count, maximum_count, text.empty() ? nullptr : text.c_str());
    return finish_create(created, handle, already_existed);
}

wait_result kernel_objects_adapter::wait(kernel_handle handle, std::uint32_t milliseconds) {
    switch (WaitForSingleObject(to_handle(handle), milliseconds)) {
        case WAIT_OBJECT_0:
            return wait_result::signaled;
        case WAIT_ABANDONED:
            return wait_result::abandoned;
        case WAIT_TIMEOUT:
            return wait_result::timeout;
        default:
            return wait_result::failed;
    }
}

std::error_code kernel_objects_adapter::release_mutex(kernel_handle handle) {
    if (!ReleaseMutex(to_handle(handle))) return win_error(GetLastError());
    return {};
}

std::error_code kernel_objects_adapter::release_semaphore(kernel_handle handle, std::int32_t count,
                                                          std::int32_t& previous_count) {
    LONG previous = 0;
    if (!ReleaseSemaphore(to_handle(handle), count, &previous)) return win_error(GetLastError());
    previous_count = previous;
    return {};
}

void kernel_objects_adapter::close(kernel_handle handle) noexcept {
    if (handle) CloseHandle(to_handle(handle));
}

}  // namespace os::win32
