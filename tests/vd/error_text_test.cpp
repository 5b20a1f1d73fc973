// Error texts: the program's own strings for customer codes with a string id, system texts otherwise.
#include "vd/error_text.h"

#include <gtest/gtest.h>

#include "os/native/resources_double.h"
#include "os/native/system_text_double.h"
#include "string_block_builder.h"

namespace {

using os::native::memory_resources;
using vd::testing_support::string_block;

constexpr std::uint32_t own_string = 0x28000000u;  // customer bit and string-id bit
constexpr os::module_handle language_module = 0x10000000;

class ErrorText : public testing::Test {
protected:
    ErrorText() {
        // Block 71 holds ids 1120-1135: 1127 has a text, 1128 is empty, 1129 is absent.
        resources.add(memory_resources::program, 6, 1127 / 16 + 1,
                      string_block({{1127 % 16, u"The file %1 could not be written."}}));
        texts.set(0x08000467u, L"A system text of its own\r\n");
    }
    std::wstring text_of(std::uint32_t code, os::module_handle module = 0) {
        return vd::error_text(texts, resources, module, static_cast<std::int32_t>(code));
    }
    os::native::system_text_table texts;
    memory_resources resources;
};

TEST_F(ErrorText, CustomerBitsChooseBetweenOwnStringsAndSystemTexts) {
    struct row {
        std::uint32_t code;
        const wchar_t* shown;
    };
    for (const auto& [code, shown] : {
             row{own_string | 1127, L"The file %1 could not be written."},
             row{0x80000000u | own_string | 1127, L"The file %1 could not be written."},
             row{own_string | 0, L"Unspecified error"},      // id 0 never names a string
             row{own_string | 1128, L"Unspecified error"},   // an empty string is no text
             row{own_string | 1129, L"Unspecified error"},   // a missing string
             row{0x20000000u | 1127, L"Unspecified error"},  // customer code without string id
             row{0x08000467u, L"A system text of its own"},  // string-id bit alone: a system code
             row{5, L"Access is denied."},
             row{0x80070005u, L"Access is denied."},
             row{0x0000ABCDu, L"Unspecified error"},
         }) {
        EXPECT_EQ(text_of(code), shown) << std::hex << code;
    }
}

TEST_F(ErrorText, OwnStringsComeFromTheLanguageModuleFirst) {
    resources.add(language_module, 6, 1127 / 16 + 1, string_block({{1127 % 16, u"Le fichier %1 n'a pu être écrit."}}));
    EXPECT_EQ(text_of(own_string | 1127, language_module), L"Le fichier %1 n'a pu être écrit.");
    EXPECT_EQ(text_of(own_string | 1127), L"The file %1 could not be written.");
}

TEST_F(ErrorText, SystemTextsAreTakenInTheUsersLanguage) {
    os::native::system_text_table french_texts(0x040C);
    french_texts.set(0x80004005u, L"Erreur non spécifiée\r\n", 0x040C);
    EXPECT_EQ(vd::error_text(french_texts, resources, 0, static_cast<std::int32_t>(own_string)),
              L"Erreur non spécifiée");
}

}  // namespace
