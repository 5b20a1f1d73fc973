// The product's entry in the Windows list of installed programs, and the product path value under
// the maker's key.
#pragma once

#include "os/registry.h"
#include "records/uninstall_log.h"

#include <cstdint>
#include <string_view>

namespace install {

// The values of the entry that do not depend on the installation.
inline constexpr std::wstring_view support_address = L"http://www.example.com/lignotek/";
inline constexpr std::wstring_view support_telephone = L"+1 (212) 555-0142";

// Opens the uninstall key, creates or opens the product's subkey (journaled with a backup when it
// existed), writes its values in order and completes the record.  True when the subkey was there
// and both DisplayName and UninstallString were written; nothing is written or recorded when a key
// cannot be opened.
[[nodiscard]] bool write_uninstall_entry(os::registry& registry, UninstallLog& journal,
                                         std::wstring_view mainProgramPath, std::wstring_view uninstallerPath,
                                         std::uint32_t languageIndex);

// "Lignotek 7 Path" under HKEY_LOCAL_MACHINE "Software\Vendrel & Vodoraru"; the registry's error, if any.
[[nodiscard]] std::error_code write_product_path(os::registry& registry, std::wstring_view mainProgramPath);

}  // namespace install
