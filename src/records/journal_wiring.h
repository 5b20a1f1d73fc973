// The journal's ports made from the program's ports: the privilege switch of the support library,
// the ANSI conversion facet over the code-page port and, on Windows, the shell notification, the
// file identity of items and the process's current directory.
#pragma once

#include "os/code_page.h"
#include "os/security.h"
#include "records/journal_ports.h"

namespace records {

// All of `files`, `registry`, `security` and `code_pages` must outlive the ports.
[[nodiscard]] journal_ports make_journal_ports(os::file_system& files, os::registry& registry, os::security& security,
                                               os::code_page& code_pages);

#ifdef _WIN32
// Windows build only: SHChangeNotify(SHCNE_MKDIR), the volume serial number and file index of two
// paths, and GetCurrentDirectoryW.
void notify_folder_created(std::wstring_view folder);
[[nodiscard]] std::optional<bool> same_file_item(std::wstring_view a, std::wstring_view b);
[[nodiscard]] std::wstring current_directory();
#endif

}  // namespace records
