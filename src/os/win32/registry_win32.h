// Win32-only: the registry port over advapi32's registry functions and SHDeleteKeyW.
#pragma once

#include "os/registry.h"

#include <memory>

namespace os::win32 {

// The registry of the running system.
[[nodiscard]] std::unique_ptr<registry> make_system_registry();

}  // namespace os::win32
