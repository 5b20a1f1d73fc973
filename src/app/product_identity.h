// The identity of the product that this setup program installs, fixed at build time.
#pragma once

#include <cstdint>
#include <string_view>

namespace app {

inline constexpr std::wstring_view ProductName = L"Lignotek";
inline constexpr std::wstring_view DisplayVersion = L"7.08r";
// Product name, one blank, display version.
inline constexpr std::wstring_view ProductTitle = L"Lignotek 7.08r";
// 7.8.18.1 as major:minor:build:revision in 16 bits each.
inline constexpr std::uint64_t NumericVersion = 0x0007000800120001ull;
// Name of the uninstall key and last element of the default folders.
inline constexpr std::wstring_view ProductKeyName = L"Lignotek 7";
inline constexpr std::wstring_view CompanyFolderName = L"Vendrel & Vodoraru";
// The ApplicationId of the program's version block: prefix of the cross-process object names.
inline constexpr std::wstring_view ApplicationId = L"Lignotek7";
// The maker's product identifier of this product.
inline constexpr int ProductIdentifier = 775;

inline constexpr std::wstring_view UninstallRootPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

}  // namespace app
