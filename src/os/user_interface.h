// The user-interface port: message boxes and the few window queries that pick a box's owner.
//
// Windows are opaque numbers of the port (an HWND on Windows); window_handle::none is "no window".
// Queries on a window that does not exist answer as Windows does: 0, none or false.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace os {

enum class window_handle : std::uintptr_t { none = 0 };
// An icon (an HICON on Windows); icon_handle::none is "no icon".
enum class icon_handle : std::uintptr_t { none = 0 };

// MessageBoxW type flags (MB_*).
namespace mb {
inline constexpr std::uint32_t ok = 0x0;
inline constexpr std::uint32_t ok_cancel = 0x1;
inline constexpr std::uint32_t abort_retry_ignore = 0x2;
inline constexpr std::uint32_t yes_no_cancel = 0x3;
inline constexpr std::uint32_t yes_no = 0x4;
inline constexpr std::uint32_t retry_cancel = 0x5;
inline constexpr std::uint32_t cancel_try_continue = 0x6;
inline constexpr std::uint32_t button_mask = 0xF;
inline constexpr std::uint32_t icon_hand = 0x10;
inline constexpr std::uint32_t icon_question = 0x20;
inline constexpr std::uint32_t icon_exclamation = 0x30;
inline constexpr std::uint32_t icon_asterisk = 0x40;
inline constexpr std::uint32_t icon_mask = 0xF0;
inline constexpr std::uint32_t default_button_mask = 0xF00;
inline constexpr std::uint32_t task_modal = 0x00002000;
inline constexpr std::uint32_t set_foreground = 0x00010000;
inline constexpr std::uint32_t rtl_reading = 0x00100000;
}  // namespace mb

// MessageBoxW results (ID*); 0 means the box could not be shown.
namespace id {
inline constexpr int ok = 1;
inline constexpr int cancel = 2;
inline constexpr int abort = 3;
inline constexpr int retry = 4;
inline constexpr int ignore = 5;
inline constexpr int yes = 6;
inline constexpr int no = 7;
inline constexpr int try_again = 10;
inline constexpr int continue_ = 11;
}  // namespace id

// Window style bits (WS_*, WS_EX_*) the owner rules read.
namespace ws {
inline constexpr std::uint32_t popup = 0x80000000u;
inline constexpr std::uint32_t child = 0x40000000u;
inline constexpr std::uint32_t visible = 0x10000000u;
inline constexpr std::uint32_t disabled = 0x08000000u;
inline constexpr std::uint32_t caption = 0x00C00000u;  // WS_BORDER | WS_DLGFRAME
inline constexpr std::uint32_t sys_menu = 0x00080000u;
inline constexpr std::uint32_t overlapped_window = 0x00CF0000u;
}  // namespace ws
namespace ws_ex {
inline constexpr std::uint32_t layout_rtl = 0x00400000u;
}  // namespace ws_ex

// The answer MessageBoxW gives when the user presses Enter: the default button (MB_DEFBUTTONn) of the
// type's button set, the first button when the default lies beyond the set; 0 for an unknown set.
[[nodiscard]] constexpr int default_box_answer(std::uint32_t type) noexcept {
    // The buttons of each button set from left to right, as MessageBoxW lays them out.
    constexpr int buttons[7][3] = {
        {id::ok, 0, 0},
        {id::ok, id::cancel, 0},
        {id::abort, id::retry, id::ignore},
        {id::yes, id::no, id::cancel},
        {id::yes, id::no, 0},
        {id::retry, id::cancel, 0},
        {id::cancel, id::try_again, id::continue_},
    };
    const auto set = type & mb::button_mask;
    if (set >= 7) return 0;
    const auto index = (type & mb::default_button_mask) >> 8;
    return index < 3 && buttons[set][index] != 0 ? buttons[set][index] : buttons[set][0];
}

class user_interface {
public:
    virtual ~user_interface() = default;

    // MessageBoxW: shows a modal box and returns the pressed button's id, or 0 when the box could
    // not be shown (for instance an owner that is not a window).  Without a caption (std::nullopt, a
    // null lpCaption) the system shows its own, "Error"; an empty caption is an empty title bar.
    [[nodiscard]] virtual int message_box(window_handle owner, std::wstring_view text,
                                          std::optional<std::wstring_view> caption, std::uint32_t type) = 0;

    // GetActiveWindow: the calling thread's active window, or none.
    [[nodiscard]] virtual window_handle active_window() = 0;
    // GetParent: a child window's parent, a popup's owner, otherwise none.
    [[nodiscard]] virtual window_handle parent(window_handle window) = 0;
    // GetAncestor(GA_ROOTOWNER): the top of the chain of parents and owners; none for no window.
    [[nodiscard]] virtual window_handle root_owner(window_handle window) = 0;
    // EnumThreadWindows(GetCurrentThreadId()): the calling thread's top-level windows, in Z order.
    [[nodiscard]] virtual std::vector<window_handle> thread_windows() = 0;
    // GetWindowLongW(GWL_STYLE) / GetWindowLongW(GWL_EXSTYLE); 0 for no window.
    [[nodiscard]] virtual std::uint32_t style(window_handle window) = 0;
    [[nodiscard]] virtual std::uint32_t extended_style(window_handle window) = 0;
    // GetLastActivePopup: the owned popup that was active last, the window itself when none was.
    [[nodiscard]] virtual window_handle last_active_popup(window_handle window) = 0;
    // EnableWindow: answers whether the window was disabled before the call.
    virtual bool enable_window(window_handle window, bool enable) = 0;
    // IsWindowEnabled.
    [[nodiscard]] virtual bool is_window_enabled(window_handle window) = 0;
    // LoadImageW(module, id, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR): the icon at its default size, owned by
    // the module for the life of the process; icon_handle::none when the module has no such icon.
    [[nodiscard]] virtual icon_handle load_icon(std::uintptr_t module, std::uint16_t id) = 0;
};

}  // namespace os
