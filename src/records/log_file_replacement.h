// Putting a new uninstall log in the place of the old one without a moment in which neither is
// whole: the new text goes to a sibling file, is flushed to the disk, and is renamed over the old log.
#pragma once

#include "os/file_system.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// The sibling a new log is written to before it replaces the log at `log_path`.
[[nodiscard]] std::wstring replacement_path(std::wstring_view log_path);

// Writes `lines` as UTF-16LE with a byte-order mark to the sibling (made new: a file or link left
// there is removed first and never written through), flushes and closes it, then renames it over
// `log_path` and gives it `attributes`.  True when the new log is in place.  On failure the file at
// `log_path` is as it was (its attributes too) and the sibling is gone.
[[nodiscard]] bool replace_log_file(os::file_system& files, std::wstring_view log_path,
                                    const std::vector<std::wstring>& lines, std::uint32_t attributes);

}  // namespace records
