// The kernel-objects port: the named mutex and semaphore that coordinate processes.
//
// Handles are opaque numbers of the port; 0 is "no handle".  Operations that fail return a Windows
// error code and leave the out parameters as they were.
#pragma once

#include "os/unique_port_handle.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <system_error>

namespace os {

using kernel_handle = std::uintptr_t;

// WaitForSingleObject's answers.
enum class wait_result : std::uint8_t { signaled, abandoned, timeout, failed };

inline constexpr std::uint32_t infinite_wait = 0xFFFFFFFFu;

class kernel_objects {
public:
    virtual ~kernel_objects() = default;

    // CreateMutexW with an optional self-relative security descriptor (empty: default security).
    // `already_existed` tells ERROR_ALREADY_EXISTS apart: the existing mutex is opened, not taken.
    [[nodiscard]] virtual std::error_code create_mutex(std::wstring_view name, bool initial_owner,
                                                       std::span<const std::byte> security, kernel_handle& handle,
                                                       bool& already_existed) = 0;
    // CreateSemaphoreW, likewise.
    [[nodiscard]] virtual std::error_code create_semaphore(std::wstring_view name, std::int32_t initial_count,
                                                           std::int32_t maximum_count,
                                                           std::span<const std::byte> security, kernel_handle& handle,
                                                           bool& already_existed) = 0;
    // WaitForSingleObject.
    [[nodiscard]] virtual wait_result wait(kernel_handle handle, std::uint32_t milliseconds) = 0;
    // ReleaseMutex: 288 (ERROR_NOT_OWNER) when this process does not own it.
    [[nodiscard]] virtual std::error_code release_mutex(kernel_handle handle) = 0;
    // ReleaseSemaphore: 298 (ERROR_TOO_MANY_POSTS) when the count would pass its maximum.
    [[nodiscard]] virtual std::error_code release_semaphore(kernel_handle handle, std::int32_t count,
                                                            std::int32_t& previous_count) = 0;
    // CloseHandle.  Closing 0 does nothing.
    virtual void close(kernel_handle handle) noexcept = 0;
};

// A kernel object's handle, closed when this object ends (CloseHandle).  Move-only.
using unique_kernel_handle = unique_port_handle<kernel_objects, kernel_handle, &kernel_objects::close>;

}  // namespace os
