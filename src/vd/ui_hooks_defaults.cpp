// The default user-interface hooks.
#include "vd/ui_hooks_defaults.h"

#include <utility>

namespace vd {

owner_choice safe_owner(os::user_interface& ui, os::window_handle start) {
    // A box cannot be owned by a child window: climb to the first window that is not one.
    auto owner = start;
    while (owner != os::window_handle::none && (ui.style(owner) & os::ws::child)) owner = ui.parent(owner);
    auto top = owner;
    for (auto next = top; next != os::window_handle::none; next = ui.parent(top)) top = next;
    if (owner != os::window_handle::none) owner = ui.last_active_popup(owner);

    owner_choice choice{owner, os::window_handle::none};
    if (top != os::window_handle::none && top != owner && ui.is_window_enabled(top)) {
        ui.enable_window(top, false);
        choice.top = top;
    }
    return choice;
}

void install_default_ui_hooks(ui_hooks& hooks, os::user_interface& ui, framework_hooks framework) {
    hooks.set_title([&hooks] { return hooks.default_title(); });
    hooks.set_icon([] { return os::icon_handle::none; });
    hooks.set_owner([&ui, main_window = std::move(framework.main_window)] {
        return safe_owner(ui, main_window ? main_window() : os::window_handle::none);
    });
    hooks.set_enable_modeless([modeless = std::move(framework.modeless_switch)](bool enable) {
        if (modeless) modeless(enable);
    });
}

}  // namespace vd
