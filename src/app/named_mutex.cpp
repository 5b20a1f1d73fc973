// The single-instance mutex.
#include "app/named_mutex.h"

#include "app/global_objects.h"

#include <utility>

namespace app {

namespace {
bool takes_ownership(os::wait_result result) {
    return result == os::wait_result::signaled || result == os::wait_result::abandoned;
}
}  // namespace

NamedMutex::NamedMutex(os::kernel_objects& kernel, std::wstring_view name, bool initialOwner, bool global)
    : kernel_(kernel) {
    bool alreadyExisted = false;
    if (global) {
        auto created = CreateGlobalMutex(kernel, initialOwner, name);
        handle_ = std::move(created.handle);
        alreadyExisted = created.alreadyExisted;
    } else {
        os::kernel_handle handle = 0;
        if (!kernel.create_mutex(name, initialOwner, {}, handle, alreadyExisted))
            handle_ = os::unique_kernel_handle(kernel, handle);
    }
    if (handle_ && initialOwner && alreadyExisted) {
        // Asked to own a mutex that someone else created: it was only opened, so wait for it.
        owned_ = takes_ownership(kernel_.wait(handle_.get(), os::infinite_wait));
    } else {
        owned_ = handle_ && initialOwner;
    }
}

NamedMutex::~NamedMutex() {
    if (owned_) Release();
}

bool NamedMutex::TryLock() {
    owned_ = handle_ && takes_ownership(kernel_.wait(handle_.get(), 0));
    return owned_;
}

void NamedMutex::Release() {
    if (handle_) (void)kernel_.release_mutex(handle_.get());
    owned_ = false;
}

}  // namespace app
