// The default user-interface hooks.
#include "vd/ui_hooks_defaults.h"

#include <mutex>
#include <utility>

namespace vd {

namespace {

// What the default title is made of: published once at start-up, read whenever a box has no caption.
struct title_state {
    std::mutex lock;
    std::wstring application_name;
    text_source product_title;
    text_source program_stem;
};

title_state& titles() {
    static title_state state;
    return state;
}

std::wstring ask(const text_source& source) { return source ? source() : std::wstring{}; }

}  // namespace

void set_application_name(std::wstring name) {
    auto& state = titles();
    std::scoped_lock guard(state.lock);
    state.application_name = std::move(name);
}

std::wstring application_name() {
    auto& state = titles();
    std::scoped_lock guard(state.lock);
    return state.application_name;
}

void set_title_sources(text_source product_title, text_source program_stem) {
    auto& state = titles();
    text_source old_title;
    text_source old_stem;
    {
        std::scoped_lock guard(state.lock);
        old_title = std::exchange(state.product_title, std::move(product_title));
        old_stem = std::exchange(state.program_stem, std::move(program_stem));
    }
}

std::wstring fallback_title() {
    text_source product_title;
    text_source program_stem;
    {
        // The sources are called outside the lock: they may read resources or ask the hooks.
        auto& state = titles();
        std::scoped_lock guard(state.lock);
        product_title = state.product_title;
        program_stem = state.program_stem;
    }
    if (auto title = ask(product_title); !title.empty()) return title;
    return ask(program_stem);
}

std::wstring default_title() {
    if (auto name = application_name(); !name.empty()) return name;
    return fallback_title();
}

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

void install_default_ui_hooks(os::user_interface& ui, framework_hooks framework) {
    auto& hooks = ui_hooks::instance();
    hooks.set_title(&default_title);
    hooks.set_icon([] { return os::icon_handle::none; });
    hooks.set_owner([&ui, main_window = std::move(framework.main_window)] {
        return safe_owner(ui, main_window ? main_window() : os::window_handle::none);
    });
    hooks.set_enable_modeless([modeless = std::move(framework.modeless_switch)](bool enable) {
        if (modeless) modeless(enable);
    });
}

}  // namespace vd
