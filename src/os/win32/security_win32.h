// Win32-only: the security port over advapi32 (bound at run time on first use).
#pragma once

#include "os/security.h"

#include <memory>

namespace os::win32 {

// The security functions of the running system.
[[nodiscard]] std::unique_ptr<security> make_system_security();

}  // namespace os::win32
