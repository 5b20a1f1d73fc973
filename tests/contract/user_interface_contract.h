// The user-interface port's contract: what the Win32 adapter and the scripted double must answer.
// Each instance file supplies a subject that can also make windows and press a box's button, which
// the port itself does not do.
#pragma once

#include "contract/port_suite.h"
#include "os/user_interface.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace contract {

// A message box as the user saw it.
struct observed_box {
    bool seen = false;
    os::window_handle owner = os::window_handle::none;
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;    // button ids from left to right
    std::uint32_t icon = 0;      // os::mb::icon_* shown, 0 for none
    bool right_to_left = false;  // the text reads right to left
    bool right_to_left_observable = true;
};

class user_interface_subject : public port_subject {
public:
    [[nodiscard]] virtual os::user_interface& ui() = 0;
    // A window of the calling thread; `parent` is a child's parent or a top-level window's owner.
    [[nodiscard]] virtual os::window_handle create_window(std::uint32_t style, std::uint32_t extended_style,
                                                          os::window_handle parent) = 0;
    virtual void activate(os::window_handle window) = 0;
    virtual void destroy_window(os::window_handle window) = 0;
    // The next message box is answered by pressing `button`; what it showed is kept for last_box().
    virtual void press_on_next_box(int button) = 0;
    [[nodiscard]] virtual observed_box last_box() = 0;
};

class UserInterfaceContract : public port_suite<user_interface_subject> {
protected:
    os::user_interface& ui() { return subject().ui(); }
};

}  // namespace contract
