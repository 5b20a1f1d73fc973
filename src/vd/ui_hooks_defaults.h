// The default user-interface hooks: the default title, the safe-owner rule and the modeless switch,
// over the user-interface port.
//
// What the library cannot reach itself the program hands over: the application object publishes
// its name and start-up the sources of the product title and of the program stem (both kept by the
// hooks), and the dialog framework gives its main window and its modeless switch.
#pragma once

#include <functional>
#include <string>

#include "os/user_interface.h"
#include "vd/ui_hooks.h"

namespace vd {

// The safe-owner rule: from `start` (the framework's main window) up to a window that is not a
// child, then its last active popup is the owner; its top-level window is disabled and returned as
// `top` when it is enabled and is not the owner.  none gives no owner and no top.
[[nodiscard]] owner_choice safe_owner(os::user_interface& ui, os::window_handle start);

// What the dialog framework offers the default hooks (both may be empty).
struct framework_hooks {
    std::function<os::window_handle()> main_window;  // the routing frame or main window
    std::function<void(bool)> modeless_switch;       // the application object's modeless switch
};

// Installs the defaults into `hooks`: title = hooks.default_title(), icon = none, owner = safe_owner
// over `ui` from the framework's main window, enable_modeless = the framework's switch (nothing
// without one).  `ui` must outlive the hooks or the next installation.
void install_default_ui_hooks(ui_hooks& hooks, os::user_interface& ui, framework_hooks framework = {});

}  // namespace vd
