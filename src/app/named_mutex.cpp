// The single-instance mutex.
#include "app/named_mutex.h"

#include "app/global_objects.h"

namespace app {

namespace {
bool takes_ownership(os::wait_result result) {
    return result == os::wait_result::signaled || result == os::wait_result::abandoned;
}
}  // namespace

NamedMutex::NamedMutex(os::kernel_objects& kernel, std::wstring_view name, bool initialOwner, bool global)
    : kernel_(kernel) {
    bool alreadyExisted = false;
    std::error_code error;
    if (global) {
        const auto created = CreateGlobalMutex(kernel, initialOwner, name);
        handle_ = created.handle;
        alreadyExisted = created.alreadyExisted;
    } else {
        error = kernel.create_mutex(name, initialOwner, {}, handle_, alreadyExisted);
    }
    if (handle_ != 0 && initialOwner && alreadyExisted) {
        // Asked to own a mutex that someone else created: it was only opened, so wait for it.
        owned_ = takes_ownership(kernel_.wait(handle_, os::infinite_wait));
    } else {
        owned_ = handle_ != 0 && initialOwner;
    }
}

NamedMutex::~NamedMutex() {
    if (owned_) Release();
    kernel_.close(handle_);
}

bool NamedMutex::TryLock() {
    owned_ = handle_ != 0 && takes_ownership(kernel_.wait(handle_, 0));
    return owned_;
}

void NamedMutex::Release() {
    if (handle_ != 0) (void)kernel_.release_mutex(handle_);
    owned_ = false;
}

}  // namespace app
