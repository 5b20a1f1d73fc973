// Win32-only: the kernel-objects port over CreateMutexW, CreateSemaphoreW and WaitForSingleObject.
#pragma once

#include "os/kernel_objects.h"

namespace os::win32 {

class kernel_objects_adapter final : public kernel_objects {
public:
    std::error_code create_mutex(std::wstring_view name, bool initial_owner, std::span<const std::byte> security,
                                 kernel_handle& handle, bool& already_existed) override;
    std::error_code create_semaphore(std::wstring_view name, std::int32_t initial_count, std::int32_t maximum_count,
                                     std::span<const std::byte> security, kernel_handle& handle,
                                     bool& already_existed) override;
    wait_result wait(kernel_handle handle, std::uint32_t milliseconds) override;
    std::error_code release_mutex(kernel_handle handle) override;
    std::error_code release_semaphore(kernel_handle handle, std::int32_t count, std::int32_t& previous_count) override;
    void close(kernel_handle handle) noexcept override;
};

}  // namespace os::win32
