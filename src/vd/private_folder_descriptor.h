// The security descriptor of the program's own work folder: only Administrators and SYSTEM may
// use it, and the folder takes nothing from its parent, so what ordinary users may do in the
// temporary directory does not reach the files checked and run from it.
#pragma once

#include <cstddef>
#include <vector>

namespace vd::security {

// A self-relative descriptor with a protected DACL of two entries, Administrators (S-1-5-32-544)
// and SYSTEM (S-1-5-18), each with full control inherited by every folder and file below.
[[nodiscard]] std::vector<std::byte> administrators_only_descriptor();

}  // namespace vd::security
