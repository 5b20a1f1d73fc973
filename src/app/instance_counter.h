// The instance counter: a named semaphore whose count is the number of running processes of the
// application id.  Each process adds its unit at start and takes it back at its end.
#pragma once

#include "os/kernel_objects.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

class InstanceCounter {
public:
    InstanceCounter(os::kernel_objects& kernel, std::wstring_view applicationId);
    // Takes this process's units back, leaving the count as it was if that cannot be done whole.
    ~InstanceCounter();
    InstanceCounter(const InstanceCounter&) = delete;
    InstanceCounter& operator=(const InstanceCounter&) = delete;

    // Creates or opens the semaphore and counts this process.  Without a semaphore nothing is counted
    // and Count() answers 0, so the running-product check never blocks.
    void Start();
    // The number of counted processes, this one included (0 without a semaphore).
    [[nodiscard]] std::uint32_t Count();

    [[nodiscard]] std::int32_t ownUnits() const noexcept { return ownUnits_; }
    [[nodiscard]] const std::wstring& name() const noexcept { return name_; }
    // The application id the counter was named after (read from the running program's version block).
    [[nodiscard]] const std::wstring& applicationId() const noexcept { return applicationId_; }

private:
    os::kernel_objects& kernel_;
    std::wstring applicationId_;
    std::wstring name_;
    os::unique_kernel_handle handle_;
    std::int32_t ownUnits_ = 0;
};

}  // namespace app
