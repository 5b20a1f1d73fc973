// One control of the headless dialog host: made from its template row, with the dialog manager's
// conversions and the edit control's line arithmetic.
#include "wizard/framework/headless_control.h"

#include "res/dialog_styles.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>

namespace wizard::headless {

namespace st = res::style;

namespace {

// The edit control's limit before EM_LIMITTEXT: 30000 characters.
constexpr std::size_t default_edit_limit = 30000;
// WS_EX_CLIENTEDGE.
constexpr std::uint32_t ws_ex_client_edge = 0x00000200;

control_kind kind_of(std::wstring_view class_name) {
    struct entry {
        std::wstring_view name;
        control_kind kind;
    };
    for (const auto& [name, kind] :
         {entry{L"Button", control_kind::button}, entry{L"Static", control_kind::static_text},
          entry{L"Edit", control_kind::edit}, entry{L"ComboBoxEx32", control_kind::combo_box_ex},
          entry{L"msctls_progress32", control_kind::progress_bar}}) {
        if (std::equal(name.begin(), name.end(), class_name.begin(), class_name.end(),
                       [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }))
            return kind;
    }
    return control_kind::other;
}

}  // namespace

int mul_div(int a, int b, int c) noexcept {
    if (c == 0) return -1;
    if (c < 0) {
        a = -a;
        c = -c;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

control::control(const res::dialog_control& source, const metrics& units)
    : id(source.id),
      class_name(source.class_name),
      kind(kind_of(source.class_name)),
      style(source.style | st::ws_child),
      extended_style(source.extended_style),
      text(source.text),
      image(source.image) {
    // The dialog manager draws every control border as a client edge.
    if (style & st::ws_border) {
        style &= ~st::ws_border;
        extended_style |= ws_ex_client_edge;
    }
    const int left = mul_div(source.x, units.base_x, 4);
    const int top = mul_div(source.y, units.base_y, 8);
    where = {left, top, left + mul_div(source.width, units.base_x, 4), top + mul_div(source.height, units.base_y, 8)};
    if (kind == control_kind::edit) limit = default_edit_limit;
    if (kind == control_kind::combo_box_ex) where.bottom = where.top + units.combo_height;
}

bool control::visible() const noexcept { return (style & st::ws_visible) != 0; }
bool control::enabled() const noexcept { return (style & st::ws_disabled) == 0; }
bool control::read_only() const noexcept { return kind == control_kind::edit && (style & st::es_readonly) != 0; }
bool control::multi_line() const noexcept { return kind == control_kind::edit && (style & st::es_multiline) != 0; }
std::uint32_t control::button_type() const noexcept { return style & st::bs_typemask; }

bool control::checkable() const noexcept {
    if (kind != control_kind::button) return false;
    switch (button_type()) {
        case 0x2:  // BS_CHECKBOX
        case st::bs_autocheckbox:
        case 0x4:  // BS_RADIOBUTTON
        case 0x5:  // BS_3STATE
        case 0x6:  // BS_AUTO3STATE
        case st::bs_autoradiobutton:
            return true;
        default:
            return false;
    }
}

bool control::radio() const noexcept {
    return kind == control_kind::button && (button_type() == 0x4 || button_type() == st::bs_autoradiobutton);
}

bool control::push_button() const noexcept {
    return kind == control_kind::button &&
           (button_type() == st::bs_pushbutton || button_type() == st::bs_defpushbutton);
}

bool control::starts_group() const noexcept { return (style & st::ws_group) != 0; }
bool control::tab_stop() const noexcept { return (style & st::ws_tabstop) != 0; }

void control::set_checked(bool value) noexcept {
    if (!checkable()) return;
    checked = value;
    if (!radio()) return;
    if (value)
        style |= st::ws_tabstop;
    else
        style &= ~st::ws_tabstop;
}

rect control::client_rect(const metrics& units) const noexcept {
    int width = where.width();
    int height = where.height();
    if (extended_style & ws_ex_client_edge) {
        width -= 2 * units.client_edge;
        height -= 2 * units.client_edge;
    }
    if (style & st::ws_vscroll) width -= units.scroll_bar;
    if (style & st::ws_hscroll) height -= units.scroll_bar;
    return {0, 0, std::max(width, 0), std::max(height, 0)};
}

int control::line_count() const noexcept {
    int lines = 1;
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) ++lines;
    return lines;
}

int control::visible_lines(const metrics& units) const noexcept {
    return std::max(1, client_rect(units).height() / std::max(1, units.line_height));
}

void control::scroll_lines(int lines, const metrics& units) noexcept {
    if (!multi_line()) return;
    const int last_first = std::max(line_count() - visible_lines(units), 0);
    first_visible_line = std::clamp(first_visible_line + lines, 0, last_first);
}

void control::scroll_to_end(const metrics& units) noexcept {
    if (!multi_line()) return;
    const int caret_line = line_count() - 1;
    const int shown = visible_lines(units);
    if (caret_line < first_visible_line)
        first_visible_line = caret_line;
    else if (caret_line >= first_visible_line + shown)
        first_visible_line = caret_line - shown + 1;
}

}  // namespace wizard::headless
