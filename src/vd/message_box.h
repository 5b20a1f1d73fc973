// The library's message box: owner, caption, icon and reading order chosen by fixed rules, and the
// one-call error display.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "os/resources.h"
#include "os/system_text.h"
#include "os/user_interface.h"
#include "vd/ui_hooks.h"

namespace vd {

// A string-table id used in place of a text.
struct string_id {
    std::uint16_t value = 0;
};

// A box's text or caption: the text itself, or the id of a string in the string tables.
using message_text = std::variant<std::wstring, string_id>;

// What a box needs from the program.
struct message_box_services {
    os::user_interface& ui;
    os::system_text& system_texts;
    os::resources& resources;
    // The process's hooks: owner, modeless switch and title of every box.
    const ui_hooks& hooks;
    // The language state's resource module (strings fall back to the program module); empty: 0.
    std::function<os::module_handle()> resource_module;
    // Whether an ownerless box reads right to left: the language state's IsRightToLeft of
    // DefaultLanguage(0).  Empty: left to right.
    std::function<bool()> ownerless_right_to_left;
};

// The type with its icon completed: MB_OK and MB_OKCANCEL get the exclamation mark, MB_YESNOCANCEL
// and MB_YESNO the question mark, other button sets nothing; a type that names an icon is kept.
[[nodiscard]] std::uint32_t complete_message_box_type(std::uint32_t type) noexcept;

// Shows a box and returns MessageBoxW's answer (0 when it could not be shown).  The owner comes
// from the services' owner hook (or the active owner window when it is empty); the modeless switch is off
// and the disabled top-level window stays disabled while the box is up, and both are restored
// afterwards, also when the box fails.  A missing string gives an empty text; no caption means the
// title hook's answer (the product title or program stem when the hook is empty).
[[nodiscard]] int message_box(const message_box_services& services, const message_text& text, std::uint32_t type,
                              const std::optional<message_text>& caption = std::nullopt);

// The error box for a code: its error text with an exclamation mark and OK, captioned with the
// title hook's answer.
void show_error(const message_box_services& services, std::int32_t code);

}  // namespace vd
