// The run's temporary folder: "vendrel_{" + a random version-4 UUID + "}" under the user's
// temporary directory, the program's own work folder.  Computing its path creates nothing;
// create_work_folder makes it, new and for administrators only.
#pragma once

#include "os/file_system.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <system_error>

namespace payload {

using uuid_bytes = std::array<std::uint8_t, 16>;
// Fills 16 bytes from a cryptographic random number generator; throws when it has no entropy.
using random_source = std::function<uuid_bytes()>;

// The system's generator (std::random_device: the kernel's on Linux, RtlGenRandom on Windows).
[[nodiscard]] uuid_bytes system_random_bytes();

// The bytes with the RFC 4122 version-4 and variant bits set, as 36 lower-case hexadecimal
// characters in groups 8-4-4-4-12.
[[nodiscard]] std::wstring uuid_v4_text(uuid_bytes bytes);

struct temporary_folder_result {
    bool ok = false;
    std::wstring temp_folder;  // the new folder's path when ok
    std::wstring error_text;   // "%08x (GetTempPath)" with the Windows error otherwise
};

// Asks for the temporary directory (at most 246 characters) and appends the folder name.
[[nodiscard]] temporary_folder_result make_temporary_folder_path(os::file_system& files,
                                                                 const random_source& random = system_random_bytes);

// Creates `folder` with a protected DACL for Administrators and SYSTEM only, inherited by what is
// made inside.  Fails (183) when anything is at the name already, a planted folder or link
// included: the folder in use is always one this run made, which no ordinary user can write to.
[[nodiscard]] std::error_code create_work_folder(os::file_system& files, const std::wstring& folder);

}  // namespace payload
