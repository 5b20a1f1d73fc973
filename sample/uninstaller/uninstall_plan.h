// What the uninstaller undoes, decided from the records of the uninstall log before anything is
// touched.  The log is read as hostile input: a record whose path is not a plain local absolute
// path, a shortcut record that names no shortcut, or a record that would remove something outside
// the folders the uninstaller owns refuses the whole log.
#pragma once

#include "records/log_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sample {

// The folders the uninstaller may remove things from; each is a full path without a trailing
// separator.  None of them comes from the log unchecked.
struct uninstall_roots {
    std::wstring installFolder;             // the uninstaller's own folder
    std::vector<std::wstring> menuFolders;  // the log's Start-menu folder, when it lies below a Programs folder
    std::vector<std::wstring> desktops;     // the all-users and the user's desktop
    std::vector<std::wstring> dataFolders;  // the maker's folder below the shared application data
};

enum class uninstall_action {
    delete_file,             // a placed file (read-only cleared first)
    delete_shortcut,         // a .lnk file
    remove_folder,           // a created folder, when it is empty
    remove_uninstall_entry,  // the product's uninstall key and product path value
    remove_registration,     // the file association of the main program
};

struct uninstall_step {
    uninstall_action action;
    std::wstring path;  // empty for the registry steps
};

struct uninstall_plan {
    std::vector<uninstall_step> steps;    // newest record first
    std::optional<std::wstring> refusal;  // why the log is refused; no steps then
};

// The steps for `records` (in file order).  The uninstaller itself and the log beside it are left
// out: they go last, after every step has run.
[[nodiscard]] uninstall_plan plan_uninstall(const RecordList& records, const uninstall_roots& roots,
                                            std::wstring_view uninstallerPath, std::wstring_view logPath);

// "C:\..." with no empty, "." or ".." element, no device or UNC prefix and no stream name.
[[nodiscard]] bool is_local_absolute_path(std::wstring_view path);
// `path` is `folder` or lies below it (compared without regard to case).
[[nodiscard]] bool is_within(std::wstring_view path, std::wstring_view folder);
// The folder part of a path ("C:\a\b" → "C:\a"); empty for a drive root.
[[nodiscard]] std::wstring parent_folder(std::wstring_view path);

}  // namespace sample
