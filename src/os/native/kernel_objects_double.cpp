// Native double of the kernel-objects port.
#include "os/native/kernel_objects_double.h"

#include "os/win_error.h"

namespace os::native {

const kernel_namespace::object* kernel_namespace::find(std::wstring_view name) const {
    auto found = named_.find(name);
    return found == named_.end() ? nullptr : found->second.get();
}

process_kernel_objects::process_kernel_objects(kernel_namespace& names, std::uint32_t process_id)
    : names_(names), process_id_(process_id) {}

process_kernel_objects::~process_kernel_objects() { terminate(); }

std::error_code process_kernel_objects::create(std::wstring_view name, bool is_mutex,
                                               std::span<const std::byte> security,
                                               const kernel_namespace::object& fresh, kernel_handle& handle,
                                               bool& already_existed) {
    if (next_create_error_) {
        auto error = *next_create_error_;
        next_create_error_.reset();
        return win_error(error);
    }
    std::shared_ptr<kernel_namespace::object> target;
    bool existed = false;
    if (!name.empty()) {
        auto found = names_.named_.find(name);
        if (found != names_.named_.end()) {
            // A mutex and a semaphore cannot share a name.
            if (found->second->is_mutex != is_mutex) return win_error(errc::invalid_handle);
            target = found->second;
            existed = true;
        }
    }
    if (!target) {
        target = std::make_shared<kernel_namespace::object>(fresh);
        target->is_mutex = is_mutex;
        target->security.assign(security.begin(), security.end());
        if (!name.empty()) names_.named_.emplace(std::wstring(name), target);
    }
    ++target->handles;
    handle = next_handle_;
    next_handle_ += 4;
    handles_.emplace(handle, std::move(target));
    already_existed = existed;
    return {};
}

std::error_code process_kernel_objects::create_mutex(std::wstring_view name, bool initial_owner,
                                                     std::span<const std::byte> security, kernel_handle& handle,
                                                     bool& already_existed) {
    kernel_namespace::object fresh;
    if (initial_owner) {
        fresh.owner = process_id_;
        fresh.recursion = 1;
    }
    return create(name, true, security, fresh, handle, already_existed);
}

std::error_code process_kernel_objects::create_semaphore(std::wstring_view name, std::int32_t initial_count,
                                                         std::int32_t maximum_count,
                                                         std::span<const std::byte> security, kernel_handle& handle,
                                                         bool& already_existed) {
    if (maximum_count <= 0 || initial_count < 0 || initial_count > maximum_count)
        return win_error(errc::invalid_parameter);
    kernel_namespace::object fresh;
    fresh.count = initial_count;
    fresh.maximum = maximum_count;
    return create(name, false, security, fresh, handle, already_existed);
}

kernel_namespace::object* process_kernel_objects::lookup(kernel_handle handle) const {
    auto found = handles_.find(handle);
    return found == handles_.end() ? nullptr : found->second.get();
}

wait_result process_kernel_objects::wait(kernel_handle handle, std::uint32_t milliseconds) {
    auto* object = lookup(handle);
    if (!object || fail_next_wait_) {
        fail_next_wait_ = false;
        return wait_result::failed;
    }
    if (object->is_mutex) {
        if (object->owner == 0) {
            object->owner = process_id_;
            object->recursion = 1;
            if (object->abandoned) {
                object->abandoned = false;
                return wait_result::abandoned;
            }
            return wait_result::signaled;
        }
        if (object->owner == process_id_) {
            ++object->recursion;
            return wait_result::signaled;
        }
    } else if (object->count > 0) {
        --object->count;
        return wait_result::signaled;
    }
    // One thread simulates every process, so a wait without limit could never end here.
    return milliseconds == infinite_wait ? wait_result::failed : wait_result::timeout;
}

std::error_code process_kernel_objects::release_mutex(kernel_handle handle) {
    auto* object = lookup(handle);
    if (!object || !object->is_mutex) return win_error(errc::invalid_handle);
    if (object->owner != process_id_) return win_error(errc::not_owner);
    if (--object->recursion == 0) object->owner = 0;
    return {};
}

std::error_code process_kernel_objects::release_semaphore(kernel_handle handle, std::int32_t count,
                                                          std::int32_t& previous_count) {
    auto* object = lookup(handle);
    if (!object || object->is_mutex) return win_error(errc::invalid_handle);
    if (count <= 0) return win_error(errc::invalid_parameter);
    if (count > object->maximum - object->count) return win_error(errc::too_many_posts);
    previous_count = object->count;
    object->count += count;
    return {};
}

void process_kernel_objects::close(kernel_handle handle) noexcept {
    auto found = handles_.find(handle);
    if (found == handles_.end()) return;
    auto object = std::move(found->second);
    handles_.erase(found);
    if (--object->handles > 0) return;
    // The last handle is gone: the object leaves the namespace.
    for (auto it = names_.named_.begin(); it != names_.named_.end(); ++it) {
        if (it->second == object) {
            names_.named_.erase(it);
            break;
        }
    }
}

void process_kernel_objects::terminate() noexcept {
    for (auto& [handle, object] : handles_) {
        if (object->is_mutex && object->owner == process_id_) {
            object->owner = 0;
            object->recursion = 0;
            object->abandoned = true;
        }
    }
    while (!handles_.empty()) close(handles_.begin()->first);
}

}  // namespace os::native
