// The headless dialog host: the port's operations on the in-memory window.
#include "wizard/framework/headless_dialog_host.h"

#include "res/dialog_styles.h"
#include "wizard/framework/headless_dialog_system.h"

#include <algorithm>

namespace wizard {

namespace st = res::style;
using headless::control;
using headless::control_kind;

namespace {

constexpr std::uint32_t ws_dlgframe = 0x00400000;
// EM_LIMITTEXT 0: the largest texts an edit control takes.
constexpr std::size_t single_line_maximum = 0x7FFFFFFE;
constexpr std::size_t multi_line_maximum = 0xFFFFFFFF;
// CB_SETDROPPEDWIDTH refuses widths from 32768 on.
constexpr int dropped_width_bound = 32768;

// The items of a framed dialog's system menu, in the system's order.
std::vector<system_menu_item> standard_system_menu() {
    return {{sc::restore, L"&Restore"},    {sc::move, L"&Move"},         {sc::size, L"&Size"},
            {sc::minimize, L"Mi&nimize"},  {sc::maximize, L"Ma&ximize"}, {0, L"", true},
            {sc::close, L"&Close\tAlt+F4"}};
}

}  // namespace

headless_dialog_host::headless_dialog_host(headless_dialog_system& system, CDialog& dialog,
                                           const res::dialog_template& source, headless_dialog_host* parent,
                                           os::window_handle handle, bool modal)
    : system_(system),
      dialog_(dialog),
      parent_(parent),
      handle_(handle),
      modal_(modal),
      templateId_(source.id),
      // Made hidden, shown after WM_INITDIALOG; a child window has neither caption nor system menu.
      style_(source.style & ~st::ws_visible),
      title_(source.title) {
    if (style_ & st::ws_child) style_ &= ~(st::ws_caption | st::ws_sysmenu);
    const auto& metrics = units();
    const int width = headless::mul_div(source.width, metrics.base_x, 4);
    const int height = headless::mul_div(source.height, metrics.base_y, 8);
    windowRect_ = {0, 0, width + 2 * frame_left(), height + frame_top() + frame_left()};
    normalRect_ = windowRect_;
    if (!(style_ & st::ws_child) && (style_ & st::ws_sysmenu)) systemMenu_ = standard_system_menu();
    controls_.reserve(source.controls.size());
    for (const auto& row : source.controls) {
        controls_.emplace_back(row, metrics);
        // The dialog's default id is its last default push button (the others lose the style).
        if (controls_.back().kind == control_kind::button && controls_.back().button_type() == st::bs_defpushbutton) {
            defaultId_ = row.id;
        }
    }
    system_.window_created(*this);
}

headless_dialog_host::~headless_dialog_host() { system_.window_destroyed(*this); }

const headless::metrics& headless_dialog_host::units() const noexcept { return system_.metrics(); }

int headless_dialog_host::frame_left() const noexcept {
    if ((style_ & st::ws_caption) == st::ws_caption || (style_ & (ws_dlgframe | st::ds_modalframe)))
        return units().frame_border;
    return (style_ & st::ws_border) ? 1 : 0;
}

int headless_dialog_host::frame_top() const noexcept {
    return frame_left() + ((style_ & st::ws_caption) == st::ws_caption ? units().caption_height : 0);
}

const control* headless_dialog_host::find(int id) const noexcept {
    const auto found = std::find_if(controls_.begin(), controls_.end(), [id](const control& c) { return c.id == id; });
    return found == controls_.end() ? nullptr : &*found;
}

control* headless_dialog_host::find(int id) noexcept {
    return const_cast<control*>(static_cast<const headless_dialog_host*>(this)->find(id));
}

os::window_handle headless_dialog_host::window() const { return handle_; }
void headless_dialog_host::set_title(std::wstring_view title) { title_ = title; }
std::wstring headless_dialog_host::title() { return title_; }

void headless_dialog_host::show(bool visible) {
    if (visible) {
        style_ |= st::ws_visible;
        return;
    }
    style_ &= ~st::ws_visible;
    system_.focus_leaves(*this, 0);
}

bool headless_dialog_host::is_visible() {
    // IsWindowVisible: the window and every parent.
    for (const headless_dialog_host* window = this; window != nullptr; window = window->parent_)
        if (!(window->style_ & st::ws_visible)) return false;
    return true;
}

bool headless_dialog_host::is_minimized() { return minimized_; }
rect headless_dialog_host::window_rect() { return windowRect_; }

rect headless_dialog_host::client_rect() {
    return {0, 0, std::max(windowRect_.width() - 2 * frame_left(), 0),
            std::max(windowRect_.height() - frame_top() - frame_left(), 0)};
}

void headless_dialog_host::set_position(const rect& where, bool move, bool size) {
    rect next = windowRect_;
    if (move) next = next.moved_to(where.left, where.top);
    if (size) next = {next.left, next.top, next.left + where.width(), next.top + where.height()};
    windowRect_ = next;
    if (!maximized_) normalRect_ = next;
}

void headless_dialog_host::set_big_icon(os::icon_handle icon) { bigIcon_ = icon; }

void headless_dialog_host::append_system_menu_separator() {
    if (style_ & st::ws_sysmenu) systemMenu_.push_back({0, L"", true});
}

void headless_dialog_host::append_system_menu_item(unsigned command, std::wstring_view text) {
    if (style_ & st::ws_sysmenu) systemMenu_.push_back({command, std::wstring(text)});
}

void headless_dialog_host::modify_system_menu_item(unsigned command, std::wstring_view text) {
    for (auto& item : systemMenu_) {
        if (!item.separator && item.command == command) {
            item.text = text;
            return;
        }
    }
}

void headless_dialog_host::delete_system_menu_item(unsigned command) {
    const auto found = std::find_if(systemMenu_.begin(), systemMenu_.end(), [command](const system_menu_item& item) {
        return !item.separator && item.command == command;
    });
    if (found != systemMenu_.end()) systemMenu_.erase(found);
}

void headless_dialog_host::enable_system_menu_item(unsigned command, bool enable) {
    for (auto& item : systemMenu_)
        if (!item.separator && item.command == command) item.enabled = enable;
}

bool headless_dialog_host::has_control(int id) { return find(id) != nullptr; }

void headless_dialog_host::set_text(int id, std::wstring_view text) {
    if (auto* c = find(id)) c->text = text;
}

std::wstring headless_dialog_host::text(int id) {
    const auto* c = find(id);
    return c ? c->text : std::wstring();
}

void headless_dialog_host::enable(int id, bool enable) {
    auto* c = find(id);
    if (!c) return;
    if (enable) {
        c->style &= ~st::ws_disabled;
        return;
    }
    c->style |= st::ws_disabled;
    // EnableWindow(FALSE) takes the focus from the window.
    system_.focus_drops(*this, id);
}

bool headless_dialog_host::is_enabled(int id) {
    const auto* c = find(id);
    return c && c->enabled();
}

void headless_dialog_host::show_control(int id, bool visible) {
    auto* c = find(id);
    if (!c) return;
    if (visible) {
        c->style |= st::ws_visible;
        return;
    }
    c->style &= ~st::ws_visible;
    // Hiding the focused window gives the focus to its parent.
    system_.focus_leaves(*this, id);
}

bool headless_dialog_host::is_control_visible(int id) {
    const auto* c = find(id);
    return c && c->visible();
}

void headless_dialog_host::set_check(int id, bool checked) {
    if (auto* c = find(id)) c->set_checked(checked);
}

bool headless_dialog_host::is_checked(int id) {
    const auto* c = find(id);
    return c && c->checkable() && c->checked;
}

std::vector<int> headless_dialog_host::radio_group(int first) {
    std::vector<int> group;
    const auto start =
        std::find_if(controls_.begin(), controls_.end(), [first](const control& c) { return c.id == first; });
    if (start == controls_.end()) return group;
    for (auto at = start; at != controls_.end() && (at == start || !at->starts_group()); ++at)
        if (at->radio()) group.push_back(at->id);
    return group;
}

void headless_dialog_host::check_radio(int id) {
    const auto clicked =
        std::find_if(controls_.begin(), controls_.end(), [id](const control& c) { return c.id == id; });
    if (clicked == controls_.end()) return;
    auto first = clicked;
    while (first != controls_.begin() && !first->starts_group()) --first;
    auto last = std::next(clicked);
    while (last != controls_.end() && !last->starts_group()) ++last;
    for (auto at = first; at != last; ++at)
        if (at->radio() && at->button_type() == st::bs_autoradiobutton) at->set_checked(at == clicked);
}

rect headless_dialog_host::control_rect(int id) {
    const auto* c = find(id);
    return c ? c->where : rect{};
}

void headless_dialog_host::move_control(int id, const rect& where) {
    auto* c = find(id);
    if (!c) return;
    // A drop-down list keeps the height of its selection field.
    const int height = c->kind == control_kind::combo_box_ex ? c->where.height() : where.height();
    c->where = {where.left, where.top, where.right, where.top + height};
}

void headless_dialog_host::set_focus(int id) {
    // SetFocus refuses a disabled window.
    if (const auto* c = find(id); c && c->enabled()) system_.move_focus(*this, id);
}

void headless_dialog_host::set_default_button(int id) { defaultId_ = id; }
int headless_dialog_host::default_button() { return defaultId_; }

int headless_dialog_host::text_width(int id, std::wstring_view text) {
    return find(id) ? static_cast<int>(text.size()) * units().char_width : 0;
}

void headless_dialog_host::set_read_only(int id, bool read_only) {
    auto* c = find(id);
    if (!c || c->kind != control_kind::edit) return;
    if (read_only)
        c->style |= st::es_readonly;
    else
        c->style &= ~st::es_readonly;
}

void headless_dialog_host::limit_text(int id, std::size_t maximum) {
    auto* c = find(id);
    if (!c || c->kind != control_kind::edit) return;
    const std::size_t largest = c->multi_line() ? multi_line_maximum : single_line_maximum;
    c->limit = maximum == 0 ? largest : std::min(maximum, largest);
}

bool headless_dialog_host::is_read_only(int id) {
    const auto* c = find(id);
    return c && c->read_only();
}

std::pair<int, int> headless_dialog_host::edit_margins(int id) {
    const auto* c = find(id);
    if (!c || c->kind != control_kind::edit) return {0, 0};
    return {units().edit_margin, units().edit_margin};
}

rect headless_dialog_host::control_client_rect(int id) {
    const auto* c = find(id);
    return c ? c->client_rect(units()) : rect{};
}

void headless_dialog_host::append_edit_text(int id, std::wstring_view text) {
    auto* c = find(id);
    if (!c || c->kind != control_kind::edit) return;
    c->scroll_to_end(units());
    // EM_REPLACESEL keeps to the limit: what does not fit is cut off.
    const std::size_t room = c->limit > c->text.size() ? c->limit - c->text.size() : 0;
    c->text.append(text.substr(0, std::min(room, text.size())));
    c->scroll_to_end(units());
}

void headless_dialog_host::scroll_edit_lines(int id, int lines) {
    if (auto* c = find(id); c && c->kind == control_kind::edit) c->scroll_lines(lines, units());
}

int headless_dialog_host::first_visible_line(int id) {
    const auto* c = find(id);
    return c && c->multi_line() ? c->first_visible_line : 0;
}

void headless_dialog_host::set_progress_range(int id, int low, int high) {
    auto* c = find(id);
    if (!c || c->kind != control_kind::progress_bar) return;
    c->low = low;
    c->high = high;
    c->position = std::clamp(c->position, std::min(low, high), std::max(low, high));
}

void headless_dialog_host::set_progress_position(int id, int position) {
    auto* c = find(id);
    if (!c || c->kind != control_kind::progress_bar) return;
    c->position = std::clamp(position, std::min(c->low, c->high), std::max(c->low, c->high));
}

int headless_dialog_host::progress_position(int id) {
    const auto* c = find(id);
    return c && c->kind == control_kind::progress_bar ? c->position : 0;
}

void headless_dialog_host::create_list_images(int id, int width, int height, int initial, int grow) {
    if (auto* c = find(id); c && c->kind == control_kind::combo_box_ex)
        c->images = headless::image_list{width, height, initial, grow, 0};
}

int headless_dialog_host::add_list_item(int id, std::wstring_view text, std::uint16_t icon_id, int, int,
                                        std::intptr_t data) {
    auto* c = find(id);
    if (!c || c->kind != control_kind::combo_box_ex) return -1;
    int image = -1;
    if (c->images && system_.icon_loads(icon_id)) image = c->images->count++;
    c->items.push_back({std::wstring(text), icon_id, image, data});
    return static_cast<int>(c->items.size()) - 1;
}

int headless_dialog_host::list_selection(int id) {
    const auto* c = find(id);
    return c && c->kind == control_kind::combo_box_ex ? c->selection : -1;
}

void headless_dialog_host::select_list_item(int id, int position) {
    auto* c = find(id);
    if (!c || c->kind != control_kind::combo_box_ex) return;
    // CB_SETCURSEL with a position outside the list clears the selection.
    c->selection = position >= 0 && position < static_cast<int>(c->items.size()) ? position : -1;
}

std::optional<std::intptr_t> headless_dialog_host::list_item_data(int id, int position) {
    const auto* c = find(id);
    if (!c || position < 0 || position >= static_cast<int>(c->items.size())) return std::nullopt;
    return c->items[static_cast<std::size_t>(position)].data;
}

int headless_dialog_host::list_count(int id) {
    const auto* c = find(id);
    return c ? static_cast<int>(c->items.size()) : 0;
}

std::wstring headless_dialog_host::list_item_text(int id, int position) {
    const auto* c = find(id);
    if (!c || position < 0 || position >= static_cast<int>(c->items.size())) return {};
    return c->items[static_cast<std::size_t>(position)].text;
}

int headless_dialog_host::list_text_width(int id, std::wstring_view text) {
    const auto* c = find(id);
    return c && c->kind == control_kind::combo_box_ex ? static_cast<int>(text.size()) * units().char_width : 0;
}

void headless_dialog_host::set_dropped_width(int id, int width) {
    auto* c = find(id);
    if (!c || c->kind != control_kind::combo_box_ex || width < 0 || width >= dropped_width_bound) return;
    // Only widths from the control's own width on are kept; a smaller one resets it.
    if (width >= c->where.width())
        c->dropped_width = width;
    else if (width != 0)
        c->dropped_width = 0;
}

int headless_dialog_host::dropped_width(int id) const noexcept {
    const auto* c = find(id);
    if (!c || c->kind != control_kind::combo_box_ex) return 0;
    return c->dropped_width != 0 ? c->dropped_width : c->where.width();
}

std::size_t headless_dialog_host::text_limit(int id) const noexcept {
    const auto* c = find(id);
    return c && c->kind == control_kind::edit ? c->limit : 0;
}

void headless_dialog_host::end_dialog(int result) {
    result_ = result;
    // DestroyWindow: this host is gone when the call returns.
    if (!modal_) system_.destroy(*this);
}

void headless_dialog_host::minimize() {
    minimized_ = true;
    system_.focus_leaves(*this, 0);
}

void headless_dialog_host::maximize(const min_max_info& info) {
    if (!maximized_) normalRect_ = windowRect_;
    maximized_ = true;
    minimized_ = false;
    windowRect_ = {info.max_x, info.max_y, info.max_x + info.max_width, info.max_y + info.max_height};
}

void headless_dialog_host::restore() {
    minimized_ = false;
    if (maximized_) windowRect_ = normalRect_;
    maximized_ = false;
}

min_max_info headless_dialog_host::default_min_max_info() const noexcept {
    const int border = frame_left();
    return {units().screen_width + 2 * border, units().screen_height + 2 * border, -border, -border};
}

}  // namespace wizard
