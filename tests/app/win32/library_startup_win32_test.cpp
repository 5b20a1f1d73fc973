// Win32-only: the library start-up's requirements hold on the real system (under Wine as well).
#include "os/win32/locale_win32.h"
#include "os/win32/process_environment_win32.h"
#include "os/win32/shell_folders_win32.h"
#include "vd/known_folders.h"

#include <gtest/gtest.h>

TEST(LibraryStartupOnTheSystem, TheUsersLocaleCanBecomeTheGlobalLocale) {
    os::win32::locale_adapter locale;
    const auto name = locale.locale_name(locale.user_default_lcid());
    ASSERT_TRUE(name.has_value());
    EXPECT_FALSE(locale.set_global_locale(*name)) << std::string(name->begin(), name->end());
}

TEST(LibraryStartupOnTheSystem, TheKnownFoldersResolve) {
    os::win32::shell_folders_adapter shell;
    vd::known_folders folders;
    EXPECT_FALSE(folders.documents(shell).empty());
    EXPECT_NE(folders.common_company(shell).find(L"\\Vendrel & Vodoraru"), std::wstring::npos);
    EXPECT_NE(folders.user_company(shell).find(L"\\Vendrel & Vodoraru"), std::wstring::npos);
}

TEST(LibraryStartupOnTheSystem, CommonControlsInitialise) {
    os::win32::process_environment_adapter environment;
    EXPECT_TRUE(environment.init_common_controls(8, 0xC0FF));
    EXPECT_TRUE(environment.processor_feature_present(10));
}
