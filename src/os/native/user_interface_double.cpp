// Native double of the user-interface port.
#include "os/native/user_interface_double.h"

#include <array>
#include <utility>

namespace os::native {

void scripted_ui::answer_next(int button) {
    answers_.push_back([button](const shown_box&) { return button; });
}

void scripted_ui::answer_next(responder respond) { answers_.push_back(std::move(respond)); }

int scripted_ui::default_answer(std::uint32_t type) { return default_box_answer(type); }

int scripted_ui::message_box(window_handle owner, std::wstring_view text, std::optional<std::wstring_view> caption,
                             std::uint32_t type) {
    // MessageBoxW refuses an owner that is not a window and a button set it does not know.
    if ((owner != window_handle::none && !exists(owner)) || default_answer(type) == 0) return 0;
    shown_box box{owner, std::wstring(text), {}, type, {}, 0};
    if (caption) box.caption.emplace(*caption);
    for (const auto& [handle, w] : windows_) {
        if (w.shape.style & ws::disabled) box.disabled_windows.push_back(handle);
    }
    if (answers_.empty()) {
        box.answer = default_answer(type);
    } else {
        const auto respond = std::move(answers_.front());
        answers_.pop_front();
        box.answer = respond(box);
    }
    boxes_.push_back(box);
    return box.answer;
}

window_handle scripted_ui::add_window(const window_spec& shape) {
    const auto handle = static_cast<window_handle>(next_handle_);
    next_handle_ += 4;
    window w{shape, window_handle::none};
    if (!exists(shape.parent)) w.shape.parent = window_handle::none;
    windows_.emplace(handle, w);
    return handle;
}

scripted_ui::window* scripted_ui::find(window_handle handle) {
    const auto found = windows_.find(handle);
    return found == windows_.end() ? nullptr : &found->second;
}

bool scripted_ui::exists(window_handle window) const { return windows_.contains(window); }

void scripted_ui::set_active(window_handle window) {
    if (!exists(window)) {
        active_ = window_handle::none;
        return;
    }
    active_ = window;
    const auto root = root_owner(window);
    if (auto* owner = find(root)) owner->last_active_popup = window;
}

void scripted_ui::destroy(window_handle window) {
    if (!exists(window)) return;
    windows_.erase(window);
    if (active_ == window) active_ = window_handle::none;
    std::vector<window_handle> dependants;
    for (const auto& [handle, w] : windows_) {
        if (w.shape.parent == window) dependants.push_back(handle);
    }
    for (const auto handle : dependants) destroy(handle);
}

window_handle scripted_ui::parent(window_handle window) {
    const auto* w = find(window);
    if (w == nullptr) return window_handle::none;
    // GetParent answers a child's parent and a popup's owner; an overlapped window's owner is not
    // its parent.
    if (w->shape.style & (ws::child | ws::popup)) return w->shape.parent;
    return window_handle::none;
}

window_handle scripted_ui::root_owner(window_handle window) {
    auto* w = find(window);
    if (w == nullptr) return window_handle::none;
    // First up the chain of parents to the top-level window, then along GetParent's owners.
    while ((w->shape.style & ws::child) && find(w->shape.parent) != nullptr) {
        window = w->shape.parent;
        w = find(window);
    }
    for (auto next = parent(window); next != window_handle::none; next = parent(window)) window = next;
    return window;
}

std::vector<window_handle> scripted_ui::thread_windows() {
    std::vector<window_handle> result;
    for (const auto& [handle, w] : windows_) {
        if (!w.shape.other_thread && !(w.shape.style & ws::child)) result.push_back(handle);
    }
    return result;
}

std::uint32_t scripted_ui::style(window_handle window) {
    const auto* w = find(window);
    return w == nullptr ? 0 : w->shape.style;
}

std::uint32_t scripted_ui::extended_style(window_handle window) {
    const auto* w = find(window);
    return w == nullptr ? 0 : w->shape.extended_style;
}

window_handle scripted_ui::last_active_popup(window_handle window) {
    const auto* w = find(window);
    if (w == nullptr) return window_handle::none;
    return exists(w->last_active_popup) ? w->last_active_popup : window;
}

bool scripted_ui::enable_window(window_handle window, bool enable) {
    auto* w = find(window);
    if (w == nullptr) return false;
    const bool was_disabled = (w->shape.style & ws::disabled) != 0;
    if (enable) {
        w->shape.style &= ~ws::disabled;
    } else {
        w->shape.style |= ws::disabled;
    }
    return was_disabled;
}

icon_handle scripted_ui::load_icon(std::uintptr_t, std::uint16_t id) {
    for (auto known : icons_)
        if (known == id) return static_cast<icon_handle>(0x1000u + id);
    return icon_handle::none;
}

bool scripted_ui::is_window_enabled(window_handle window) {
    const auto* w = find(window);
    return w != nullptr && !(w->shape.style & ws::disabled);
}

}  // namespace os::native
