// Native double of the kernel-objects port: named mutexes and semaphores in a namespace that
// several simulated processes share, so that start-up checks are tested across "processes".
#pragma once

#include "os/kernel_objects.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace os::native {

// The object namespace of one simulated machine.  Objects live while a handle refers to them.
class kernel_namespace {
public:
    struct object {
        bool is_mutex = false;
        std::uint32_t owner = 0;      // mutex: owning process id, 0 when free
        std::uint32_t recursion = 0;  // mutex: how often the owner took it
        bool abandoned = false;       // mutex: its owner ended while holding it
        std::int32_t count = 0;       // semaphore
        std::int32_t maximum = 0;     // semaphore
        std::vector<std::byte> security;
        int handles = 0;
    };

    // The object of that name, or null.
    [[nodiscard]] const object* find(std::wstring_view name) const;

private:
    friend class process_kernel_objects;
    std::map<std::wstring, std::shared_ptr<object>, std::less<>> named_;
};

// The port as one process of the machine sees it.
class process_kernel_objects final : public kernel_objects {
public:
    process_kernel_objects(kernel_namespace& names, std::uint32_t process_id);
    ~process_kernel_objects() override;

    std::error_code create_mutex(std::wstring_view name, bool initial_owner, std::span<const std::byte> security,
                                 kernel_handle& handle, bool& already_existed) override;
    std::error_code create_semaphore(std::wstring_view name, std::int32_t initial_count, std::int32_t maximum_count,
                                     std::span<const std::byte> security, kernel_handle& handle,
                                     bool& already_existed) override;
    wait_result wait(kernel_handle handle, std::uint32_t milliseconds) override;
    std::error_code release_mutex(kernel_handle handle) override;
    std::error_code release_semaphore(kernel_handle handle, std::int32_t count, std::int32_t& previous_count) override;
    void close(kernel_handle handle) noexcept override;

    // The next create fails with this Windows error (once).
    void fail_next_create(std::uint32_t error) { next_create_error_ = error; }
    // The next wait answers `failed` (once), as when the system refuses it.
    void fail_next_wait() { fail_next_wait_ = true; }
    // The process ends: mutexes it holds become abandoned, its handles close.
    void terminate() noexcept;
    [[nodiscard]] std::size_t open_handles() const { return handles_.size(); }

private:
    std::error_code create(std::wstring_view name, bool is_mutex, std::span<const std::byte> security,
                           const kernel_namespace::object& fresh, kernel_handle& handle, bool& already_existed);
    kernel_namespace::object* lookup(kernel_handle handle) const;

    kernel_namespace& names_;
    std::uint32_t process_id_;
    std::map<kernel_handle, std::shared_ptr<kernel_namespace::object>> handles_;
    kernel_handle next_handle_ = 4;
    std::optional<std::uint32_t> next_create_error_;
    bool fail_next_wait_ = false;
};

}  // namespace os::native
