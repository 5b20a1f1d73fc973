// The instance counter.
#include "app/instance_counter.h"

#include "app/global_objects.h"

namespace app {

InstanceCounter::InstanceCounter(os::kernel_objects& kernel, std::wstring_view applicationId)
    : kernel_(kernel), applicationId_(applicationId), name_(InstanceCounterName(applicationId)) {}

void InstanceCounter::Start() {
    if (!handle_) handle_ = CreateGlobalSemaphore(kernel_, 0, 0x7FFFFFFF, name_).handle;
    if (!handle_) return;
    std::int32_t previous = 0;
    if (!kernel_.release_semaphore(handle_.get(), 1, previous)) ownUnits_ += 1;
}

std::uint32_t InstanceCounter::Count() {
    if (!handle_) return 0;
    // Raising the count by one reports how many units were there; the unit goes back at once.
    std::int32_t previous = 0;
    if (kernel_.release_semaphore(handle_.get(), 1, previous)) return 0;
    (void)kernel_.wait(handle_.get(), 0);
    return static_cast<std::uint32_t>(previous);
}

InstanceCounter::~InstanceCounter() {
    if (!handle_) return;
    if (ownUnits_ > 0) {
        const std::int32_t wanted = ownUnits_;
        std::int32_t taken = 0;
        while (taken < wanted && kernel_.wait(handle_.get(), 0) == os::wait_result::signaled) ++taken;
        if (taken < wanted) {
            // Not all units could be taken back: return the ones taken, so the count is unchanged.
            std::int32_t previous = 0;
            if (taken > 0) (void)kernel_.release_semaphore(handle_.get(), taken, previous);
        } else {
            ownUnits_ -= wanted;
        }
    } else if (ownUnits_ < 0) {
        std::int32_t previous = 0;
        if (!kernel_.release_semaphore(handle_.get(), -ownUnits_, previous)) ownUnits_ = 0;
    }
}

}  // namespace app
