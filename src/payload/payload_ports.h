// What the payload reader needs from the machine: files, the shell's folders, the access grant for
// shared data and a clock to wait on.
#pragma once

#include "os/file_system.h"
#include "os/shell_folders.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string_view>

namespace payload {

struct payload_ports {
    os::file_system& files;
    os::shell_folders& folders;
    // Gives BUILTIN\Users `mask` with inheritance `flags` on a file or folder
    // (vd::security::grant_users_access); false on failure.  May be empty: nothing is granted.
    std::function<bool(std::wstring_view path, std::uint32_t mask, std::uint8_t flags)> grant_users_access;
    // Waits on a steady clock between read-back attempts; empty means a real sleep.
    std::function<void(std::chrono::milliseconds)> wait;
    // The owner window for the shell's folder queries (vd::active_owner_window).
    os::shell_owner owner = 0;
};

}  // namespace payload
