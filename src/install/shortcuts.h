// Shell links to the installed programs: one shortcut file, and the step that makes the selected
// Start-menu and desktop shortcuts with their journal records.
#pragma once

#include "os/shell_folders.h"
#include "os/shell_links.h"
#include "records/uninstall_log.h"

#include <optional>
#include <string>
#include <string_view>

namespace install {

// A link named `name` + ".lnk" in `folder` to `target`, starting in the target's folder.  An empty
// name is the target's file name without its extension.  False when the target has no folder, a
// path passes 260 characters or the shell cannot save the link.
[[nodiscard]] bool create_shortcut(os::shell_links& links, std::wstring_view target, std::wstring_view folder,
                                   std::wstring_view name, std::wstring* linkPath = nullptr);

struct shortcut_request {
    bool menu = false;     // the program and uninstaller shortcuts in `menuFolder`
    bool desktop = false;  // the program shortcut on the all-users (else the user's) desktop
    std::wstring menuFolder;
    std::wstring mainProgramPath;
    std::wstring uninstallerPath;
    std::wstring programName;    // the product title
    std::wstring uninstallName;  // message 1013 with the product name
};

// Records, creates and completes each selected shortcut; true when every one was created.
[[nodiscard]] bool create_shortcuts(os::shell_links& links, os::shell_folders& shell, os::shell_owner owner,
                                    UninstallLog& journal, const shortcut_request& request);

}  // namespace install
