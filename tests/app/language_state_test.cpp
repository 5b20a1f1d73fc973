// The language state over the locale and resource doubles, with the program's real string tables.
#include "app/languages.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "os/native/locale_double.h"
#include "os/native/resources_double.h"
#include "os/win_error.h"
#include "res/program_strings.h"
#include "vd/hresult_error.h"

namespace {

enum : LanguageIndex {
    French = 0,
    English = 1,
    German = 2,
    Spanish = 3,
    Portuguese = 4,
    Dutch = 5,
    Danish = 6,
    Turkish = 7,
    Bulgarian = 8,
    Romanian = 9,
    Chinese = 10,
    Italian = 11,
    Czech = 12,
    Norwegian = 13,
    Greek = 14,
    Polish = 15,
    Hebrew = 16,
    Vietnamese = 17,
    Japanese = 18,
    Hungarian = 19,
    Serbian = 20
};

class LanguageStateTest : public testing::Test {
protected:
    LanguageStateTest() { resources.add_program_strings(); }

    LanguageState& state() {
        if (!state_) state_.emplace(locale, resources);
        return *state_;
    }

    os::native::scripted_locale locale;
    os::native::memory_resources resources;

private:
    std::optional<LanguageState> state_;
};

TEST(LanguageTable, Sets) {
    std::uint32_t product = 0;
    std::uint32_t installer = 0;
    for (LanguageIndex i = -3; i < 30; ++i) {
        if (IsProductLanguage(i)) product |= 1u << i;
        if (HasInstallerTexts(i)) installer |= 1u << i;
    }
    EXPECT_EQ(product, ProductLanguageMask);
    EXPECT_EQ(installer, (1u << 0) | (1u << 1) | (1u << 2) | (1u << 3) | (1u << 4) | (1u << 7) | (1u << 9) |
                             (1u << 11) | (1u << 19));
    EXPECT_FALSE(IsProductLanguage(21));
    EXPECT_FALSE(IsProductLanguage(-1));
    EXPECT_EQ(LanguageLcid(Spanish), 3082u);
    EXPECT_EQ(LanguageLcid(Serbian), 2074u);
    EXPECT_EQ(LanguageLcid(21), 0u);
    EXPECT_EQ(LanguageTable()[Italian].stringBlock, 6000u);
    for (const auto& row : LanguageTable()) EXPECT_NE(row.flagIcon, 159) << row.name;
}

TEST_F(LanguageStateTest, CreationAppliesFrenchToTheRuntime) {
    locale.set_user_lcid(0x10407);  // German, phone-book sort order
    EXPECT_EQ(state().CurrentLanguage(), French);
    EXPECT_EQ(state().Lcid(), 1036u);
    EXPECT_EQ(state().CodePage(), 1252u);
    EXPECT_EQ(state().LanguageMask(), 1u);
    EXPECT_FALSE(state().RightToLeft());
    EXPECT_TRUE(locale.process_wide_locales());
    EXPECT_EQ(locale.runtime_locale(), L"fr-FR");
    EXPECT_EQ(locale.thread_locale(), 1036u);
    EXPECT_EQ(state().ResourceModule(), os::native::memory_resources::program);
}

TEST_F(LanguageStateTest, TheUsersLocaleKeepsItsSortOrderForItsOwnLanguage) {
    locale.set_user_lcid(0x10407);
    state().SetLanguage(German);
    EXPECT_EQ(state().Lcid(), 0x10407u);
    EXPECT_EQ(locale.runtime_locale(), L"de-DE_phoneb");
    state().SetLanguage(English);
    EXPECT_EQ(state().Lcid(), 1033u);
    EXPECT_EQ(locale.runtime_locale(), L"en-US");
}

TEST_F(LanguageStateTest, RuntimeLocaleFollowsTheUsersCountryForTheSameLanguage) {
    locale.set_user_lcid(3084);        // French (Canada)
    EXPECT_EQ(state().Lcid(), 1036u);  // not the same LCID, so the language's own
    EXPECT_EQ(locale.runtime_locale(), L"fr-CA");
}

TEST_F(LanguageStateTest, SetLanguageAppliesOnlyAChange) {
    state().SetLanguage(Turkish);
    const int applied = locale.runtime_applications();
    EXPECT_EQ(state().CodePage(), 1254u);
    state().SetLanguage(Turkish);
    EXPECT_EQ(locale.runtime_applications(), applied);
    EXPECT_THROW(state().SetLanguage(21), std::invalid_argument);
    EXPECT_THROW(state().SetLanguage(-1), std::invalid_argument);
    EXPECT_EQ(state().CurrentLanguage(), Turkish);
}

TEST_F(LanguageStateTest, CodePageFallsBackToTheSystemsAnsiCodePage) {
    locale.set_system_ansi_code_page(1250);
    auto greek = *locale.facts(1032);
    greek.ansiCodePage = 0;  // a locale without an ANSI code page
    locale.set_facts(1032, greek);
    locale.set_facts(1066, std::nullopt);  // a locale the system cannot answer for
    state().SetLanguage(Greek);
    EXPECT_EQ(state().CodePage(), 1250u);
    state().SetLanguage(Vietnamese);
    EXPECT_EQ(state().CodePage(), 1250u);
    state().SetLanguage(Japanese);
    EXPECT_EQ(state().CodePage(), 932u);
}

TEST_F(LanguageStateTest, SetLanguageForgetsTheResourceModule) {
    EXPECT_EQ(state().ResourceModule(), os::native::memory_resources::program);
    state().SetLanguage(German);
    EXPECT_EQ(state().ResourceModule(), os::native::memory_resources::program);
}

TEST_F(LanguageStateTest, RightToLeftComesFromTheFontSignature) {
    EXPECT_TRUE(state().IsRightToLeft(Hebrew));
    EXPECT_FALSE(state().IsRightToLeft(French));
    state().SetLanguage(Hebrew);
    EXPECT_TRUE(state().RightToLeft());
    // A signature that marks another language right to left is believed.
    auto greek = *locale.facts(1032);
    greek.fontSignature->unicode_subsets[3] |= 1u << 27;
    locale.set_facts(1032, greek);
    EXPECT_TRUE(state().IsRightToLeft(Greek));
    EXPECT_FALSE(state().IsRightToLeft(21));
}

TEST_F(LanguageStateTest, WithoutAFontSignatureHebrewAloneIsRightToLeft) {
    for (const os::langid language : {1037, 1036, 1041}) {
        auto facts = *locale.facts(language);
        facts.fontSignature.reset();
        locale.set_facts(language, facts);
    }
    EXPECT_TRUE(state().IsRightToLeft(Hebrew));
    EXPECT_FALSE(state().IsRightToLeft(French));
    EXPECT_FALSE(state().IsRightToLeft(Japanese));
}

TEST_F(LanguageStateTest, DefaultLanguage) {
    struct user_case {
        os::langid user;
        std::uint32_t mask;
        LanguageIndex expected;
    };
    const user_case cases[] = {
        {0x0411, ProductLanguageMask, English},  // Japanese: not a product language
        {0x0404, ProductLanguageMask, English},  // Chinese (Traditional), sub-language 1
        {0x0C04, ProductLanguageMask, English},  // Chinese (Hong Kong), sub-language 3
        {0x0804, ProductLanguageMask, Chinese},  // Chinese (Simplified)
        {0x1004, ProductLanguageMask, Chinese},  // Chinese (Singapore), sub-language 4
        {0x0407, ProductLanguageMask, German},
        {0x0807, ProductLanguageMask, German},  // German (Switzerland): the primary language decides
        {0x0C0A, ProductLanguageMask, Spanish},
        {0x0406, ProductLanguageMask, English},  // Danish is outside the product languages
        {0x0419, ProductLanguageMask, English},  // Russian is not in the table
        {0x0419, 0x1, French},                   // ... and English is not in that mask
        {0x040E, ProductLanguageMask, Hungarian},
        {0x0407, 0x1, French},  // mask 1: French only
        {0x0407, 0, French},    // mask 0: the initial mask of 1
        {0x0409, 0, French},
    };
    for (const auto& c : cases) {
        locale.set_user_language(c.user);
        EXPECT_EQ(state().DefaultLanguage(c.mask), c.expected) << std::hex << c.user << " mask " << c.mask;
    }
}

TEST_F(LanguageStateTest, NativeNamesStartWithACapital) {
    EXPECT_EQ(state().LanguageNativeName(French), L"Français");
    EXPECT_EQ(state().LanguageNativeName(Czech), L"Čeština");
    EXPECT_EQ(state().LanguageNativeName(Bulgarian), L"Български");
    EXPECT_EQ(state().LanguageNativeName(Hebrew), L"עברית");
    locale.set_facts(1066, std::nullopt);
    EXPECT_EQ(state().LanguageNativeName(Vietnamese), L"");
    EXPECT_EQ(state().LanguageNativeName(21), L"");
}

TEST_F(LanguageStateTest, LocalizedId) {
    struct id_case {
        LanguageIndex language;
        unsigned frenchId;
        unsigned expected;
    };
    const id_case cases[] = {
        {German, 1106, 3106},     {Italian, 1106, 6106},    {Dutch, 1106, 2106},    {French, 1106, 1106},
        {English, 1131, 1131},    {German, 1131, 1131},     {Spanish, 1131, 1131},  {Hungarian, 1131, 20131},
        {English, 1106, 2106},    {Portuguese, 1106, 5106}, {Turkish, 1106, 9106},  {Romanian, 1106, 12106},
        {Hungarian, 1106, 20106}, {Hebrew, 1002, 2002},     {Japanese, 1000, 2000}, {Spanish, 1000, 4000},
    };
    for (const auto& c : cases) {
        state().SetLanguage(c.language);
        EXPECT_EQ(state().LocalizedId(c.frenchId), c.expected) << "language " << c.language << " id " << c.frenchId;
    }
}

TEST_F(LanguageStateTest, UntranslatedEntriesFallBackToEnglishThenFrench) {
    // German without its 1003 translation: English; without English either: French.
    resources.remove(os::native::memory_resources::program, os::resource_type::string, 3003 / 16 + 1);
    std::array<std::u16string_view, 16> german{};
    german[3003 % 16] = u"#";
    resources.add(os::native::memory_resources::program, os::resource_type::string, 3003 / 16 + 1,
                  res::encode_string_block(german));
    state().SetLanguage(German);
    EXPECT_EQ(state().LocalizedId(1003), 2003u);
    std::array<std::u16string_view, 16> english{};
    english[2003 % 16] = u"#";
    resources.add(os::native::memory_resources::program, os::resource_type::string, 2003 / 16 + 1,
                  res::encode_string_block(english));
    EXPECT_EQ(state().LocalizedId(1003), 1003u);
}

TEST_F(LanguageStateTest, LoadText) {
    EXPECT_EQ(state().LoadText(1000), L"Installeur");
    state().SetLanguage(English);
    EXPECT_EQ(state().LoadText(1131), L"Mise à jour de DirectX...");
    state().SetLanguage(Dutch);
    EXPECT_EQ(state().LoadText(1129),
              L"'%1' will be installed in the selected Langage, but the Installer, still under translation,  shall "
              L"run in English.");
    state().SetLanguage(Hungarian);
    EXPECT_EQ(state().LoadText(1131), L"DirectX frissítése...");
    state().SetLanguage(German);
    EXPECT_EQ(state().LoadText(1002), L"Abbrechen");
    EXPECT_EQ(state().LoadText(1050), L"");  // no block holds 1050
}

TEST_F(LanguageStateTest, FormatText) {
    state().SetLanguage(English);
    EXPECT_EQ(state().FormatText(1101, {L"Lignotek 7.07", L"Lignotek 7.08r"}),
              L"Update from 'Lignotek 7.07' to 'Lignotek 7.08r'.");
    EXPECT_EQ(state().FormatText(1110, {}),
              L"Installation is not complete.\r\n\r\nDo you still confirm exit Installation ?");
    state().SetLanguage(French);
    EXPECT_EQ(state().FormatText(1123, {L"C:\\Program Files\\Lignotek 7"}),
              L"Dossier d'installation\u00A0: C:\\Program Files\\Lignotek 7.");
    const std::wstring code = L"0x80070005";
    EXPECT_EQ(state().FormatText(1121, {code}), L"Échec de l'installation (code d'erreur 0x80070005).");
}

TEST_F(LanguageStateTest, FormatTextErrors) {
    auto code_of = [this](unsigned id, std::initializer_list<std::wstring_view> arguments) {
        try {
            (void)state().FormatText(id, arguments);
        } catch (const vd::hresult_error& error) {
            return error.code();
        }
        return 0;
    };
    EXPECT_EQ(code_of(1050, {}), os::hr::e_fail);        // no block holds 1050
    EXPECT_EQ(code_of(1019, {}), os::hr::e_invalidarg);  // 1019's block exists, its entry is empty
    resources.remove(os::native::memory_resources::program, os::resource_type::string, 1131 / 16 + 1);
    EXPECT_EQ(code_of(1131, {}), os::hr::e_fail);                   // the block is gone: nothing loads
    EXPECT_EQ(code_of(1101, {L"only one"}), os::hr::e_invalidarg);  // %2 without an argument
}

}  // namespace
