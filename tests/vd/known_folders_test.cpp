// Known-folder caches: what is asked of the shell, how often, and what a failure leaves behind.
#include "vd/known_folders.h"

#include <gtest/gtest.h>

#include <system_error>

#include "os/native/shell_folders_double.h"
#include "os/win_error.h"

namespace {

TEST(KnownFolders, EachFolderIsAskedOnceWithoutVerifying) {
    os::native::shell_folders_double shell;
    shell.set_known_folder(os::known_folder::program_data, L"D:\\Shared");
    vd::known_folders folders;

    EXPECT_EQ(folders.documents(shell), L"C:\\Users\\tester\\Documents");
    EXPECT_EQ(folders.common_company(shell), L"D:\\Shared\\Vendrel & Vodoraru");
    EXPECT_EQ(folders.user_company(shell), L"C:\\Users\\tester\\AppData\\Roaming\\Vendrel & Vodoraru");
    EXPECT_EQ(shell.known_folders_asked,
              (std::vector<os::known_folder_id>{os::known_folder::documents, os::known_folder::program_data,
                                                os::known_folder::roaming_app_data}));
    EXPECT_EQ(shell.known_folder_flags_asked, std::vector<std::uint32_t>(3, os::known_folder_flag::dont_verify));

    // The second round comes from the caches, even after the shell changed its mind.
    shell.set_known_folder(os::known_folder::documents, L"E:\\Elsewhere");
    EXPECT_EQ(folders.documents(shell), L"C:\\Users\\tester\\Documents");
    EXPECT_EQ(folders.common_company(shell), L"D:\\Shared\\Vendrel & Vodoraru");
    EXPECT_EQ(folders.user_company(shell), L"C:\\Users\\tester\\AppData\\Roaming\\Vendrel & Vodoraru");
    EXPECT_EQ(shell.known_folder_calls, 3);
    EXPECT_TRUE(shell.created.empty());
}

TEST(KnownFolders, AFailedLookupThrowsItsHresultAndTheNextCallTriesAgain) {
    os::native::shell_folders_double shell;
    const auto not_found = os::hr::from_win32(os::errc::file_not_found);
    shell.fail_known_folder(os::known_folder::roaming_app_data, not_found);
    vd::known_folders folders;

    try {
        (void)folders.user_company(shell);
        FAIL() << "no error";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), std::error_code(not_found, os::win_category()));
    }
    EXPECT_EQ(shell.known_folder_calls, 1);

    shell.fail_known_folder(os::known_folder::roaming_app_data, 0);
    EXPECT_EQ(folders.user_company(shell), L"C:\\Users\\tester\\AppData\\Roaming\\Vendrel & Vodoraru");
    EXPECT_EQ(folders.user_company(shell), L"C:\\Users\\tester\\AppData\\Roaming\\Vendrel & Vodoraru");
    EXPECT_EQ(shell.known_folder_calls, 2);
}

TEST(KnownFolders, APathWithATrailingSeparatorGetsOneSeparatorBeforeTheCompany) {
    os::native::shell_folders_double shell;
    shell.set_known_folder(os::known_folder::program_data, L"C:\\");
    vd::known_folder_cache cache(os::known_folder::program_data, vd::company_folder_name);
    EXPECT_EQ(cache.get(shell), L"C:\\Vendrel & Vodoraru");
}

}  // namespace
