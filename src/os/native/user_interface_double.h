// Native double of the user-interface port: a scripted user who answers message boxes, and a small
// tree of windows (styles, parents and owners, the active window, enabled states).
//
// Every box is recorded with what it showed and with the windows that were disabled while it was
// up, so tests can say "message 1127 was shown with Retry/Cancel and the wizard was disabled":
//
//     os::native::scripted_ui ui;
//     ui.answer_next(os::id::retry);
//     ... code under test ...
//     EXPECT_EQ(ui.boxes().at(0).type & os::mb::button_mask, os::mb::retry_cancel);
#pragma once

#include "os/user_interface.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace os::native {

// One message box as the user saw it.
struct shown_box {
    window_handle owner = window_handle::none;
    std::wstring text;
    std::optional<std::wstring> caption;  // none: the system's own caption ("Error")
    std::uint32_t type = 0;
    std::vector<window_handle> disabled_windows;  // windows that were disabled while the box was up
    int answer = 0;                               // what message_box returned
};

// A window of the tree.
struct window_spec {
    std::uint32_t style = ws::overlapped_window | ws::visible;
    std::uint32_t extended_style = 0;
    window_handle parent = window_handle::none;  // a child's parent or a top-level window's owner
    bool other_thread = false;                   // belongs to another thread: not in thread_windows()
};

class scripted_ui final : public user_interface {
public:
    // Decides the answer to a box while it is up; may look at the double (enabled states, ...).
    using responder = std::function<int(const shown_box&)>;

    // --- script -------------------------------------------------------------------------------
    // The next box is answered with `button` (IDOK, IDCANCEL, IDRETRY, ...); answers queue up.
    void answer_next(int button);
    void answer_next(responder respond);
    // Without a queued answer a box gets its default button (MB_DEFBUTTONn of its button set),
    // as when the user presses Enter.
    [[nodiscard]] const std::vector<shown_box>& boxes() const noexcept { return boxes_; }
    void clear_boxes() { boxes_.clear(); }

    // --- window tree --------------------------------------------------------------------------
    // Creates a window of the current thread (unless shape.other_thread); disabled when its style
    // has WS_DISABLED.  A parent that does not exist is ignored.
    window_handle add_window(const window_spec& shape = {});
    // SetActiveWindow: also makes it the last active popup of its root owner.  none deactivates.
    void set_active(window_handle window);
    // DestroyWindow of the window and of its children and owned windows.
    void destroy(window_handle window);
    [[nodiscard]] bool exists(window_handle window) const;

    // --- the port -----------------------------------------------------------------------------
    int message_box(window_handle owner, std::wstring_view text, std::optional<std::wstring_view> caption,
                    std::uint32_t type) override;
    window_handle active_window() override { return active_; }
    window_handle parent(window_handle window) override;
    window_handle root_owner(window_handle window) override;
    std::vector<window_handle> thread_windows() override;
    std::uint32_t style(window_handle window) override;
    std::uint32_t extended_style(window_handle window) override;
    window_handle last_active_popup(window_handle window) override;
    bool enable_window(window_handle window, bool enable) override;
    bool is_window_enabled(window_handle window) override;
    // Every icon id the test registered loads as a distinct handle; others as none.
    icon_handle load_icon(std::uintptr_t module, std::uint16_t id) override;
    void add_icon(std::uint16_t id) { icons_.push_back(id); }

private:
    std::vector<std::uint16_t> icons_;
    struct window {
        window_spec shape;
        window_handle last_active_popup = window_handle::none;
    };
    [[nodiscard]] window* find(window_handle handle);
    [[nodiscard]] static int default_answer(std::uint32_t type);

    std::map<window_handle, window> windows_;
    std::uintptr_t next_handle_ = 0x10010;
    window_handle active_ = window_handle::none;
    std::deque<responder> answers_;
    std::vector<shown_box> boxes_;
};

}  // namespace os::native
