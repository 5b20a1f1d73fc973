// The single-instance mutex of the setup program: opened at start, taken without waiting, and
// released while the installed product registers itself.
#pragma once

#include "os/kernel_objects.h"

#include <string_view>

namespace app {

class NamedMutex {
public:
    // Opens or creates the mutex; `global` puts it in the "Global\" namespace with an
    // Everyone-only DACL.  A creation failure leaves the object without a handle: TryLock fails.
    NamedMutex(os::kernel_objects& kernel, std::wstring_view name, bool initialOwner, bool global);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // Takes the mutex without waiting.  A mutex whose owner ended without releasing it counts as
    // taken (the wait answers "abandoned").
    [[nodiscard]] bool TryLock();
    // Gives the mutex up; TryLock takes it again.
    void Release();

    [[nodiscard]] bool owned() const noexcept { return owned_; }
    [[nodiscard]] os::kernel_handle handle() const noexcept { return handle_.get(); }

private:
    os::kernel_objects& kernel_;
    os::unique_kernel_handle handle_;
    bool owned_ = false;
};

}  // namespace app
