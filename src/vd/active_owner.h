// The owner window for shell calls and ownerless message boxes: the thread's active window or its
// first captioned top-level window, at its last active popup.
#pragma once

#include "os/user_interface.h"

namespace vd {

// The root owner of the active window; without one, the first root owner of the thread's windows
// that has a caption; then that window's last active popup.  none when the thread has neither.
[[nodiscard]] os::window_handle active_owner_window(os::user_interface& ui);

}  // namespace vd
