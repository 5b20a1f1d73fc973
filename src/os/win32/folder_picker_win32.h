// Win32-only: the folder-picker port over SHBrowseForFolderW and its messages, PathIsDirectoryW,
// PathSearchAndQualifyW, the process's current directory and CoInitialize.
#pragma once

#include "os/folder_picker.h"

namespace os::win32 {

class folder_picker_adapter final : public folder_picker {
public:
    // An exception thrown by `events` closes the picker (as Cancel would) and is rethrown here.
    std::optional<std::wstring> browse(const browse_request& request, folder_picker_events& events) override;
    bool root_path(int csidl, std::wstring& path) override;
    void set_selection(window_handle picker, std::wstring_view path) override;
    void set_expanded(window_handle picker, std::wstring_view path) override;
    void enable_ok(window_handle picker, bool enable) override;
    window_handle find_edit_box(window_handle picker) override;
    void replace_edit_text(window_handle edit, std::wstring_view text) override;
    int message_box(window_handle owner, std::wstring_view text, std::uint32_t type) override;
    bool is_directory(std::wstring_view path) override;
    std::error_code current_directory(std::wstring& path) override;
    std::error_code set_current_directory(std::wstring_view path) override;
    bool search_and_qualify(std::wstring_view path, std::wstring& qualified) override;
    std::int32_t initialize_com() override;
    void uninitialize_com() override;
};

}  // namespace os::win32
