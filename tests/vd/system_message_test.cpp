// System texts: line breaks removed, the retry in language 0, the E_FAIL and "Error" fallbacks.
#include "vd/system_message.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "os/native/system_text_double.h"
#include "os/win_error.h"

namespace {

using os::native::system_text_table;
using testing::ElementsAreArray;

constexpr std::uint16_t french = 0x040C;
constexpr std::uint32_t e_fail = 0x80004005u;
constexpr std::uint32_t unknown_code = 0x00001234u;

// The table, with the questions asked of it.
class recording_texts final : public os::system_text {
public:
    explicit recording_texts(system_text_table& table) : table_(table) {}
    std::error_code format_message(std::uint32_t code, std::uint16_t language, std::wstring& text) override {
        asked.emplace_back(code, language);
        return table_.format_message(code, language, text);
    }
    std::vector<std::pair<std::uint32_t, std::uint16_t>> asked;

private:
    system_text_table& table_;
};

TEST(SystemMessage, TrailingLineBreaksAreRemovedInAnyMix) {
    struct row {
        const wchar_t* stored;
        const wchar_t* shown;
    };
    for (const auto& [stored, shown] : {
             row{L"The requested resource is in use.\r\n", L"The requested resource is in use."},
             row{L"Text\n\r\n", L"Text"},
             row{L"Text\r\n\r\n", L"Text"},
             row{L"Text\n", L"Text"},
             row{L"Text\r", L"Text"},
             row{L"Text", L"Text"},
             row{L"Line one\r\nLine two\r\n", L"Line one\r\nLine two"},
             // Nothing but a line break is no text: the E_FAIL text stands in.
             row{L"\r\n", L"Unspecified error"},
         }) {
        system_text_table table;
        table.set(unknown_code, stored);
        EXPECT_EQ(vd::system_message(table, static_cast<std::int32_t>(unknown_code), 0), shown) << stored;
    }
}

TEST(SystemMessage, CodesWithoutTextFallBackToEFailThenError) {
    struct row {
        bool system_has_e_fail;
        std::uint32_t code;
        const wchar_t* shown;
    };
    for (const auto& [has_e_fail, code, shown] : {
             row{true, 170, L"The requested resource is in use."},
             row{true, unknown_code, L"Unspecified error"},
             row{true, e_fail, L"Unspecified error"},
             row{false, unknown_code, L"Error"},
             row{false, e_fail, L"Error"},
         }) {
        system_text_table table;
        if (!has_e_fail) table.remove(e_fail);
        EXPECT_EQ(vd::system_message(table, static_cast<std::int32_t>(code), 0), shown) << std::hex << code;
    }
}

TEST(SystemMessage, ALanguageWithoutTextsIsRetriedWithLanguageZero) {
    using asked = std::pair<std::uint32_t, std::uint16_t>;
    struct row {
        bool french_installed;
        std::uint32_t code;
        const wchar_t* shown;
        std::vector<asked> questions;
    };
    for (const auto& [installed, code, shown, questions] : {
             row{false, 170, L"The requested resource is in use.", {{170, french}, {170, 0}}},
             row{true, 170, L"La ressource demandée est en cours d'utilisation.", {{170, french}}},
             // The language has texts but not this one: no retry, E_FAIL in the same language.
             row{true, unknown_code, L"Erreur non spécifiée", {{unknown_code, french}, {e_fail, french}}},
             row{false,
                 unknown_code,
                 L"Unspecified error",
                 {{unknown_code, french}, {unknown_code, 0}, {e_fail, french}, {e_fail, 0}}},
         }) {
        system_text_table table;
        if (installed) {
            table.set(170, L"La ressource demandée est en cours d'utilisation.\r\n", french);
            table.set(e_fail, L"Erreur non spécifiée\r\n", french);
        }
        recording_texts texts(table);
        EXPECT_EQ(vd::system_message(texts, static_cast<std::int32_t>(code), french), shown);
        EXPECT_THAT(texts.asked, ElementsAreArray(questions));
    }
}

TEST(SystemMessage, LanguageZeroPrefersTheUsersLanguage) {
    system_text_table table(french);
    table.set(5, L"Accès refusé.\r\n", french);
    EXPECT_EQ(vd::system_message(table, 5, 0), L"Accès refusé.");
    EXPECT_EQ(vd::system_message(table, 2, 0), L"The system cannot find the file specified.");
}

}  // namespace
