// The default user-interface hooks: the default title, the safe-owner rule and the modeless switch,
// over the user-interface port.
//
// What the library cannot reach itself the program hands over: the application object publishes
// its name, start-up installs the sources of the product title and of the program stem, and the
// dialog framework gives its main window and its modeless switch.
#pragma once

#include <functional>
#include <string>

#include "os/user_interface.h"
#include "vd/ui_hooks.h"

namespace vd {

using text_source = std::function<std::wstring()>;

// The application object's name, published when it sets it; an empty name withdraws it.
void set_application_name(std::wstring name);
[[nodiscard]] std::wstring application_name();

// The product title of the running module and the program's stem (either may be empty: skipped).
void set_title_sources(text_source product_title, text_source program_stem);

// The application name when one is published, else the product title when not empty, else the
// program stem (empty when none of them gives a text).
[[nodiscard]] std::wstring default_title();
// The same without the application name: what a box uses when the title hook is empty.
[[nodiscard]] std::wstring fallback_title();

// The safe-owner rule: from `start` (the framework's main window) up to a window that is not a
// child, then its last active popup is the owner; its top-level window is disabled and returned as
// `top` when it is enabled and is not the owner.  none gives no owner and no top.
[[nodiscard]] owner_choice safe_owner(os::user_interface& ui, os::window_handle start);

// What the dialog framework offers the default hooks (both may be empty).
struct framework_hooks {
    std::function<os::window_handle()> main_window;  // the routing frame or main window
    std::function<void(bool)> modeless_switch;       // the application object's modeless switch
};

// Installs the defaults: title = default_title, icon = none, owner = safe_owner over `ui` from the
// framework's main window, enable_modeless = the framework's switch (nothing without one).  `ui`
// must outlive the hooks or the next installation.
void install_default_ui_hooks(os::user_interface& ui, framework_hooks framework = {});

}  // namespace vd
