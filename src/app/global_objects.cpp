// The cross-process objects of the application id.
#include "app/global_objects.h"

#include "vd/hresult_error.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

namespace app {

namespace {

constexpr std::uint32_t MutexAllAccess = 0x1F0001;
constexpr std::uint32_t SemaphoreAllAccess = 0x1F0003;

std::wstring GlobalName(std::wstring_view name) { return L"Global\\" + std::wstring(name); }

// Everyone, and no one else, gets `mask` on the object.  Empty when it cannot be built: the object
// is then refused rather than created with default security.
std::vector<std::byte> EveryoneOnly(std::uint32_t mask, std::error_code& error) {
    try {
        const vd::security::well_known_sid everyone(vd::security::sid_kind::everyone);
        return vd::security::single_ace_descriptor(everyone.bytes(), mask);
    } catch (const vd::hresult_error& failure) {
        error = os::win_error(static_cast<std::uint32_t>(failure.code()) & 0xFFFFu);
        return {};
    }
}

}  // namespace

std::wstring SingleInstanceName(std::wstring_view applicationId) {
    return std::wstring(applicationId) + L".{5ead623c-dfcd-474d-8e3c-e6978cac039e}";
}

std::wstring InstanceCounterName(std::wstring_view applicationId) {
    return std::wstring(applicationId) + L".{a3526b56-ca7c-4e16-8a26-da7758a378fd}";
}

CreatedObject CreateGlobalMutex(os::kernel_objects& kernel, bool initialOwner, std::wstring_view name) {
    CreatedObject created;
    const auto descriptor = EveryoneOnly(MutexAllAccess, created.error);
    if (descriptor.empty()) return created;
    os::kernel_handle handle = 0;
    created.error = kernel.create_mutex(GlobalName(name), initialOwner, descriptor, handle, created.alreadyExisted);
    created.handle = os::unique_kernel_handle(kernel, handle);
    return created;
}

CreatedObject CreateGlobalSemaphore(os::kernel_objects& kernel, std::int32_t initialCount, std::int32_t maximumCount,
                                    std::wstring_view name) {
    CreatedObject created;
    const auto descriptor = EveryoneOnly(SemaphoreAllAccess, created.error);
    if (descriptor.empty()) return created;
    os::kernel_handle handle = 0;
    created.error = kernel.create_semaphore(GlobalName(name), initialCount, maximumCount, descriptor, handle,
                                            created.alreadyExisted);
    created.handle = os::unique_kernel_handle(kernel, handle);
    return created;
}

}  // namespace app
