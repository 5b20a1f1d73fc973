// What a file system answers where it cannot tell an item's identity or has no current folder.
#include "os/file_system.h"

#include "os/win_error.h"

namespace os {

std::error_code file_system::identity(std::wstring_view, item_identity&) { return win_error(errc::not_supported); }

std::error_code file_system::current_directory(std::wstring&) { return win_error(errc::not_supported); }

}  // namespace os
