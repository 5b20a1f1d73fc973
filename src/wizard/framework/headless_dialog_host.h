// The headless dialog host: one dialog window kept in memory, made from a dialog template the way
// the dialog manager makes it (dialog units to pixels, WS_GROUP radio groups, the default push
// button, the system menu of a framed dialog).  It answers every query of the port from that state
// and lets tests read what a user would see.  Its windows belong to a headless_dialog_system, which
// also keeps the one keyboard focus of the user-interface thread.
#pragma once

#include "res/dialog_templates.h"
#include "wizard/framework/dialog.h"
#include "wizard/framework/dialog_host.h"
#include "wizard/framework/headless_control.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wizard {

class headless_dialog_system;

// One item of a system menu; a separator has command 0 and no text.
struct system_menu_item {
    unsigned command = 0;
    std::wstring text;
    bool separator = false;
    bool enabled = true;
    friend bool operator==(const system_menu_item&, const system_menu_item&) = default;
};

class headless_dialog_host final : public dialog_host {
public:
    // A top-level dialog (no parent) sits at (0, 0) of the screen; a child dialog at (0, 0) of its
    // parent's client area.  Both start hidden: the system shows them after WM_INITDIALOG.
    headless_dialog_host(headless_dialog_system& system, CDialog& dialog, const res::dialog_template& source,
                         headless_dialog_host* parent, os::window_handle handle, bool modal);
    // Destroys the child windows first (their dialogs lose their hosts) and takes the focus away.
    ~headless_dialog_host() override;
    headless_dialog_host(const headless_dialog_host&) = delete;
    headless_dialog_host& operator=(const headless_dialog_host&) = delete;

    // The port.
    [[nodiscard]] os::window_handle window() const override;
    void set_title(std::wstring_view title) override;
    [[nodiscard]] std::wstring title() override;
    void show(bool visible) override;
    [[nodiscard]] bool is_visible() override;
    [[nodiscard]] bool is_minimized() override;
    [[nodiscard]] rect window_rect() override;
    [[nodiscard]] rect client_rect() override;
    void set_position(const rect& where, bool move, bool size) override;
    void set_big_icon(os::icon_handle icon) override;
    void append_system_menu_separator() override;
    void append_system_menu_item(unsigned command, std::wstring_view text) override;
    void modify_system_menu_item(unsigned command, std::wstring_view text) override;
    void delete_system_menu_item(unsigned command) override;
    void enable_system_menu_item(unsigned command, bool enable) override;
    [[nodiscard]] bool has_control(int id) override;
    void set_text(int id, std::wstring_view text) override;
    [[nodiscard]] std::wstring text(int id) override;
    void enable(int id, bool enable) override;
    [[nodiscard]] bool is_enabled(int id) override;
    void show_control(int id, bool visible) override;
    [[nodiscard]] bool is_control_visible(int id) override;
    void set_check(int id, bool checked) override;
    [[nodiscard]] bool is_checked(int id) override;
    [[nodiscard]] std::vector<int> radio_group(int first) override;
    [[nodiscard]] rect control_rect(int id) override;
    void move_control(int id, const rect& where) override;
    void set_focus(int id) override;
    void set_default_button(int id) override;
    [[nodiscard]] int default_button() override;
    [[nodiscard]] int text_width(int id, std::wstring_view text) override;
    void set_read_only(int id, bool read_only) override;
    void limit_text(int id, std::size_t maximum) override;
    [[nodiscard]] bool is_read_only(int id) override;
    [[nodiscard]] std::pair<int, int> edit_margins(int id) override;
    [[nodiscard]] rect control_client_rect(int id) override;
    void append_edit_text(int id, std::wstring_view text) override;
    void scroll_edit_lines(int id, int lines) override;
    [[nodiscard]] int first_visible_line(int id) override;
    void set_progress_range(int id, int low, int high) override;
    void set_progress_position(int id, int position) override;
    [[nodiscard]] int progress_position(int id) override;
    void create_list_images(int id, int width, int height, int initial, int grow) override;
    int add_list_item(int id, std::wstring_view text, std::uint16_t icon_id, int icon_width, int icon_height,
                      std::intptr_t data) override;
    [[nodiscard]] int list_selection(int id) override;
    void select_list_item(int id, int position) override;
    [[nodiscard]] std::optional<std::intptr_t> list_item_data(int id, int position) override;
    [[nodiscard]] int list_count(int id) override;
    [[nodiscard]] std::wstring list_item_text(int id, int position) override;
    [[nodiscard]] int list_text_width(int id, std::wstring_view text) override;
    void set_dropped_width(int id, int width) override;
    // A modal dialog records the result and ends when the user's script returns; a child dialog is
    // destroyed at once (its CDialog loses this host).
    void end_dialog(int result) override;

    // What tests read.
    [[nodiscard]] CDialog& dialog() const noexcept { return dialog_; }
    [[nodiscard]] headless_dialog_host* parent() const noexcept { return parent_; }
    [[nodiscard]] bool modal() const noexcept { return modal_; }
    [[nodiscard]] std::uint16_t template_id() const noexcept { return templateId_; }
    [[nodiscard]] std::uint32_t style() const noexcept { return style_; }
    [[nodiscard]] const std::vector<headless::control>& controls() const noexcept { return controls_; }
    [[nodiscard]] const headless::control* find(int id) const noexcept;
    [[nodiscard]] headless::control* find(int id) noexcept;
    [[nodiscard]] const std::vector<system_menu_item>& system_menu() const noexcept { return systemMenu_; }
    [[nodiscard]] os::icon_handle big_icon() const noexcept { return bigIcon_; }
    // The result given to end_dialog, nothing before.
    [[nodiscard]] std::optional<int> result() const noexcept { return result_; }
    [[nodiscard]] bool is_maximized() const noexcept { return maximized_; }
    // CB_GETDROPPEDWIDTH: the width set, or the control's width when none was set (0 for no list).
    [[nodiscard]] int dropped_width(int id) const noexcept;
    // EM_GETLIMITTEXT (0 for no edit control).
    [[nodiscard]] std::size_t text_limit(int id) const noexcept;

    // A click on an automatic radio button: it is checked, the other automatic radio buttons of its
    // group are cleared.
    void check_radio(int id);
    // The default handling of window commands, as DefWindowProc does them.
    void minimize();
    // ShowWindow(SW_MAXIMIZE): the window takes the size and position WM_GETMINMAXINFO gave.
    void maximize(const min_max_info& info);
    void restore();
    // WM_GETMINMAXINFO's defaults: the screen, plus the frame's borders outside it.
    [[nodiscard]] min_max_info default_min_max_info() const noexcept;

private:
    [[nodiscard]] const headless::metrics& units() const noexcept;
    [[nodiscard]] int frame_left() const noexcept;  // the frame's width beside the client area
    [[nodiscard]] int frame_top() const noexcept;   // the frame above it (border and caption)

    headless_dialog_system& system_;
    CDialog& dialog_;
    headless_dialog_host* parent_;
    os::window_handle handle_;
    bool modal_;
    std::uint16_t templateId_;
    std::uint32_t style_;
    std::wstring title_;
    rect windowRect_;  // screen coordinates, or the parent's client coordinates for a child
    rect normalRect_;  // the rectangle to restore after maximizing
    bool minimized_ = false;
    bool maximized_ = false;
    os::icon_handle bigIcon_ = os::icon_handle::none;
    std::vector<system_menu_item> systemMenu_;
    std::vector<headless::control> controls_;
    int defaultId_ = 0;
    std::optional<int> result_;
};

}  // namespace wizard
