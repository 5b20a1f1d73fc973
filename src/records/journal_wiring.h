// The journal's ports made from the program's ports: the privilege switch of the support library and
// the ANSI conversion facet over the code-page port.
#pragma once

#include "os/code_page.h"
#include "os/security.h"
#include "os/shell_folders.h"
#include "records/journal_ports.h"

namespace records {

// All of `files`, `shell`, `registry`, `security` and `code_pages` must outlive the ports.
[[nodiscard]] journal_ports make_journal_ports(os::file_system& files, os::shell_folders& shell, os::registry& registry,
                                               os::security& security, os::code_page& code_pages);

}  // namespace records
