// The running program's full path and its file name without extension.
#pragma once

#include <string>
#include <string_view>

#include "os/process_info.h"

namespace vd {

// The run time's record of the program's wide path when it has one, else GetModuleFileNameW's
// answer (cut at 259 characters by the system).  Does not fail.
[[nodiscard]] std::wstring program_path(os::process_info& process);

// The stem of program_path: see path_stem.
[[nodiscard]] std::wstring program_stem(os::process_info& process);

// The file name of `path` without its directory, drive or stream suffix (":name"), and without its
// last extension: "C:\x\archive.tar.exe" -> "archive.tar".  A name of one character, "." and ".."
// are their own stems, as is a name whose only dot is its first character (".profile").
[[nodiscard]] std::wstring path_stem(std::wstring_view path);

}  // namespace vd
