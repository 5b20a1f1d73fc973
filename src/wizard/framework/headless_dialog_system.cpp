// The headless dialog system: window life cycles, modal runs, the keyboard focus and the user's
// actions, with the dialog manager's rules for Esc, Enter and the close box.
#include "wizard/framework/headless_dialog_system.h"

#include "os/user_interface.h"
#include "res/dialog_styles.h"

#include <algorithm>
#include <stdexcept>

namespace wizard {

namespace st = res::style;
using headless::control;
using headless::control_kind;

namespace {

// Edit notifications (EN_*).
constexpr int en_change = 0x0300;
constexpr int en_update = 0x0400;
constexpr int en_max_text = 0x0501;
constexpr unsigned command_mask = 0xFFF0;  // the system's own low four bits of SC_* commands

// True while `dialog` still has `window` (a handler may have ended a child dialog).
bool still_has(const CDialog& dialog, const headless_dialog_host& window) {
    return dialog.HasWindow() && &dialog.Host() == &window;
}

// Destroys the window of a dialog when a run or a creation is left, also by an exception.
class window_guard {
public:
    window_guard(CDialog& dialog, const headless_dialog_host& window) : dialog_(dialog), window_(&window) {}
    ~window_guard() {
        if (window_ && still_has(dialog_, *window_)) dialog_.DetachHost();
    }
    window_guard(const window_guard&) = delete;
    window_guard& operator=(const window_guard&) = delete;
    void release() noexcept { window_ = nullptr; }

private:
    CDialog& dialog_;
    const headless_dialog_host* window_;
};

}  // namespace

headless_dialog_system::headless_dialog_system(template_lookup lookup, headless::metrics units)
    : lookup_(std::move(lookup)), units_(units) {
    set_message_box([this](const std::wstring& text, std::uint32_t type) { return answer_box(text, type); });
}

headless_dialog_system::~headless_dialog_system() {
    while (!windows_.empty()) windows_.back()->dialog().DetachHost();
}

int headless_dialog_system::run_modal(CDialog& dialog, os::window_handle) {
    const res::dialog_template* source = lookup_ ? lookup_(dialog.TemplateId()) : nullptr;
    if (source == nullptr || dialog.HasWindow()) return -1;
    dialog.AttachHost(std::make_unique<headless_dialog_host>(*this, dialog, *source, nullptr,
                                                             os::window_handle{nextHandle_++}, true));
    auto& window = static_cast<headless_dialog_host&>(dialog.Host());
    const focus_place before = focus_;
    int result = -1;
    {
        const window_guard guard(dialog, window);
        result = run_window(dialog, window);
    }
    // The owner is active again: its dialog manager gives the focus back to where it was.
    const bool alive = std::find(windows_.begin(), windows_.end(), before.window) != windows_.end();
    if (alive) {
        const auto* c = before.id != 0 ? before.window->find(before.id) : nullptr;
        if (before.id == 0 || (c != nullptr && c->enabled())) focus_ = before;
    }
    runs_.push_back({dialog.TemplateId(), result});
    return result;
}

int headless_dialog_system::run_window(CDialog& dialog, headless_dialog_host& window) {
    const bool defaultFocus = dialog.OnInitDialog();
    // A dialog ended in WM_INITDIALOG is never shown.
    if (!window.result()) {
        if (defaultFocus) {
            const auto place = first_tab_item(window);
            if (place.window) move_focus(*place.window, place.id);
        }
        window.show(true);
        if (const auto script = scripts_.find(dialog.TemplateId()); script != scripts_.end()) {
            const modal_script user = script->second;  // the script may replace itself
            user(dialog);
        }
    }
    return window.result().value_or(-1);
}

bool headless_dialog_system::create_child(CDialog& dialog, CDialog& parent) {
    if (dialog.HasWindow() || !parent.HasWindow()) return false;
    auto* parentWindow = dynamic_cast<headless_dialog_host*>(&parent.Host());
    const res::dialog_template* source = lookup_ ? lookup_(dialog.TemplateId()) : nullptr;
    if (parentWindow == nullptr || source == nullptr) return false;
    dialog.AttachHost(std::make_unique<headless_dialog_host>(*this, dialog, *source, parentWindow,
                                                             os::window_handle{nextHandle_++}, false));
    auto& window = static_cast<headless_dialog_host&>(dialog.Host());
    window_guard guard(dialog, window);

    const bool defaultFocus = dialog.OnInitDialog();
    if (!still_has(dialog, window)) return false;  // ended in WM_INITDIALOG
    // A hidden control dialog gets no default focus.
    if (defaultFocus && (!(source->style & st::ds_control) || (source->style & st::ws_visible))) {
        const auto place = first_tab_item(window);
        if (place.window) move_focus(*place.window, place.id);
    }
    if (source->style & st::ws_visible) window.show(true);
    guard.release();
    return true;
}

void headless_dialog_system::on_modal(std::uint16_t templateId, modal_script script) {
    if (script)
        scripts_[templateId] = std::move(script);
    else
        scripts_.erase(templateId);
}

void headless_dialog_system::set_icon_catalog(std::function<bool(std::uint16_t)> loads) {
    iconCatalog_ = std::move(loads);
}

bool headless_dialog_system::icon_loads(std::uint16_t icon_id) const { return !iconCatalog_ || iconCatalog_(icon_id); }

void headless_dialog_system::answer_next_box(int answer) { answers_.push_back(answer); }

int headless_dialog_system::answer_box(const std::wstring& text, std::uint32_t type) {
    int answer = 0;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.erase(answers_.begin());
    } else {
        answer = os::default_box_answer(type);
    }
    boxes_.push_back({text, type, answer});
    return answer;
}

void headless_dialog_system::click(CDialog& dialog, int id) {
    auto& window = this->window(dialog);
    auto* c = window.find(id);
    if (c == nullptr || !c->enabled() || c->kind != control_kind::button || c->button_type() == st::bs_groupbox) return;
    move_focus(window, id);
    switch (c->button_type()) {
        case st::bs_autocheckbox:
        case 0x6:  // BS_AUTO3STATE, kept as checked or not
            c->set_checked(!c->checked);
            break;
        case st::bs_autoradiobutton:
            window.check_radio(id);
            break;
        default:
            break;
    }
    dialog.DispatchCommand(id, notify::clicked);
}

void headless_dialog_system::choose_list_item(CDialog& dialog, int id, int position) {
    auto& window = this->window(dialog);
    const auto* c = window.find(id);
    if (c == nullptr || !c->enabled() || c->kind != control_kind::combo_box_ex) return;
    move_focus(window, id);
    window.select_list_item(id, position);
    dialog.DispatchCommand(id, notify::selection_change);
}

void headless_dialog_system::type_text(CDialog& dialog, int id, std::wstring_view text) {
    auto& window = this->window(dialog);
    auto* c = window.find(id);
    if (c == nullptr || c->kind != control_kind::edit || !c->enabled() || c->read_only() || text.empty()) return;
    move_focus(window, id);
    c->text.clear();  // the first character replaces the selected text
    c->first_visible_line = 0;
    for (const wchar_t character : text) {
        c = window.find(id);
        if (c->text.size() >= c->limit) {
            dialog.DispatchCommand(id, en_max_text);
        } else {
            c->text.push_back(character);
            c->scroll_to_end(units_);
            dialog.DispatchCommand(id, en_update);
            if (!still_has(dialog, window)) return;
            dialog.DispatchCommand(id, en_change);
        }
        if (!still_has(dialog, window)) return;
    }
}

void headless_dialog_system::system_command(CDialog& dialog, unsigned command) {
    auto& window = this->window(dialog);
    if (dialog.OnSysCommand(command) || !still_has(dialog, window)) return;
    switch (command & command_mask) {
        case sc::close:
            close(dialog);
            break;
        case sc::minimize:
            window.minimize();
            break;
        case sc::maximize: {
            min_max_info info = window.default_min_max_info();
            dialog.OnGetMinMaxInfo(info);
            if (still_has(dialog, window)) window.maximize(info);
            break;
        }
        case sc::restore:
            window.restore();
            break;
        default:
            break;
    }
}

void headless_dialog_system::open_system_menu(CDialog& dialog) {
    (void)window(dialog);
    dialog.OnInitMenuPopup(true);
}

void headless_dialog_system::close(CDialog& dialog) {
    const auto* cancel = window(dialog).find(id_cancel);
    if (cancel != nullptr && !cancel->enabled()) return;  // the system beeps
    dialog.DispatchCommand(id_cancel, notify::clicked);
}

void headless_dialog_system::press_escape(CDialog& dialog) { close(dialog); }

void headless_dialog_system::press_enter(CDialog& dialog) {
    auto& window = this->window(dialog);
    // A focused push button anywhere in the dialog is the one Enter presses.
    if (focus_.id != 0 && contains(window, focus_.window)) {
        if (const auto* focused = focus_.window->find(focus_.id); focused && focused->push_button()) {
            dialog.DispatchCommand(focus_.id, notify::clicked);
            return;
        }
    }
    const int defaultId = window.default_button();
    if (defaultId == 0) {
        dialog.DispatchCommand(id_ok, notify::clicked);
        return;
    }
    const auto* button = window.find(defaultId);
    if (button != nullptr && button->enabled()) dialog.DispatchCommand(defaultId, notify::clicked);
}

headless_dialog_host& headless_dialog_system::window(const CDialog& dialog) const {
    auto* window = dialog.HasWindow() ? dynamic_cast<headless_dialog_host*>(&dialog.Host()) : nullptr;
    if (window == nullptr) throw std::logic_error("the dialog has no headless window");
    return *window;
}

int headless_dialog_system::focused_control(const CDialog& dialog) const {
    if (!dialog.HasWindow()) return 0;
    return focus_.window == &window(dialog) ? focus_.id : 0;
}

min_max_info headless_dialog_system::maximized_size(CDialog& dialog) const {
    min_max_info info = window(dialog).default_min_max_info();
    dialog.OnGetMinMaxInfo(info);
    return info;
}

void headless_dialog_system::window_created(headless_dialog_host& window) { windows_.push_back(&window); }

void headless_dialog_system::window_destroyed(headless_dialog_host& window) {
    // Children go first, the most recent first.
    for (;;) {
        const auto child = std::find_if(windows_.rbegin(), windows_.rend(),
                                        [&](const headless_dialog_host* w) { return w->parent() == &window; });
        if (child == windows_.rend()) break;
        (*child)->dialog().DetachHost();
    }
    if (contains(window, focus_.window)) focus_ = window.parent() ? focus_place{window.parent(), 0} : focus_place{};
    std::erase(windows_, &window);
}

void headless_dialog_system::destroy(headless_dialog_host& window) { window.dialog().DetachHost(); }

void headless_dialog_system::move_focus(headless_dialog_host& window, int id) { focus_ = {&window, id}; }

void headless_dialog_system::focus_leaves(headless_dialog_host& window, int id) {
    if (id != 0) {
        if (focus_.window == &window && focus_.id == id) focus_.id = 0;
        return;
    }
    if (contains(window, focus_.window)) focus_ = window.parent() ? focus_place{window.parent(), 0} : focus_place{};
}

void headless_dialog_system::focus_drops(headless_dialog_host& window, int id) {
    if (focus_.window == &window && focus_.id == id) focus_ = {};
}

bool headless_dialog_system::contains(const headless_dialog_host& outer, const headless_dialog_host* inner) const {
    for (; inner != nullptr; inner = inner->parent())
        if (inner == &outer) return true;
    return false;
}

headless_dialog_system::focus_place headless_dialog_system::first_tab_item(headless_dialog_host& window) const {
    // GetNextDlgTabItem from the start: the dialog's controls, then (through control parents) the
    // controls of its visible child dialogs; else the first visible, enabled control.
    for (const auto& c : window.controls())
        if (c.tab_stop() && c.visible() && c.enabled()) return {&window, c.id};
    for (auto* child : windows_) {
        if (child->parent() != &window || !(child->style() & st::ws_visible) || (child->style() & st::ws_disabled))
            continue;
        if (const auto place = first_tab_item(*child); place.id != 0) return place;
    }
    for (const auto& c : window.controls())
        if (c.visible() && c.enabled()) return {&window, c.id};
    return window.parent() ? focus_place{} : focus_place{&window, 0};
}

}  // namespace wizard
