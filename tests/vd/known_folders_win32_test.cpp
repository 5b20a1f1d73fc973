// Win32-only: the known folders and the program path on the real shell and loader.
#include <windows.h>

#include <gtest/gtest.h>

#include "os/win32/process_info_win32.h"
#include "os/win32/shell_folders_win32.h"
#include "vd/known_folders.h"
#include "vd/program_path.h"

namespace {

bool is_folder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring parent_of(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

TEST(KnownFoldersWin32, ResolveToExistingFoldersAndCreateNothing) {
    os::win32::shell_folders_adapter shell;
    vd::known_folders folders;
    const std::wstring documents = folders.documents(shell);
    const std::wstring common = folders.common_company(shell);
    const std::wstring user = folders.user_company(shell);
    EXPECT_TRUE(is_folder(documents)) << testing::PrintToString(documents);
    for (const auto& company : {common, user}) {
        ASSERT_GT(company.size(), vd::company_folder_name.size());
        EXPECT_EQ(company.substr(company.size() - vd::company_folder_name.size()), vd::company_folder_name);
        EXPECT_TRUE(is_folder(parent_of(company))) << testing::PrintToString(company);
    }
    EXPECT_EQ(folders.documents(shell), documents);
}

TEST(ProgramPathWin32, EndsInTheTestProgramsName) {
    os::win32::process_info_adapter process;
    const std::wstring path = vd::program_path(process);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    ASSERT_GE(path.size(), 13u);
    EXPECT_EQ(path.substr(path.size() - 13), L"\\vd_tests.exe");
    EXPECT_EQ(vd::program_stem(process), L"vd_tests");
}

}  // namespace
