// The process's user-interface hooks.
#include "vd/ui_hooks.h"

#include <utility>

namespace vd {

ui_hooks& ui_hooks::instance() {
    // A function-local static: created once, thread-safely, destroyed at process exit.
    static ui_hooks hooks;
    return hooks;
}

// The previous callable is destroyed only after the new one is in place, so that a callable whose
// destructor asks the hooks sees the new state.
void ui_hooks::set_title(title_hook hook) { [[maybe_unused]] auto previous = std::exchange(title_, std::move(hook)); }
void ui_hooks::set_icon(icon_hook hook) { [[maybe_unused]] auto previous = std::exchange(icon_, std::move(hook)); }
void ui_hooks::set_owner(owner_hook hook) { [[maybe_unused]] auto previous = std::exchange(owner_, std::move(hook)); }
void ui_hooks::set_enable_modeless(enable_modeless_hook hook) {
    [[maybe_unused]] auto previous = std::exchange(enable_modeless_, std::move(hook));
}

}  // namespace vd
