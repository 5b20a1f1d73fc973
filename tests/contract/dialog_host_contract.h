// The dialog-host port's contract: what the Win32 host and the headless host must answer for the
// same templates (contract/dialog_host_contract_templates.h).  Each instance file supplies a
// subject: the dialog system under test and the user's side that the port does not offer (running
// a modal dialog against a script, clicks, keys, typing) together with readings of what the user
// would see.
#pragma once

#include "contract/port_suite.h"
#include "contract/dialog_host_contract_templates.h"
#include "wizard/framework/dialog.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace contract {

// One system-menu item as GetMenuItemInfoW gives it; a separator has command 0.
struct menu_entry {
    unsigned command = 0;
    std::wstring text;
    bool separator = false;
    bool enabled = true;
};

// The image list of an extended combo box: icon size and image count (all 0 without a list).
struct list_images {
    int width = 0;
    int height = 0;
    int count = 0;
};

class dialog_host_subject : public port_subject {
public:
    using script = std::function<void(wizard::CDialog& dialog)>;

    [[nodiscard]] virtual wizard::dialog_system& system() = 0;
    // DoModal with `user` playing the user while the dialog is up; when the script returns without
    // ending the dialog, the dialog is ended with -1.
    virtual int run_modal(wizard::CDialog& dialog, script user) = 0;

    // The user: a click (nothing on a disabled control), a list choice, typing over an edit
    // control's text, Esc, a system command.
    virtual void click(wizard::CDialog& dialog, int id) = 0;
    virtual void choose_list_item(wizard::CDialog& dialog, int id, int position) = 0;
    virtual void type_text(wizard::CDialog& dialog, int id, const std::wstring& text) = 0;
    virtual void press_escape(wizard::CDialog& dialog) = 0;
    virtual void system_command(wizard::CDialog& dialog, unsigned command) = 0;
    virtual void open_system_menu(wizard::CDialog& dialog) = 0;

    // What the user sees.
    [[nodiscard]] virtual int focused_control(wizard::CDialog& dialog) = 0;  // 0: none of the dialog's
    [[nodiscard]] virtual std::vector<menu_entry> system_menu(wizard::CDialog& dialog) = 0;
    [[nodiscard]] virtual std::size_t text_limit(wizard::CDialog& dialog, int id) = 0;
    [[nodiscard]] virtual int dropped_width(wizard::CDialog& dialog, int id) = 0;
    [[nodiscard]] virtual int list_item_image(wizard::CDialog& dialog, int id, int position) = 0;
    [[nodiscard]] virtual list_images images(wizard::CDialog& dialog, int id) = 0;
    [[nodiscard]] virtual os::icon_handle big_icon(wizard::CDialog& dialog) = 0;
    // An icon of the program's resources at its default size, owned by the subject.
    [[nodiscard]] virtual os::icon_handle load_icon(std::uint16_t id) = 0;
    // Dialog units to pixels in the dialog's font: x, y, width, height given as left, top, right,
    // bottom; the answer is the rectangle in pixels.
    [[nodiscard]] virtual wizard::rect to_pixels(wizard::CDialog& dialog, int x, int y, int width, int height) = 0;
};

// The dialog the cases drive: it records what reaches its handlers.
class probe_dialog : public wizard::CDialog {
public:
    using CDialog::CDialog;

    std::function<void(probe_dialog&)> on_init;  // runs inside OnInitDialog
    std::vector<std::pair<int, int>> commands;   // what the message map saw: id, notification
    std::vector<unsigned> system_commands;       // WM_SYSCOMMAND that reached OnSysCommand
    unsigned handled_system_command = 0;         // OnSysCommand answers true for this one
    std::vector<bool> menu_popups;               // OnInitMenuPopup's systemMenu flags
    bool keep_maximized_at_normal_size = false;  // OnGetMinMaxInfo as the wizard frame does it
    int failing_command = 0;                     // OnCommand throws for this id
    wizard::rect normal_rect;                    // the rectangle noted in OnInitDialog

    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        normal_rect = Host().window_rect();
        if (on_init) on_init(*this);
        return true;
    }
    bool OnCommand(int id, int notification) override {
        commands.emplace_back(id, notification);
        if (id == failing_command) throw std::runtime_error("the handler failed");
        return false;
    }
    bool OnSysCommand(unsigned command) override {
        system_commands.push_back(command);
        return handled_system_command != 0 && (command & 0xFFF0u) == handled_system_command;
    }
    void OnGetMinMaxInfo(wizard::min_max_info& info) override {
        if (!keep_maximized_at_normal_size) return;
        info = {normal_rect.width(), normal_rect.height(), normal_rect.left, normal_rect.top};
    }
    void OnInitMenuPopup(bool systemMenu) override { menu_popups.push_back(systemMenu); }

    // How many times the message map saw `notification` from control `id`.
    [[nodiscard]] int count(int id, int notification) const {
        int seen = 0;
        for (const auto& [from, code] : commands) seen += from == id && code == notification ? 1 : 0;
        return seen;
    }
};

class DialogHostContract : public port_suite<dialog_host_subject> {
protected:
    // Runs the contract's modal dialog with `user` inside; answers DoModal's result.
    int run(const std::function<void(probe_dialog&)>& user) {
        probe_dialog dialog(subject().system(), probe::modal);
        bool ran = false;
        const int result = subject().run_modal(dialog, [&](wizard::CDialog&) {
            ran = true;
            user(dialog);
        });
        EXPECT_TRUE(ran) << "the dialog came up";
        return result;
    }
    // A control's template rectangle in the dialog's pixels.
    wizard::rect template_rect(wizard::CDialog& dialog, std::uint16_t templateId, int id) {
        const auto* control = probe::find_control(templateId, id);
        return control ? subject().to_pixels(dialog, control->x, control->y, control->width, control->height)
                       : wizard::rect{};
    }
};

}  // namespace contract
