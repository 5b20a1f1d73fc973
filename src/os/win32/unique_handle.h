// Win32-only: move-only owners of Win32 handles, made from one template; releasing a handle keeps
// the thread's last error as it was, so that an error read after a failed call stays that call's.
#pragma once

#include <windows.h>

#include <utility>

namespace os::win32 {

// Traits: `type`, `invalid()` (the empty value) and `close(type)`.
template <class Traits>
class unique_any {
public:
    using pointer = typename Traits::type;

    unique_any() noexcept = default;
    explicit unique_any(pointer value) noexcept : value_(value) {}
    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    ~unique_any() { reset(); }

    [[nodiscard]] pointer get() const noexcept { return value_; }
    [[nodiscard]] explicit operator bool() const noexcept { return value_ != Traits::invalid(); }
    // The address to pass as an out parameter; whatever was held is closed first.
    [[nodiscard]] pointer* put() noexcept {
        reset();
        return &value_;
    }
    [[nodiscard]] pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(pointer value = Traits::invalid()) noexcept {
        const pointer old = std::exchange(value_, value);
        if (old != Traits::invalid()) {
            const DWORD error = GetLastError();
            Traits::close(old);
            SetLastError(error);
        }
    }

private:
    pointer value_ = Traits::invalid();
};

struct handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return nullptr; }
    static void close(type handle) noexcept { CloseHandle(handle); }
};

// A kernel handle whose empty value is null (tokens, processes, threads, mutexes); see CloseHandle.
using unique_handle = unique_any<handle_traits>;

struct icon_traits {
    using type = HICON;
    static type invalid() noexcept { return nullptr; }
    static void close(type icon) noexcept { DestroyIcon(icon); }
};

// An icon the caller made or loaded without LR_SHARED; see DestroyIcon.
using unique_hicon = unique_any<icon_traits>;

// A window's device context and the window it came from (GetDC).
struct window_dc {
    HWND window = nullptr;
    HDC dc = nullptr;
    friend bool operator==(const window_dc&, const window_dc&) = default;
};

struct window_dc_traits {
    using type = window_dc;
    static type invalid() noexcept { return {}; }
    static void close(type value) noexcept { ReleaseDC(value.window, value.dc); }
};

// A DC from GetDC, given back with ReleaseDC.
using unique_window_dc = unique_any<window_dc_traits>;

// An object selected into a DC and the object it replaced (SelectObject).
struct dc_selection {
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
    friend bool operator==(const dc_selection&, const dc_selection&) = default;
};

struct dc_selection_traits {
    using type = dc_selection;
    static type invalid() noexcept { return {}; }
    static void close(type value) noexcept { SelectObject(value.dc, value.previous); }
};

// A selection undone by selecting the previous object back; release it before its DC.
using unique_dc_selection = unique_any<dc_selection_traits>;

}  // namespace os::win32
