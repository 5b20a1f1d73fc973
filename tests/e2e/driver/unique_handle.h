// Win32-only: a kernel handle that closes itself.
#pragma once

#include <windows.h>

namespace e2e {

class unique_handle {
public:
    unique_handle() = default;
    explicit unique_handle(HANDLE h) noexcept : h_(h) {}
    unique_handle(unique_handle&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
    unique_handle& operator=(unique_handle&& other) noexcept {
        if (this != &other) {
            close();
            h_ = other.h_;
            other.h_ = nullptr;
        }
        return *this;
    }
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    ~unique_handle() { close(); }

    [[nodiscard]] HANDLE get() const noexcept { return h_; }
    [[nodiscard]] bool valid() const noexcept { return h_ && h_ != INVALID_HANDLE_VALUE; }

private:
    void close() noexcept {
        if (valid()) CloseHandle(h_);
    }
    HANDLE h_ = nullptr;
};

}  // namespace e2e
