// The folders of a default 64-bit Windows installation, shared by the doubles that answer for the
// shell: the folder of each CSIDL for one user, and the CSIDL that each known folder stands for.
#pragma once

#include "os/shell_folders.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace os::native {

// CSIDL -> folder, with the profile of `user` below C:\Users.
[[nodiscard]] std::map<int, std::wstring> default_special_folders(std::wstring_view user);

// The known folders the program asks for and the CSIDL whose folder each one is.
struct known_folder_csidl {
    known_folder_id id;
    int csidl;
};
inline constexpr std::array<known_folder_csidl, 6> default_known_folders = {{
    {known_folder::documents, csidl::personal},
    {known_folder::program_data, csidl::common_appdata},
    {known_folder::roaming_app_data, csidl::appdata},
    {known_folder::local_app_data, csidl::local_appdata},
    {known_folder::program_files, csidl::program_files},
    {known_folder::desktop, csidl::desktopdirectory},
}};

// The CSIDL of a known folder in default_known_folders, or nullopt.
[[nodiscard]] std::optional<int> csidl_of_known_folder(const known_folder_id& id) noexcept;

}  // namespace os::native
