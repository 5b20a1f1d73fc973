// The identity of the product that this setup program installs, fixed at build time and used by
// every layer: the texts, the folders, the registry keys and the log all take it from here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace product {

inline constexpr std::wstring_view name = L"Lignotek";
inline constexpr std::wstring_view display_version = L"7.08r";
// The name, one blank, the display version.
inline constexpr std::wstring_view title = L"Lignotek 7.08r";
// 7.8.18.1 as major:minor:build:revision in 16 bits each.
inline constexpr std::uint64_t numeric_version = 0x0007000800120001ull;
// The name of the uninstall key and the last element of the default folders.
inline constexpr std::wstring_view key_name = L"Lignotek 7";
// The maker's folder under the program, data and Start-menu folders, and its registry key.
inline constexpr std::wstring_view company_folder = L"Vendrel & Vodoraru";
// The ApplicationId of the program's version block, as built; the running program reads its own.
inline constexpr std::wstring_view application_id = L"Lignotek7";
// The maker's product identifier of this product.
inline constexpr int identifier = 775;

inline constexpr std::wstring_view uninstall_root = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// HKEY_LOCAL_MACHINE "Software\Vendrel & Vodoraru": the maker's key.
[[nodiscard]] inline std::wstring company_key() { return L"Software\\" + std::wstring(company_folder); }
// "Lignotek 7 Path": the product path value under the maker's key.
[[nodiscard]] inline std::wstring product_path_value() { return std::wstring(key_name) + L" Path"; }
// "Software\...\Uninstall\Lignotek 7": the product's uninstall key.
[[nodiscard]] inline std::wstring uninstall_key() {
    return std::wstring(uninstall_root) + L"\\" + std::wstring(key_name);
}

}  // namespace product
