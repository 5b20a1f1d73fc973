// The state the headless dialog host keeps for one control of a dialog template, and the fixed
// metrics of its model of the dialog manager (base units, frame, font, scroll bars).
#pragma once

#include "res/dialog_templates.h"
#include "wizard/framework/geometry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wizard::headless {

// The fixed numbers of the model; real dialogs take them from the font and the system metrics.
struct metrics {
    // Dialog base units of "MS Shell Dlg" 8: x pixels = MulDiv(x, 6, 4), y pixels = MulDiv(y, 13, 8).
    int base_x = 6;
    int base_y = 13;
    // Text measurement: every character is `char_width` pixels wide; an edit line is `line_height`.
    int char_width = 6;
    int line_height = 13;
    // A top-level dialog's window = its client area grown by `frame_border` on every side and by
    // `caption_height` more at the top (a child dialog has no frame).
    int frame_border = 3;
    int caption_height = 22;
    // Controls: WS_BORDER becomes a client edge (the dialog manager's rule), 2 pixels a side;
    // scroll bars take 17 pixels; an edit control's left and right margins are 1 pixel each.
    int client_edge = 2;
    int scroll_bar = 17;
    int edit_margin = 1;
    // A drop-down list is as high as its selection field; the template's height is the list's.
    int combo_height = 21;
    // The screen: a maximized window fills it (WM_GETMINMAXINFO's defaults).
    int screen_width = 1280;
    int screen_height = 1024;
};

// MulDiv: a * b / c rounded half away from zero, as the dialog manager converts dialog units.
[[nodiscard]] int mul_div(int a, int b, int c) noexcept;

enum class control_kind { button, static_text, edit, combo_box_ex, progress_bar, other };

struct list_item {
    std::wstring text;
    std::uint16_t icon_id = 0;
    int image = -1;  // index in the list's images; -1 when the icon could not be added
    std::intptr_t data = 0;
};

// ImageList_Create's parameters and the images added so far.
struct image_list {
    int width = 0;
    int height = 0;
    int initial = 0;
    int grow = 0;
    int count = 0;
};

struct control {
    int id = 0;
    std::wstring class_name;
    control_kind kind = control_kind::other;
    std::uint32_t style = 0;  // WS_VISIBLE, WS_DISABLED and ES_READONLY are kept here
    std::uint32_t extended_style = 0;
    rect where;  // in the dialog's client coordinates
    std::wstring text;
    std::uint16_t image = 0;  // the bitmap or icon of an image static

    bool checked = false;  // check boxes and radio buttons

    // Edit controls.
    std::size_t limit = 0;  // EM_LIMITTEXT; see the constructor for the default
    int first_visible_line = 0;

    // Progress bars.
    int low = 0;
    int high = 100;
    int position = 0;

    // ComboBoxEx controls.
    std::vector<list_item> items;
    int selection = -1;
    int dropped_width = 0;  // 0 until CB_SETDROPPEDWIDTH
    std::optional<image_list> images;

    control(const res::dialog_control& source, const metrics& units);

    [[nodiscard]] bool visible() const noexcept;
    [[nodiscard]] bool enabled() const noexcept;
    [[nodiscard]] bool read_only() const noexcept;
    [[nodiscard]] bool multi_line() const noexcept;
    [[nodiscard]] std::uint32_t button_type() const noexcept;  // BS_* kind; only for buttons
    [[nodiscard]] bool checkable() const noexcept;             // check box or radio button
    [[nodiscard]] bool radio() const noexcept;
    [[nodiscard]] bool push_button() const noexcept;
    [[nodiscard]] bool starts_group() const noexcept;
    [[nodiscard]] bool tab_stop() const noexcept;
    // BM_SETCHECK; a radio button also takes WS_TABSTOP when checked and loses it when not.
    void set_checked(bool value) noexcept;

    // GetClientRect: the rectangle without client edge and scroll bars.
    [[nodiscard]] rect client_rect(const metrics& units) const noexcept;

    // Edit lines: lines are separated by "\r\n"; the last line may be empty.
    [[nodiscard]] int line_count() const noexcept;
    [[nodiscard]] int visible_lines(const metrics& units) const noexcept;
    // EM_LINESCROLL: the first visible line stays between 0 and the last line that keeps the
    // control full.
    void scroll_lines(int lines, const metrics& units) noexcept;
    // EM_SCROLLCARET with the caret at the end of the text.
    void scroll_to_end(const metrics& units) noexcept;
};

}  // namespace wizard::headless
