// Carrying out the planned steps over the file-system and registry ports.
#pragma once

#include "os/file_system.h"
#include "os/registry.h"
#include "uninstaller/uninstall_plan.h"

#include <string>
#include <vector>

namespace sample {

struct uninstall_outcome {
    std::vector<std::wstring> failures;     // one text per step that failed
    std::vector<std::wstring> keptFolders;  // created folders that could not be removed (not empty)
};

// Runs every step in order; a failed step is reported and the others still run.  Items already
// gone count as removed.
[[nodiscard]] uninstall_outcome run_uninstall(const std::vector<uninstall_step>& steps, os::file_system& files,
                                              os::registry& registry);

// Clears the attributes of a file and deletes it; true when it is gone (or was never there).
[[nodiscard]] bool delete_file_forcibly(os::file_system& files, std::wstring_view path);

}  // namespace sample
