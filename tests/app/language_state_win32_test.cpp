// Win32-only: the language state over the real NLS functions and this test program's resources
// (the program's string tables), the way LignotekSetup.exe runs it.
#include <gtest/gtest.h>

#include <clocale>

#include "app/languages.h"
#include "os/win32/locale_win32.h"
#include "os/win32/resources_win32.h"
#include "vd/hresult_error.h"

namespace {

class LanguageStateOnWindows : public testing::Test {
protected:
    ~LanguageStateOnWindows() override { _wsetlocale(LC_ALL, L"C"); }
    os::win32::locale_adapter locale;
    os::win32::resources_adapter resources;
};

TEST_F(LanguageStateOnWindows, TextsComeFromTheProgramsStringTables) {
    LanguageState state(locale, resources);
    EXPECT_EQ(state.LoadText(1000), L"Installeur");
    state.SetLanguage(2);  // German
    EXPECT_EQ(state.LocalizedId(1106), 3106u);
    EXPECT_EQ(state.FormatText(1106, {L"Weiter"}), L"Klicken Sie auf 'Weiter', um fortzufahren.");
    EXPECT_EQ(state.LoadText(1131), L"Mise à jour de DirectX...");
    state.SetLanguage(5);  // Dutch: no installer texts
    EXPECT_EQ(state.LoadText(1106), L"Click on '%1' to continue.");
    EXPECT_THROW((void)state.FormatText(1050, {}), vd::hresult_error);
}

TEST_F(LanguageStateOnWindows, LocaleFactsOfTheLanguages) {
    LanguageState state(locale, resources);
    state.SetLanguage(7);  // Turkish
    EXPECT_EQ(state.CodePage(), 1254u);
    EXPECT_FALSE(state.RightToLeft());
    state.SetLanguage(16);  // Hebrew
    EXPECT_TRUE(state.RightToLeft());
    EXPECT_EQ(state.CodePage(), 1255u);
    const auto french = state.LanguageNativeName(0);
    ASSERT_FALSE(french.empty());
    EXPECT_EQ(french[0], L'F');
}

}  // namespace
