// Win32-only: what applying an interface language does to the C runtime's categories.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "os/win32/locale_win32.h"

namespace {

std::wstring category(int which) {
    const wchar_t* name = _wsetlocale(which, nullptr);
    return name != nullptr ? std::wstring(name) : std::wstring();
}

TEST(LocaleRuntime, LanguageCategoriesFollowTheNameAndNumbersStayC) {
    os::win32::locale_adapter locale;
    locale.use_process_wide_locales();
    ASSERT_FALSE(locale.apply_runtime_locale(L"fr-FR"));
    for (const int which : {LC_CTYPE, LC_COLLATE, LC_TIME, LC_MONETARY}) {
        EXPECT_NE(category(which), L"C") << which;
    }
    EXPECT_EQ(category(LC_NUMERIC), L"C");
    EXPECT_EQ(std::localeconv()->decimal_point, std::string("."));

    // A refused name leaves every category at "C".
    EXPECT_TRUE(locale.apply_runtime_locale(L"xx-Nowhere"));
    for (const int which : {LC_CTYPE, LC_COLLATE, LC_TIME, LC_MONETARY, LC_NUMERIC}) {
        EXPECT_EQ(category(which), L"C") << which;
    }
}

}  // namespace
