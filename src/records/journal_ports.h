// What the installation journal needs from the machine: files (with the identity of items and the
// current folder), the shell's change notification, the registry, the privilege switch and the ANSI
// code page.
#pragma once

#include "os/file_system.h"
#include "os/registry.h"
#include "os/shell_folders.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace records {

struct journal_ports {
    os::file_system& files;
    // Told of every folder the journal creates.
    os::shell_folders& shell;
    os::registry& registry;
    // Enables or disables a privilege of the process (vd::security::set_privilege); the answer is
    // not needed: a save or restore without the privilege fails and is handled as such.
    std::function<bool(std::wstring_view privilege, bool enable)> set_privilege;
    // Bytes in the thread's ANSI code page to text (precomposed), for logs without a byte-order mark.
    std::function<std::wstring(std::string_view bytes)> ansi_to_wide;
};

}  // namespace records
