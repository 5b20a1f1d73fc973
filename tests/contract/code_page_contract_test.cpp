// The code-page contract: code page 1252 both ways, measuring, and the error codes.
#include "contract/code_page_contract.h"

#include <string>
#include <vector>

#include "os/native/code_page_double.h"
#include "os/win_error.h"

namespace contract {
namespace {

std::string every_byte() {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    return bytes;
}

TEST_P(CodePageContract, EveryByteOf1252MapsToItsCharacter) {
    const std::string bytes = every_byte();
    std::vector<wchar_t> text(bytes.size());
    std::size_t count = 0;
    ASSERT_FALSE(code_pages().to_wide(os::code_page_id::western, os::multi_byte_flag::precomposed, bytes, text, count));
    ASSERT_EQ(count, bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        EXPECT_EQ(text[i], os::native::windows_1252_to_wide(static_cast<unsigned char>(bytes[i]))) << "byte " << i + 1;
    }
}

TEST_P(CodePageContract, TheThreadAnsiCodePageIsTheMachines) {
    if (!subject().thread_ansi_is_1252()) GTEST_SKIP() << "this machine's ANSI code page is not 1252";
    const std::string bytes = "d\xE9j\xE0 \x80";
    std::wstring text(bytes.size(), L'\0');
    std::size_t count = 0;
    ASSERT_FALSE(code_pages().to_wide(os::code_page_id::thread_ansi, os::multi_byte_flag::precomposed, bytes,
                                      std::span<wchar_t>(text.data(), text.size()), count));
    EXPECT_EQ(text.substr(0, count), L"d\u00E9j\u00E0 \u20AC");
}

TEST_P(CodePageContract, MeasuringAndTooLittleRoom) {
    const std::string bytes = "Lignotek";
    std::size_t count = 0;
    ASSERT_FALSE(code_pages().to_wide(os::code_page_id::western, 0, bytes, {}, count));
    EXPECT_EQ(count, bytes.size());
    wchar_t small[3];
    EXPECT_EQ(code_pages().to_wide(os::code_page_id::western, 0, bytes, small, count),
              os::win_error(os::errc::insufficient_buffer));
    EXPECT_EQ(count, 0u);

    const std::wstring text = L"Lignotek";
    bool used_default = true;
    ASSERT_FALSE(code_pages().to_bytes(os::code_page_id::western, 0, text, {}, count, used_default));
    EXPECT_EQ(count, text.size());
    char narrow[3];
    EXPECT_EQ(code_pages().to_bytes(os::code_page_id::western, 0, text, narrow, count, used_default),
              os::win_error(os::errc::insufficient_buffer));
}

TEST_P(CodePageContract, CharactersThatAreMissingBecomeQuestionMarks) {
    const std::wstring text = L"\u00E9\u20AC\u0100\u4E2D";
    std::string bytes(8, '\0');
    std::size_t count = 0;
    bool used_default = false;
    ASSERT_FALSE(code_pages().to_bytes(os::code_page_id::western, os::wide_char_flag::no_best_fit_chars, text,
                                       std::span<char>(bytes.data(), bytes.size()), count, used_default));
    EXPECT_EQ(bytes.substr(0, count), "\xE9\x80??");
    EXPECT_TRUE(used_default);
}

TEST_P(CodePageContract, EmptyInputAndUnknownCodePagesAreInvalidParameters) {
    std::size_t count = 7;
    wchar_t room[4];
    EXPECT_EQ(code_pages().to_wide(os::code_page_id::western, 0, std::span<const char>(), room, count),
              os::win_error(os::errc::invalid_parameter));
    EXPECT_EQ(count, 0u);
    const std::string bytes = "x";
    EXPECT_EQ(code_pages().to_wide(12345, 0, bytes, room, count), os::win_error(os::errc::invalid_parameter));
}

}  // namespace
}  // namespace contract
