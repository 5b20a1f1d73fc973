// A handle of a port (an open registry key, a kernel object) that is closed through its port when
// the owner ends.  Move-only; the empty value is 0.
#pragma once

#include <utility>

namespace os {

template <class Port, class Handle, void (Port::*Close)(Handle) noexcept>
class unique_port_handle {
public:
    unique_port_handle() = default;
    unique_port_handle(Port& port, Handle handle) noexcept : port_(&port), handle_(handle) {}
    unique_port_handle(unique_port_handle&& other) noexcept
        : port_(std::exchange(other.port_, nullptr)), handle_(std::exchange(other.handle_, Handle{})) {}
    unique_port_handle& operator=(unique_port_handle&& other) noexcept {
        if (this != &other) {
            reset();
            port_ = std::exchange(other.port_, nullptr);
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    unique_port_handle(const unique_port_handle&) = delete;
    unique_port_handle& operator=(const unique_port_handle&) = delete;
    ~unique_port_handle() { reset(); }

    [[nodiscard]] Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }
    // Closes the handle (if any) and keeps nothing.
    void reset() noexcept {
        if (port_ != nullptr && handle_ != Handle{}) (port_->*Close)(handle_);
        handle_ = Handle{};
    }

private:
    Port* port_ = nullptr;
    Handle handle_{};
};

}  // namespace os
