// Win32-only: the dialog system over the dialog manager: modal dialogs with DialogBoxParamW, child
// dialogs with CreateDialogParamW, from the templates of one module, with one dialog procedure that
// hands the messages to the CDialog's handlers.
#pragma once

#include <windows.h>

#include <exception>
#include <vector>

#include "wizard/framework/dialog_system.h"

namespace wizard {

class win32_dialog_system final : public dialog_system {
public:
    // `module` holds the dialog templates and the icons of the lists (normally the program's
    // module).  Registers the common controls the templates use.
    explicit win32_dialog_system(HINSTANCE module);

    // An exception thrown by a handler ends the innermost modal dialog with -1 and is rethrown here
    // (or by create_child) once the dialog manager has returned.
    int run_modal(CDialog& dialog, os::window_handle owner) override;
    [[nodiscard]] bool create_child(CDialog& dialog, CDialog& parent) override;

    [[nodiscard]] HINSTANCE module() const noexcept { return module_; }

    // For the dialog procedure.
    void modal_started(HWND window) { modal_.push_back(window); }
    void modal_ended(HWND window);
    // Keeps the first exception of a handler and ends the innermost modal dialog.
    void handler_failed(std::exception_ptr error) noexcept;

private:
    void rethrow_pending();

    HINSTANCE module_;
    std::vector<HWND> modal_;  // the running modal dialogs, innermost last
    std::exception_ptr pending_;
};

}  // namespace wizard
