// The user-interface hooks: how the library learns the application's title, icon and owner window
// and reaches its modeless switch without depending on the application.
//
// One process-wide set, created empty on first use.  The program calls the hooks from its
// user-interface thread only; they are not locked.
#pragma once

#include <functional>
#include <string>

#include "os/user_interface.h"

namespace vd {

// The owner of a message box and the top-level window disabled while the box is up.
struct owner_choice {
    os::window_handle owner = os::window_handle::none;
    os::window_handle top = os::window_handle::none;
};

class ui_hooks {
public:
    using title_hook = std::function<std::wstring()>;
    using icon_hook = std::function<os::icon_handle()>;
    using owner_hook = std::function<owner_choice()>;
    using enable_modeless_hook = std::function<void(bool)>;

    // The process's hooks (created on first use, thread-safe).
    [[nodiscard]] static ui_hooks& instance();

    ui_hooks(const ui_hooks&) = delete;
    ui_hooks& operator=(const ui_hooks&) = delete;

    // Each setter replaces the hook; the previous callable is destroyed.  An empty callable empties
    // the slot.
    void set_title(title_hook hook);
    void set_icon(icon_hook hook);
    void set_owner(owner_hook hook);
    void set_enable_modeless(enable_modeless_hook hook);

    // The slots; an empty std::function when the hook is not set.
    [[nodiscard]] const title_hook& title() const noexcept { return title_; }
    [[nodiscard]] const icon_hook& icon() const noexcept { return icon_; }
    [[nodiscard]] const owner_hook& owner() const noexcept { return owner_; }
    [[nodiscard]] const enable_modeless_hook& enable_modeless() const noexcept { return enable_modeless_; }

private:
    ui_hooks() = default;

    title_hook title_;
    icon_hook icon_;
    owner_hook owner_;
    enable_modeless_hook enable_modeless_;
};

}  // namespace vd
