// The default Windows folders of the native doubles (see default_folders.h).
#include "os/native/default_folders.h"

namespace os::native {

std::map<int, std::wstring> default_special_folders(std::wstring_view user) {
    const std::wstring profile = L"C:\\Users\\" + std::wstring(user);
    const std::wstring roaming = profile + L"\\AppData\\Roaming";
    const std::wstring programs = roaming + L"\\Microsoft\\Windows\\Start Menu\\Programs";
    return {
        {csidl::desktop, profile + L"\\Desktop"},
        {csidl::programs, programs},
        {csidl::personal, profile + L"\\Documents"},
        {csidl::startup, programs + L"\\Startup"},
        {csidl::desktopdirectory, profile + L"\\Desktop"},
        {csidl::common_startmenu, L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu"},
        {csidl::common_programs, L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
        {csidl::common_desktopdirectory, L"C:\\Users\\Public\\Desktop"},
        {csidl::appdata, roaming},
        {csidl::local_appdata, profile + L"\\AppData\\Local"},
        {csidl::common_appdata, L"C:\\ProgramData"},
        {csidl::windows, L"C:\\Windows"},
        {csidl::system, L"C:\\Windows\\System32"},
        {csidl::program_files, L"C:\\Program Files"},
        {csidl::program_files_common, L"C:\\Program Files\\Common Files"},
        {csidl::common_documents, L"C:\\Users\\Public\\Documents"},
    };
}

std::optional<int> csidl_of_known_folder(const known_folder_id& id) noexcept {
    for (const auto& known : default_known_folders)
        if (known.id == id) return known.csidl;
    return std::nullopt;
}

}  // namespace os::native
