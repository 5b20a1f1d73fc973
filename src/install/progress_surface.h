// What the installation sequence reports through while it runs: the progress page's status line,
// log, progress bar and message pump, so that the sequence never depends on the wizard.
#pragma once

#include "os/user_interface.h"

#include <string_view>

namespace install {

class progress_surface {
public:
    virtual ~progress_surface() = default;

    // Appends the text as it stands, or, with `heading` or an empty text, a separator line as wide
    // as the log with the text centred in it.
    virtual void AppendLog(std::wstring_view text, bool heading = false) = 0;
    virtual void SetStatus(std::wstring_view text) = 0;
    // The status line for a text holding a path: the path is shortened to fit the line.
    virtual void SetPathStatus(std::wstring_view text) = 0;
    virtual void ShowProgress(bool visible) = 0;
    virtual void SetProgress(int percent) = 0;
    // Handles every waiting window message without waiting for new ones; a quit message is posted
    // again and ends the pump.
    virtual void PumpMessages() = 0;
    // The wait cursor from the first call with true until the call with false.
    virtual void ShowWaitCursor(bool shown) = 0;
    // The page's window: the owner of the shell's queries and of the DirectX setup's boxes.
    [[nodiscard]] virtual os::window_handle OwnerWindow() = 0;
};

}  // namespace install
