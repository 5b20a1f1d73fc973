// The headless dialog system: makes dialogs as in-memory windows (headless_dialog_host) from the
// dialog templates, runs modal dialogs against scripts that play the user, and lets tests act as
// a user does (click, choose, type, keys, system menu) and read what the user would see.
//
//     wizard::headless_dialog_system system;
//     system.on_modal(res::dialog::frame, [&](wizard::CDialog& frame) {
//         system.click(frame, 1);                  // Next
//         EXPECT_EQ(system.window(frame).text(1003), L"...");
//         system.press_escape(frame);
//     });
//     frame.DoModal();
//
// The model, where it is fixed rather than measured (see headless::metrics): dialog base units
// 6 x 13; a top-level dialog at (0, 0) of a 1280 x 1024 screen with 3-pixel borders and a 22-pixel
// caption around its client area; text 6 pixels a character; edit lines 13 pixels high.
#pragma once

#include "res/dialog_templates.h"
#include "wizard/framework/dialog.h"
#include "wizard/framework/dialog_system.h"
#include "wizard/framework/headless_control.h"
#include "wizard/framework/headless_dialog_host.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace wizard {

class headless_dialog_system final : public dialog_system {
public:
    using template_lookup = std::function<const res::dialog_template*(std::uint16_t id)>;
    // What the user does while a modal dialog is up; the dialog ends when it returns.
    using modal_script = std::function<void(CDialog& dialog)>;

    // A message box shown through message_box(), with the answer it gave.
    struct shown_box {
        std::wstring text;
        std::uint32_t type = 0;
        int answer = 0;
    };
    // One modal run: the template and DoModal's result.
    struct modal_run {
        std::uint16_t template_id = 0;
        int result = 0;
    };

    // `lookup` finds a template by id (the program's templates unless a test gives its own).
    // message_box() is answered by the box script below until set_message_box replaces it.
    explicit headless_dialog_system(template_lookup lookup = &res::find_dialog_template, headless::metrics units = {});
    // Dialogs that still have windows lose them.
    ~headless_dialog_system() override;
    headless_dialog_system(const headless_dialog_system&) = delete;
    headless_dialog_system& operator=(const headless_dialog_system&) = delete;

    // Makes the window (hidden), calls OnInitDialog (true: the focus goes to the first tab stop),
    // shows it and runs the script of its template; answers the EndDialog result, or -1 when the
    // script returned without ending the dialog, when there is no script, or when the template does
    // not exist.  The window and its children are destroyed before it returns, and the focus goes
    // back to the control that had it before.
    int run_modal(CDialog& dialog, os::window_handle owner) override;
    // Makes the window at (0, 0) of the parent's client area and calls OnInitDialog; the window is
    // shown only when its template has WS_VISIBLE.  False without template or parent window.
    [[nodiscard]] bool create_child(CDialog& dialog, CDialog& parent) override;

    // The script for every modal run of a template (an empty one removes it).
    void on_modal(std::uint16_t templateId, modal_script script);
    [[nodiscard]] const std::vector<modal_run>& modal_runs() const noexcept { return runs_; }

    // The icons LoadImageW finds in the program's resources: every id unless set.
    void set_icon_catalog(std::function<bool(std::uint16_t icon_id)> loads);

    // Message boxes: the next box is answered with `answer`; without a queued answer a box gets its
    // default button (MB_DEFBUTTONn), as when the user presses Enter.
    void answer_next_box(int answer);
    [[nodiscard]] const std::vector<shown_box>& boxes() const noexcept { return boxes_; }

    // The user.  Actions on a control the dialog does not have, or on a disabled control, do nothing.
    // A click focuses a button, toggles an automatic check box, checks an automatic radio button
    // (and clears the others of its group) and sends BN_CLICKED.
    void click(CDialog& dialog, int id);
    // Selects the item of a ComboBoxEx (a position outside the list selects nothing), CBN_SELCHANGE.
    void choose_list_item(CDialog& dialog, int id, int position);
    // Into an edit control that is not read-only: selects its text and types `text` over it, one
    // character at a time (EN_UPDATE and EN_CHANGE each; characters over the limit are refused).
    void type_text(CDialog& dialog, int id, std::wstring_view text);
    // WM_SYSCOMMAND: OnSysCommand, else the default handling: SC_CLOSE as the close box (IDCANCEL,
    // unless the Cancel button exists and is disabled), SC_MINIMIZE, SC_MAXIMIZE (through
    // OnGetMinMaxInfo), SC_RESTORE; SC_MOVE and SC_SIZE start no loop here.
    void system_command(CDialog& dialog, unsigned command);
    // WM_INITMENUPOPUP for the system menu, as when the user opens it.
    void open_system_menu(CDialog& dialog);
    // Esc: IDCANCEL, unless the Cancel button exists and is disabled.
    void press_escape(CDialog& dialog);
    // Enter: a focused push button is clicked; otherwise the default button when it exists and is
    // enabled (nothing when it is missing or disabled); IDOK when the dialog has no default id.
    void press_enter(CDialog& dialog);

    // What the user sees.  window() throws std::logic_error when the dialog has no headless window.
    [[nodiscard]] headless_dialog_host& window(const CDialog& dialog) const;
    // The control of `dialog` that has the keyboard focus; 0 when the focus is elsewhere.
    [[nodiscard]] int focused_control(const CDialog& dialog) const;
    // The maximized size and position after OnGetMinMaxInfo.
    [[nodiscard]] min_max_info maximized_size(CDialog& dialog) const;
    [[nodiscard]] const headless::metrics& metrics() const noexcept { return units_; }

private:
    friend class headless_dialog_host;

    struct focus_place {
        headless_dialog_host* window = nullptr;
        int id = 0;  // 0: the window itself
    };

    // For the hosts.
    void window_created(headless_dialog_host& window);
    void window_destroyed(headless_dialog_host& window);
    void destroy(headless_dialog_host& window);
    [[nodiscard]] bool icon_loads(std::uint16_t icon_id) const;
    void move_focus(headless_dialog_host& window, int id);
    // The control (or, with id 0, the window and everything in it) lost the focus by being hidden
    // or minimized: the focus goes to its parent window.
    void focus_leaves(headless_dialog_host& window, int id);
    // The control was disabled: nothing has the focus any more.
    void focus_drops(headless_dialog_host& window, int id);

    // The modal run inside the window: WM_INITDIALOG, showing, the user's script; the result.
    [[nodiscard]] int run_window(CDialog& dialog, headless_dialog_host& window);
    [[nodiscard]] bool contains(const headless_dialog_host& outer, const headless_dialog_host* inner) const;
    [[nodiscard]] focus_place first_tab_item(headless_dialog_host& window) const;
    void close(CDialog& dialog);
    int answer_box(const std::wstring& text, std::uint32_t type);

    template_lookup lookup_;
    headless::metrics units_;
    std::map<std::uint16_t, modal_script> scripts_;
    std::function<bool(std::uint16_t)> iconCatalog_;
    std::vector<int> answers_;
    std::vector<shown_box> boxes_;
    std::vector<modal_run> runs_;
    std::vector<headless_dialog_host*> windows_;  // in creation order
    focus_place focus_;
    std::uintptr_t nextHandle_ = 0x10000;
};

}  // namespace wizard
