// The outermost frame of the program: what escapes start-up or the wizard (a string missing from the
// resources, memory exhausted) ends the process with a box rather than with a crash.
#pragma once

#include "os/system_text.h"
#include "os/user_interface.h"

#include <functional>

namespace app {

// Runs `program` and answers its exit code.  An exception that escapes it is shown in a box with no
// owner and no caption (the system's "Error"), holding the system's text for the failure: the
// HRESULT a library operation threw, E_OUTOFMEMORY for exhausted memory, E_UNEXPECTED for anything
// else; the answer is then -11, the exit code of a start-up that could not complete.
[[nodiscard]] int RunGuarded(os::user_interface& ui, os::system_text& texts,
                             const std::function<int()>& program) noexcept;

}  // namespace app
