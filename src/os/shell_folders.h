// The shell-folders port: where the shell says the known and special folders of this machine and user
// are (SHGetKnownFolderPath, SHGetSpecialFolderPathW, SHGetFolderPathW).
//
// None of the operations creates a folder unless its create flag asks for it.  On failure the out
// path is left as it was.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace os {

// A KNOWNFOLDERID: a GUID spelled out field by field, so that portable code needs no <windows.h>.
struct known_folder_id {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    friend constexpr bool operator==(const known_folder_id&, const known_folder_id&) = default;
};

// The known folders the program asks for.
namespace known_folder {
// FOLDERID_Documents {FDD39AD0-238F-46AF-ADB4-6C85480369C7}
inline constexpr known_folder_id documents{
    0xFDD39AD0, 0x238F, 0x46AF, {0xAD, 0xB4, 0x6C, 0x85, 0x48, 0x03, 0x69, 0xC7}};
// FOLDERID_ProgramData {62AB5D82-FDC1-4DC3-A9DD-070D1D495D97}
inline constexpr known_folder_id program_data{
    0x62AB5D82, 0xFDC1, 0x4DC3, {0xA9, 0xDD, 0x07, 0x0D, 0x1D, 0x49, 0x5D, 0x97}};
// FOLDERID_RoamingAppData {3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}
inline constexpr known_folder_id roaming_app_data{
    0x3EB685DB, 0x65F9, 0x4CF6, {0xA0, 0x3A, 0xE3, 0xEF, 0x65, 0x72, 0x9F, 0x3D}};
// FOLDERID_LocalAppData {F1B32785-6FBA-4FCF-9D55-7B8E7F157091}
inline constexpr known_folder_id local_app_data{
    0xF1B32785, 0x6FBA, 0x4FCF, {0x9D, 0x55, 0x7B, 0x8E, 0x7F, 0x15, 0x70, 0x91}};
// FOLDERID_ProgramFiles {905E63B6-C1BF-494E-B29C-65B732D3D21A}
inline constexpr known_folder_id program_files{
    0x905E63B6, 0xC1BF, 0x494E, {0xB2, 0x9C, 0x65, 0xB7, 0x32, 0xD3, 0xD2, 0x1A}};
// FOLDERID_Desktop {B4BFCC3A-DB2C-424C-B029-7FE99A87C641}
inline constexpr known_folder_id desktop{0xB4BFCC3A, 0xDB2C, 0x424C, {0xB0, 0x29, 0x7F, 0xE9, 0x9A, 0x87, 0xC6, 0x41}};
}  // namespace known_folder

// KNOWN_FOLDER_FLAG bits.
namespace known_folder_flag {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t dont_verify = 0x4000;  // KF_FLAG_DONT_VERIFY: the configured path, existing or not
inline constexpr std::uint32_t create = 0x8000;       // KF_FLAG_CREATE
}  // namespace known_folder_flag

// CSIDL values of the special folders the program asks for.
namespace csidl {
inline constexpr int desktop = 0x00;
inline constexpr int programs = 0x02;
inline constexpr int personal = 0x05;
inline constexpr int startup = 0x07;
inline constexpr int startmenu = 0x0B;
inline constexpr int desktopdirectory = 0x10;
inline constexpr int common_startmenu = 0x16;
inline constexpr int common_programs = 0x17;
inline constexpr int common_desktopdirectory = 0x19;
inline constexpr int appdata = 0x1A;
inline constexpr int local_appdata = 0x1C;
inline constexpr int common_appdata = 0x23;
inline constexpr int windows = 0x24;
inline constexpr int system = 0x25;
inline constexpr int program_files = 0x26;
inline constexpr int program_files_common = 0x2B;
inline constexpr int common_documents = 0x2E;
inline constexpr int flag_create = 0x8000;  // CSIDL_FLAG_CREATE, or-ed into the CSIDL of SHGetFolderPathW
inline constexpr int flag_mask = 0xFF00;
}  // namespace csidl

// SHGetFolderPathW's dwFlags.
namespace folder_type {
inline constexpr std::uint32_t current = 0;   // SHGFP_TYPE_CURRENT
inline constexpr std::uint32_t default_ = 1;  // SHGFP_TYPE_DEFAULT
}  // namespace folder_type

// A window handle as the shell functions take it (an HWND); 0 is "no owner".
using shell_owner = std::uintptr_t;

class shell_folders {
public:
    virtual ~shell_folders() = default;

    // SHGetKnownFolderPath(id, flags, no user token), the system buffer freed with CoTaskMemFree.
    // Returns the HRESULT: 0 (S_OK) with `path` set, or a failing code (0x80070002 for a folder that
    // is not configured, E_INVALIDARG for an unknown id) with `path` unchanged.
    [[nodiscard]] virtual std::int32_t known_folder_path(const known_folder_id& id, std::uint32_t flags,
                                                         std::wstring& path) = 0;

    // SHGetSpecialFolderPathW(owner, buffer of 260, csidl, create).  Returns false when the CSIDL is
    // unknown or the folder cannot be found (or created, with `create`); `path` is unchanged then.
    [[nodiscard]] virtual bool special_folder_path(shell_owner owner, int csidl, bool create, std::wstring& path) = 0;

    // SHGetFolderPathW(owner, csidl with optional csidl::flag_create, no token, type, buffer of 260).
    // Returns the HRESULT: 0 with `path` set; otherwise `path` is unchanged and the code is S_FALSE
    // (1) or a failing one for a valid CSIDL whose folder does not exist (systems differ; callers
    // take anything but 0 as "no folder"), E_INVALIDARG for an unknown CSIDL, or a Windows error in
    // HRESULT form when creating fails.
    [[nodiscard]] virtual std::int32_t folder_path(shell_owner owner, int csidl, std::uint32_t type,
                                                   std::wstring& path) = 0;

    // SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHW, folder): Explorer windows show a folder just made.
    virtual void notify_folder_created(std::wstring_view folder) = 0;
};

}  // namespace os
