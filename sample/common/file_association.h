// The product's file association under HKEY_CLASSES_ROOT: documents ".lgnk" open in the main
// program.  The main program writes it when it registers itself; the uninstaller removes it.
#pragma once

#include "os/registry.h"

#include <string>
#include <string_view>
#include <system_error>

namespace sample {

inline constexpr std::wstring_view document_extension = L".lgnk";
inline constexpr std::wstring_view document_class = L"Lignotek.Document";
inline constexpr std::wstring_view document_description = L"Lignotek Document";

// "\"<program>\" \"%1\"": the open command of the document class.
[[nodiscard]] std::wstring open_command(std::wstring_view programPath);

// Writes the extension key, the document class with its icon and open command.
[[nodiscard]] std::error_code register_file_association(os::registry& registry, std::wstring_view programPath);

// Removes the document class, and the extension key while it still names the document class (an
// extension that another program has taken over since is left to it).
[[nodiscard]] std::error_code unregister_file_association(os::registry& registry);

}  // namespace sample
