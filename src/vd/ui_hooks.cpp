// The process's user-interface hooks.
#include "vd/ui_hooks.h"

#include <utility>

namespace vd {

// The previous callable is destroyed only after the new one is in place, so that a callable whose
// destructor asks the hooks sees the new state.
void ui_hooks::set_title(title_hook hook) { [[maybe_unused]] auto previous = std::exchange(title_, std::move(hook)); }
void ui_hooks::set_icon(icon_hook hook) { [[maybe_unused]] auto previous = std::exchange(icon_, std::move(hook)); }
void ui_hooks::set_owner(owner_hook hook) { [[maybe_unused]] auto previous = std::exchange(owner_, std::move(hook)); }
void ui_hooks::set_enable_modeless(enable_modeless_hook hook) {
    [[maybe_unused]] auto previous = std::exchange(enable_modeless_, std::move(hook));
}

namespace {

std::wstring ask(const ui_hooks::text_source& source) { return source ? source() : std::wstring{}; }

}  // namespace

void ui_hooks::set_application_name(std::wstring name) {
    std::scoped_lock guard(titleLock_);
    applicationName_ = std::move(name);
}

std::wstring ui_hooks::application_name() const {
    std::scoped_lock guard(titleLock_);
    return applicationName_;
}

void ui_hooks::set_title_sources(text_source product_title, text_source program_stem) {
    // The previous sources are destroyed outside the lock.
    text_source old_title;
    text_source old_stem;
    std::scoped_lock guard(titleLock_);
    old_title = std::exchange(productTitle_, std::move(product_title));
    old_stem = std::exchange(programStem_, std::move(program_stem));
}

std::wstring ui_hooks::fallback_title() const {
    text_source product_title;
    text_source program_stem;
    {
        // The sources are called outside the lock: they may read resources or ask the hooks.
        std::scoped_lock guard(titleLock_);
        product_title = productTitle_;
        program_stem = programStem_;
    }
    if (auto title = ask(product_title); !title.empty()) return title;
    return ask(program_stem);
}

std::wstring ui_hooks::default_title() const {
    if (auto name = application_name(); !name.empty()) return name;
    return fallback_title();
}

}  // namespace vd
