// The program's dialog templates as data: the one description from which the resource script's
// DIALOGEX statements are generated (tools/dialog-rc) and from which the headless dialog host
// builds its controls.  Positions are dialog units; styles are the complete Win32 style words.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace res {

// Dialog template ids.
namespace dialog {
inline constexpr std::uint16_t about = 100;
inline constexpr std::uint16_t frame = 102;
inline constexpr std::uint16_t start_page = 132;
inline constexpr std::uint16_t folder_page = 133;
inline constexpr std::uint16_t shortcut_page = 134;
inline constexpr std::uint16_t progress_page = 135;
inline constexpr std::uint16_t mode_page = 136;
inline constexpr std::uint16_t end_page = 137;
}  // namespace dialog

// Bitmap and icon ids the templates show.
inline constexpr std::uint16_t side_bitmap = 137;
inline constexpr std::uint16_t application_icon = 128;

// A control without an id of its own (IDC_STATIC).
inline constexpr int no_id = -1;

struct dialog_control {
    int id;
    std::wstring_view class_name;  // "Button", "Static", "Edit", "ComboBoxEx32", "msctls_progress32"
    std::wstring_view text;        // for an SS_BITMAP or SS_ICON static: empty, `image` names it
    std::uint32_t style;           // WS_CHILD | WS_VISIBLE and the class's styles
    int x, y, width, height;
    std::uint32_t extended_style = 0;
    std::uint16_t image = 0;  // the bitmap or icon id of an image static
};

struct dialog_template {
    std::uint16_t id;
    std::uint32_t style;
    std::uint32_t extended_style;
    int width, height;
    std::wstring_view title;
    std::span<const dialog_control> controls;
    std::wstring_view font = L"MS Shell Dlg";
    int point_size = 8;
};

// Every template, in id order.
[[nodiscard]] std::span<const dialog_template> dialog_templates() noexcept;
// The template with that id, or nullptr.
[[nodiscard]] const dialog_template* find_dialog_template(std::uint16_t id) noexcept;

}  // namespace res
