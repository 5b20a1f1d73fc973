// Win32-only: the user-interface port over MessageBoxW and user32's window queries.
#pragma once

#include "os/user_interface.h"

namespace os::win32 {

class user_interface_adapter final : public user_interface {
public:
    int message_box(window_handle owner, std::wstring_view text, std::optional<std::wstring_view> caption,
                    std::uint32_t type) override;
    window_handle active_window() override;
    window_handle parent(window_handle window) override;
    window_handle root_owner(window_handle window) override;
    std::vector<window_handle> thread_windows() override;
    std::uint32_t style(window_handle window) override;
    std::uint32_t extended_style(window_handle window) override;
    window_handle last_active_popup(window_handle window) override;
    bool enable_window(window_handle window, bool enable) override;
    bool is_window_enabled(window_handle window) override;
    icon_handle load_icon(std::uintptr_t module, std::uint16_t id) override;
};

}  // namespace os::win32
