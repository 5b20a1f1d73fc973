// The cross-process objects of the application id: the single-instance mutex and the instance
// counter, both in the "Global\" namespace with a DACL that grants Everyone full access to the
// object and nothing else.
#pragma once

#include "os/kernel_objects.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace app {

// "Lignotek7" → "Lignotek7.{5ead623c-dfcd-474d-8e3c-e6978cac039e}"
[[nodiscard]] std::wstring SingleInstanceName(std::wstring_view applicationId);
// "Lignotek7" → "Lignotek7.{a3526b56-ca7c-4e16-8a26-da7758a378fd}"
[[nodiscard]] std::wstring InstanceCounterName(std::wstring_view applicationId);

struct CreatedObject {
    os::unique_kernel_handle handle;  // empty when the creation failed
    bool alreadyExisted = false;      // the object was opened, not created
    std::error_code error;            // why the creation failed
};

// CreateMutexW of "Global\" + name, with the Everyone-only DACL (MUTEX_ALL_ACCESS).
[[nodiscard]] CreatedObject CreateGlobalMutex(os::kernel_objects& kernel, bool initialOwner, std::wstring_view name);
// CreateSemaphoreW of "Global\" + name, with the Everyone-only DACL (SEMAPHORE_ALL_ACCESS).
[[nodiscard]] CreatedObject CreateGlobalSemaphore(os::kernel_objects& kernel, std::int32_t initialCount,
                                                  std::int32_t maximumCount, std::wstring_view name);

}  // namespace app
