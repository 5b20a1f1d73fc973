// Win32-only: the file-system port over CreateFileW and the other kernel32 file functions.
#pragma once

#include "os/file_system.h"

namespace os::win32 {

class file_system_adapter final : public file_system {
public:
    std::error_code open(std::wstring_view path, file_access access, file_disposition disposition, std::uint32_t share,
                         std::unique_ptr<file>& opened) override;
    std::error_code get_attributes(std::wstring_view path, std::uint32_t& attributes) override;
    std::error_code set_attributes(std::wstring_view path, std::uint32_t attributes) override;
    std::error_code create_directory(std::wstring_view path) override;
    std::error_code create_directory_secured(std::wstring_view path, std::span<const std::byte> descriptor) override;
    std::error_code query_item(std::wstring_view path, item_information& info) override;
    std::error_code identity(std::wstring_view path, item_identity& id) override;
    std::error_code current_directory(std::wstring& path) override;
    std::error_code remove_directory(std::wstring_view path) override;
    std::error_code delete_file(std::wstring_view path) override;
    std::error_code copy_file(std::wstring_view from, std::wstring_view to, bool fail_if_exists) override;
    std::error_code move_file(std::wstring_view from, std::wstring_view to, std::uint32_t flags) override;
    std::error_code temp_path(std::wstring& path) override;
    std::error_code temp_file_name(std::wstring_view folder, std::wstring_view prefix, std::wstring& path) override;
    std::error_code list_directory(std::wstring_view folder, std::vector<directory_entry>& entries) override;
};

}  // namespace os::win32
