// Whether an uninstall log found on the machine may be read.  The program runs elevated, and a log
// steers what it moves away, leaves in place and writes into the next log: a log that an ordinary
// user could have written or put there (beside a downloaded setup program, in a folder that users may
// change) is not used.
#pragma once

#include "os/file_system.h"
#include "os/security.h"

#include <string_view>

namespace records {

// Whose changes a log may carry besides SYSTEM's, the Administrators' and TrustedInstaller's.
enum class log_writers {
    // Nobody else: a place that is not the installation's own (beside the setup program, a download
    // folder whose files the user owns).
    administrators,
    // Also the user running this elevated program: a place that an earlier installation recorded
    // under HKEY_LOCAL_MACHINE, whose files that user's elevated process made.  Where the system
    // gives objects made by an elevated administrator to the Administrators group this changes
    // nothing; where it gives them to the user (as Wine does), the user's own log stays usable.
    administrators_and_installing_user,
};

// True when `path` is a local absolute path of a plain file (not a folder, not a link), no folder on
// the way to it is a link, and the owners and DACLs of the file and of its folder let nobody but
// `writers` change them.  False whenever any of this cannot be read.
[[nodiscard]] bool is_trusted_log_source(os::file_system& files, os::security& security, std::wstring_view path,
                                         log_writers writers);

}  // namespace records
