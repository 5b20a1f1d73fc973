// The dialog base of the wizard's framework: a dialog made from a template, its message handlers
// and its data exchange.  The host calls the handlers on the user-interface thread.
#pragma once

#include "wizard/framework/dialog_host.h"
#include "wizard/framework/dialog_system.h"

#include <cstdint>
#include <memory>

namespace wizard {

class data_exchange;

// WM_GETMINMAXINFO: the maximized size and position the window gets.
struct min_max_info {
    int max_width = 0;
    int max_height = 0;
    int max_x = 0;
    int max_y = 0;
};

// Dialog results (IDOK, IDCANCEL).
inline constexpr int id_ok = 1;
inline constexpr int id_cancel = 2;

class CDialog {
public:
    CDialog(dialog_system& system, std::uint16_t templateId) : system_(system), templateId_(templateId) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; answers the EndDialog result, or -1 when it could not be shown.
    int DoModal(os::window_handle owner = os::window_handle::none);
    // Makes the dialog a child window of `parent`.
    [[nodiscard]] bool Create(CDialog& parent);

    // DoDataExchange in one direction: `save` true copies the controls into the members and
    // validates (a failed validation shows its message, focuses the control and answers false);
    // false loads the controls from the members.
    bool UpdateData(bool save = true);
    void EndDialog(int result);

    [[nodiscard]] bool HasWindow() const noexcept { return host_ != nullptr; }
    // The dialog's window; only while it exists (std::logic_error otherwise).
    [[nodiscard]] dialog_host& Host() const;
    [[nodiscard]] dialog_system& System() const noexcept { return system_; }
    [[nodiscard]] std::uint16_t TemplateId() const noexcept { return templateId_; }

    // Handlers.  The defaults are the framework's: OnInitDialog loads the data and answers true
    // (the dialog manager then focuses the first control); OnOK saves the data and, when it is
    // valid, ends the dialog with IDOK; OnCancel ends it with IDCANCEL.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(data_exchange& exchange);
    // The message map of WM_COMMAND: answers true when the command was handled.  Commands not
    // handled here reach OnOK (id 1) and OnCancel (id 2).
    virtual bool OnCommand(int id, int notification);
    // WM_SYSCOMMAND: answers true when handled; otherwise the default handling runs.
    virtual bool OnSysCommand(unsigned command);
    virtual void OnGetMinMaxInfo(min_max_info& info);
    // WM_INITMENUPOPUP; `systemMenu` says whether the menu is the window's system menu.
    virtual void OnInitMenuPopup(bool systemMenu);

    // For hosts: the window is made (before WM_INITDIALOG is handled) or gone.
    void AttachHost(std::unique_ptr<dialog_host> host) noexcept { host_ = std::move(host); }
    void DetachHost() noexcept { host_.reset(); }
    // For hosts: WM_COMMAND through the message map, then IDOK / IDCANCEL.
    void DispatchCommand(int id, int notification);

private:
    dialog_system& system_;
    std::uint16_t templateId_;
    std::unique_ptr<dialog_host> host_;
};

}  // namespace wizard
