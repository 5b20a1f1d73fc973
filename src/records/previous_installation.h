// Whether the product is installed already, in which version, and where the earlier installation
// put its files: read before the wizard opens from the registered product path, the installed
// program's version resource and the earlier uninstall log.
#pragma once

#include "res/product_identity.h"
#include "os/file_system.h"
#include "os/registry.h"
#include "os/security.h"
#include "records/product_registry.h"
#include "records/uninstall_log.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

enum class PreviousInstallState : std::int32_t { Newer = -1, None = 0, Same = 1, Older = 2 };

// What the installed main program's version resource tells.
struct installed_version {
    std::uint64_t fileVersion = 0;  // major in the top 16 bits, then minor, build, revision
    std::wstring productTitle;
};

struct detection_ports {
    os::registry& registry;
    os::file_system& files;
    // Who may change a log candidate and its folder.
    os::security& security;
    records::product_registry& product;
    // The version of the executable at a path; nothing when it has no fixed version information.
    std::function<std::optional<installed_version>(std::wstring_view path)> readVersion;
    std::wstring programPath;  // this setup program's own executable
    std::uint64_t setupVersion = product::numeric_version;
    std::wstring productKeyName{product::key_name};
};

struct previous_installation {
    PreviousInstallState state = PreviousInstallState::None;
    std::wstring previousTitle;         // Newer and Older only
    std::uint64_t previousVersion = 0;  // Older only
    // For Same and Older when an earlier log was read: the folders it named (each may be empty).
    std::optional<std::wstring> installFolder;
    std::optional<std::wstring> menuFolder;
};

// Never fails: registry errors count as missing values and an unreadable log as a short one.
[[nodiscard]] previous_installation DetectPreviousInstallation(detection_ports& ports, UninstallLog& journal);

// The earlier installation's uninstall log: beside the uninstaller that the uninstall key names,
// beside this program, or beside the installed main program; empty when none exists.  A candidate
// that someone other than the administrators could have written (see is_trusted_log_source) is
// passed over.
[[nodiscard]] std::wstring FindPreviousLog(detection_ports& ports);

namespace records {
// The version reader over the support library's version resource parsing; `lcid` is the interface
// language's locale, used for the product title.
[[nodiscard]] std::function<std::optional<installed_version>(std::wstring_view)> version_reader(os::file_system& files,
                                                                                                std::uint32_t lcid);

// The path without its last element and the separators before it, never cutting into the root.
[[nodiscard]] std::wstring remove_last_element(std::wstring_view path);
// `name` joined to `folder` with one backslash, unless the folder is empty, ends with a separator
// or is a bare drive.
[[nodiscard]] std::wstring join_element(std::wstring_view folder, std::wstring_view name);
}  // namespace records
