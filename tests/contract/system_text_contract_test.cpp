// The system-text port's contract cases, run on the English table and on FormatMessageW.
#include "contract/system_text_contract.h"

#include "os/win_error.h"

#include <cstdint>
#include <string_view>

namespace contract {
namespace {

std::wstring_view stripped(std::wstring_view text) {
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.remove_suffix(1);
    return text;
}

TEST_P(SystemTextContract, KnownCodesHaveATextEndingInALineBreak) {
    for (const std::uint32_t code : {0u, 2u, 3u, 5u, 8u, 32u, 80u, 87u, 112u, 170u, 183u, 1223u, 1314u, 1815u}) {
        std::wstring text;
        ASSERT_FALSE(texts().format_message(code, 0, text)) << "code " << code;
        EXPECT_FALSE(stripped(text).empty()) << "code " << code;
        EXPECT_EQ(text.back(), L'\n') << "code " << code;
    }
}

TEST_P(SystemTextContract, EnglishTextsAreWordForWord) {
    struct known {
        std::uint32_t code;
        std::wstring_view text;
    };
    for (const auto& [code, expected] : {
             known{2, L"The system cannot find the file specified.\r\n"},
             known{5, L"Access is denied.\r\n"},
             known{170, L"The requested resource is in use.\r\n"},
             known{183, L"Cannot create a file when that file already exists.\r\n"},
             known{0x80004005u, L"Unspecified error\r\n"},
             known{0x80070057u, L"The parameter is incorrect.\r\n"},
         }) {
        std::wstring text;
        ASSERT_FALSE(texts().format_message(code, 0x0409, text)) << std::hex << code;
        if (text != expected && under_wine()) {
            std::string shown(text.begin(), text.end());
            GTEST_SKIP() << "Wine words some system texts in its own way: 0x" << std::hex << code << " is " << shown;
        }
        EXPECT_EQ(text, expected) << std::hex << code;
    }
}

TEST_P(SystemTextContract, Win32ErrorsInHresultFormHaveTheSameText) {
    for (const std::uint32_t code : {2u, 5u, 87u, 170u}) {
        std::wstring plain;
        std::wstring wrapped;
        ASSERT_FALSE(texts().format_message(code, 0, plain));
        const auto error = texts().format_message(static_cast<std::uint32_t>(os::hr::from_win32(code)), 0, wrapped);
        if (error && under_wine()) GTEST_SKIP() << "Wine has no texts for Win32 errors in HRESULT form";
        ASSERT_FALSE(error) << "code " << code;
        EXPECT_EQ(wrapped, plain) << "code " << code;
    }
}

TEST_P(SystemTextContract, CodeWithoutTextIsNotFoundAndLeavesTheText) {
    for (const std::uint32_t code : {0x2000ABCDu, 0x0000FFF0u}) {
        std::wstring text = L"unchanged";
        EXPECT_EQ(texts().format_message(code, 0, text), os::win_error(os::errc::mr_mid_not_found)) << std::hex << code;
        EXPECT_EQ(text, L"unchanged");
    }
}

TEST_P(SystemTextContract, LanguageWithoutTextsIsReported) {
    // Primary language 0x77 is not assigned to any language, so no system has texts in it.
    std::wstring text = L"unchanged";
    EXPECT_EQ(texts().format_message(170, 0x0477, text), os::win_error(os::errc::resource_lang_not_found));
    EXPECT_EQ(text, L"unchanged");
}

}  // namespace
}  // namespace contract
