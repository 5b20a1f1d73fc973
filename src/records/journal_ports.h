// What the installation journal needs from the machine: files, registry, the privilege switch, the
// shell's change notification, the ANSI code page and the file system's identity of items.
#pragma once

#include "os/file_system.h"
#include "os/registry.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace records {

struct journal_ports {
    os::file_system& files;
    os::registry& registry;
    // Enables or disables a privilege of the process (vd::security::set_privilege); the answer is
    // not needed: a save or restore without the privilege fails and is handled as such.
    std::function<bool(std::wstring_view privilege, bool enable)> set_privilege;
    // SHChangeNotify(SHCNE_MKDIR) for a folder the journal created; may be empty.
    std::function<void(std::wstring_view folder)> folder_created;
    // Bytes in the thread's ANSI code page to text (precomposed), for logs without a byte-order mark.
    std::function<std::wstring(std::string_view bytes)> ansi_to_wide;
    // Whether two paths designate the same existing item (volume serial number and file identifier);
    // nothing when the file system cannot tell.  May be empty.
    std::function<std::optional<bool>(std::wstring_view a, std::wstring_view b)> same_item;
    // The process's current directory, against which relative paths are made absolute.
    std::function<std::wstring()> current_directory;
};

}  // namespace records
