// Where dialogs get their windows: the Win32 system makes them from the program's dialog templates,
// the headless system from the same templates in memory.
#pragma once

#include "os/user_interface.h"

#include <cstdint>
#include <functional>
#include <string>

namespace wizard {

class CDialog;

class dialog_system {
public:
    // The application's message box (caption, owner and reading order are the application's).
    using message_box_function = std::function<int(const std::wstring& text, std::uint32_t type)>;

    virtual ~dialog_system() = default;

    // DialogBoxParamW: runs the dialog modally from its template; answers its EndDialog result, or
    // -1 when the window could not be made.  The dialog's handlers run inside the call.
    virtual int run_modal(CDialog& dialog, os::window_handle owner) = 0;
    // CreateDialogParamW: makes the dialog a child window of `parent` (which has a window); answers
    // false when the window could not be made.  WM_INITDIALOG has been handled when it returns.
    [[nodiscard]] virtual bool create_child(CDialog& dialog, CDialog& parent) = 0;

    void set_message_box(message_box_function box) { messageBox_ = std::move(box); }
    // The application's box; without one, nothing is shown and the answer is 0.
    int message_box(const std::wstring& text, std::uint32_t type) const {
        return messageBox_ ? messageBox_(text, type) : 0;
    }

private:
    message_box_function messageBox_;
};

}  // namespace wizard
