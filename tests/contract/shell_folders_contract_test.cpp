// The shell-folders contract: known folders and the special folders the destination tokens use
// resolve to absolute paths that agree with each other; unknown ones fail and leave the path alone.
#include "contract/shell_folders_contract.h"

#include <cwctype>

namespace contract {
namespace {

bool is_drive_absolute(const std::wstring& path) {
    return path.size() >= 3 && std::iswalpha(static_cast<wint_t>(path[0])) && path[1] == L':' && path[2] == L'\\';
}

bool ends_with_separator(const std::wstring& path) { return !path.empty() && path.back() == L'\\'; }

TEST_P(ShellFoldersContract, KnownFoldersResolveToAbsolutePaths) {
    for (const auto& id : {os::known_folder::documents, os::known_folder::program_data,
                           os::known_folder::roaming_app_data, os::known_folder::program_files}) {
        std::wstring path;
        ASSERT_EQ(shell().known_folder_path(id, os::known_folder_flag::dont_verify, path), 0);
        EXPECT_TRUE(is_drive_absolute(path)) << testing::PrintToString(path);
        EXPECT_FALSE(ends_with_separator(path)) << testing::PrintToString(path);
    }
}

TEST_P(ShellFoldersContract, AnUnknownKnownFolderFailsAndLeavesThePath) {
    const os::known_folder_id unknown{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    std::wstring path = L"unchanged";
    EXPECT_LT(shell().known_folder_path(unknown, os::known_folder_flag::dont_verify, path), 0);
    EXPECT_EQ(path, L"unchanged");
}

TEST_P(ShellFoldersContract, SpecialFoldersResolveAndAgreeWithTheKnownOnes) {
    for (int csidl :
         {os::csidl::program_files, os::csidl::common_programs, os::csidl::programs, os::csidl::desktopdirectory,
          os::csidl::common_appdata, os::csidl::appdata, os::csidl::personal, os::csidl::system, os::csidl::windows}) {
        std::wstring special;
        ASSERT_TRUE(shell().special_folder_path(0, csidl, false, special)) << "CSIDL " << csidl;
        EXPECT_TRUE(is_drive_absolute(special)) << "CSIDL " << csidl;
        std::wstring folder;
        EXPECT_EQ(shell().folder_path(0, csidl, os::folder_type::current, folder), 0) << "CSIDL " << csidl;
        EXPECT_EQ(folder, special) << "CSIDL " << csidl;
    }
    const std::pair<int, os::known_folder_id> same[] = {
        {os::csidl::common_appdata, os::known_folder::program_data},
        {os::csidl::appdata, os::known_folder::roaming_app_data},
        {os::csidl::personal, os::known_folder::documents},
        {os::csidl::program_files, os::known_folder::program_files},
    };
    for (const auto& [csidl, id] : same) {
        std::wstring special;
        std::wstring known;
        ASSERT_TRUE(shell().special_folder_path(0, csidl, false, special));
        ASSERT_EQ(shell().known_folder_path(id, os::known_folder_flag::dont_verify, known), 0);
        EXPECT_EQ(special, known) << "CSIDL " << csidl;
    }
}

TEST_P(ShellFoldersContract, AnUnknownCsidlFailsAndLeavesThePath) {
    std::wstring path = L"unchanged";
    EXPECT_FALSE(shell().special_folder_path(0, 0xFF, false, path));
    EXPECT_EQ(path, L"unchanged");
    EXPECT_LT(shell().folder_path(0, 0xFF, os::folder_type::current, path), 0);
    EXPECT_EQ(path, L"unchanged");
}

}  // namespace
}  // namespace contract
