// Win32-only: the shell-folders port over SHGetKnownFolderPath, SHGetSpecialFolderPathW and
// SHGetFolderPathW.
#pragma once

#include "os/shell_folders.h"

namespace os::win32 {

class shell_folders_adapter final : public shell_folders {
public:
    std::int32_t known_folder_path(const known_folder_id& id, std::uint32_t flags, std::wstring& path) override;
    bool special_folder_path(shell_owner owner, int csidl, bool create, std::wstring& path) override;
    std::int32_t folder_path(shell_owner owner, int csidl, std::uint32_t type, std::wstring& path) override;
    void notify_folder_created(std::wstring_view folder) override;
};

}  // namespace os::win32
