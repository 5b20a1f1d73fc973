// The library's message box over the user-interface port.
#include "vd/message_box.h"

#include "vd/active_owner.h"
#include "vd/error_text.h"
#include "vd/string_table.h"
#include "vd/ui_hooks.h"

namespace vd {

namespace {

os::module_handle resource_module_of(const message_box_services& services) {
    return services.resource_module ? services.resource_module() : os::module_handle{0};
}

std::wstring resolve(const message_box_services& services, const message_text& text) {
    if (const auto* own = std::get_if<std::wstring>(&text)) return *own;
    const auto id = std::get<string_id>(text).value;
    return load_string_text(services.resources, resource_module_of(services), id).value_or(std::wstring{});
}

// Gives the owner back its state when the box is gone, whatever happened in between.
class owner_restorer {
public:
    owner_restorer(os::user_interface& ui, const ui_hooks& hooks, os::window_handle top)
        : ui_(ui), hooks_(hooks), top_(top) {}
    owner_restorer(const owner_restorer&) = delete;
    owner_restorer& operator=(const owner_restorer&) = delete;
    ~owner_restorer() {
        if (top_ != os::window_handle::none) ui_.enable_window(top_, true);
        if (const auto& modeless = hooks_.enable_modeless()) modeless(true);
    }

private:
    os::user_interface& ui_;
    const ui_hooks& hooks_;
    os::window_handle top_;
};

}  // namespace

std::uint32_t complete_message_box_type(std::uint32_t type) noexcept {
    if (type & os::mb::icon_mask) return type;
    switch (type & os::mb::button_mask) {
        case os::mb::ok:
        case os::mb::ok_cancel:
            return type | os::mb::icon_exclamation;
        case os::mb::yes_no_cancel:
        case os::mb::yes_no:
            return type | os::mb::icon_question;
        default:
            return type;
    }
}

int message_box(const message_box_services& services, const message_text& text, std::uint32_t type,
                const std::optional<message_text>& caption) {
    auto& ui = services.ui;
    const auto& hooks = services.hooks;

    const auto choice =
        hooks.owner() ? hooks.owner()() : owner_choice{active_owner_window(ui), os::window_handle::none};
    if (const auto& modeless = hooks.enable_modeless()) modeless(false);
    const owner_restorer restore(ui, hooks, choice.top);
    // The owner, not its disabled top-level window, keeps the focus after the box.
    if (choice.owner != os::window_handle::none && choice.owner != choice.top) ui.enable_window(choice.owner, true);

    type = complete_message_box_type(type);
    const bool right_to_left = choice.owner != os::window_handle::none
                                   ? (ui.extended_style(choice.owner) & os::ws_ex::layout_rtl) != 0
                                   : services.ownerless_right_to_left && services.ownerless_right_to_left();
    if (right_to_left) type |= os::mb::rtl_reading;

    const auto body = resolve(services, text);
    std::wstring title;
    if (caption) {
        title = resolve(services, *caption);
    } else if (const auto& title_hook = hooks.title()) {
        title = title_hook();
    } else {
        title = hooks.fallback_title();
    }
    return ui.message_box(choice.owner, body, title, type);
}

void show_error(const message_box_services& services, std::int32_t code) {
    const auto text = error_text(services.system_texts, services.resources, resource_module_of(services), code);
    [[maybe_unused]] const auto answer = message_box(services, text, os::mb::icon_exclamation | os::mb::ok);
}

}  // namespace vd
