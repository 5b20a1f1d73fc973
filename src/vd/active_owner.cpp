// The owner window rule over the user-interface port.
#include "vd/active_owner.h"

namespace vd {

os::window_handle active_owner_window(os::user_interface& ui) {
    auto candidate = os::window_handle::none;
    if (const auto active = ui.active_window(); active != os::window_handle::none) {
        candidate = ui.root_owner(active);
    } else {
        for (const auto window : ui.thread_windows()) {
            const auto root = ui.root_owner(window);
            if (root != os::window_handle::none && (ui.style(root) & os::ws::caption) == os::ws::caption) {
                candidate = root;
                break;
            }
        }
    }
    return candidate == os::window_handle::none ? candidate : ui.last_active_popup(candidate);
}

}  // namespace vd
