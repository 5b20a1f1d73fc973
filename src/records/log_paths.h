// Which paths the program takes from an uninstall log.  A log may have been written by someone else
// than this program, and what it names is moved, kept and carried into the next log by a program
// that runs elevated: only paths that name an item on a local drive by its full path are used —
// nothing that reaches the network or a device, nothing that climbs out of a folder.
#pragma once

#include "records/log_record.h"

#include <string_view>

namespace records {

// "X:\..." (either separator) whose elements are names: no element made only of dots and blanks
// ("..", "."), no character that Windows refuses in a name (controls, < > : " | ? *) after the drive.
// So no UNC, "\\?\", "\\.\" or "\??\" prefix, no relative or drive-relative path, no stream name.
[[nodiscard]] bool is_local_absolute_path(std::wstring_view path);

// Whether a record read from a log may be used: folder and file records need a local absolute path,
// shortcut records a local absolute path of a ".lnk" file; the other kinds carry no path that is used.
[[nodiscard]] bool is_usable_record(const LogRecord& record);

}  // namespace records
