// The ANSI conversion facet over a machine whose ANSI code page is 1252.
#include "vd/ansi_to_wide_codecvt.h"

#include <gtest/gtest.h>

#include "os/native/code_page_double.h"

namespace {

class W2aCodecvt : public testing::Test {
protected:
    os::native::code_page_1252 code_pages;
    vd::details::ansi_to_wide_codecvt facet{code_pages, 1};  // one reference held here: the test owns it
};

TEST_F(W2aCodecvt, ConvertsWholeStringsAndEveryByteMaps) {
    struct text_case {
        std::string bytes;
        std::wstring text;
    };
    const text_case cases[] = {
        {"", L""},
        {"Lignotek 7", L"Lignotek 7"},
        {"Programme \xE0 d\xE9sinstaller", L"Programme \u00E0 d\u00E9sinstaller"},
        {"\x80 \x85 \x9F", L"\u20AC \u2026 \u0178"},
        // Bytes 1252 leaves undefined still give characters.
        {"\x81\x8D\x8F\x90\x9D", L"\u0081\u008D\u008F\u0090\u009D"},
    };
    for (const auto& c : cases) EXPECT_EQ(vd::details::to_wide(facet, c.bytes), c.text) << c.bytes;
}

TEST_F(W2aCodecvt, DescribesItselfAsAVariableWidthConversion) {
    EXPECT_EQ(facet.encoding(), 0);
    EXPECT_EQ(facet.max_length(), 5);
    EXPECT_FALSE(facet.always_noconv());
    std::mbstate_t state{};
    char room[4];
    char* next = nullptr;
    EXPECT_EQ(facet.unshift(state, room, room + 4, next), std::codecvt_base::ok);
    EXPECT_EQ(next, room);
    const std::string bytes = "abcdef";
    EXPECT_EQ(facet.length(state, bytes.data(), bytes.data() + bytes.size(), 4), 4);
    EXPECT_EQ(facet.length(state, bytes.data(), bytes.data() + bytes.size(), 100), 6);
}

TEST_F(W2aCodecvt, OutWritesBytesAndReplacesWhat1252Lacks) {
    const std::wstring text = L"\u00E9t\u00E9 \u20AC \u0100";
    std::mbstate_t state{};
    std::string bytes(16, '\0');
    const wchar_t* from_next = nullptr;
    char* to_next = nullptr;
    EXPECT_EQ(facet.out(state, text.data(), text.data() + text.size(), from_next, bytes.data(),
                        bytes.data() + bytes.size(), to_next),
              std::codecvt_base::ok);
    EXPECT_EQ(from_next, text.data() + text.size());
    EXPECT_EQ(std::string(bytes.data(), to_next), "\xE9t\xE9 \x80 ?");
}

TEST_F(W2aCodecvt, TooLittleRoomConvertsWhatFitsAndSaysSo) {
    const std::string bytes = "\xE9t\xE9 long";
    std::mbstate_t state{};
    wchar_t room[4];
    const char* from_next = nullptr;
    wchar_t* to_next = nullptr;
    EXPECT_EQ(facet.in(state, bytes.data(), bytes.data() + bytes.size(), from_next, room, room + 4, to_next),
              std::codecvt_base::partial);
    EXPECT_EQ(from_next, bytes.data() + 4);
    EXPECT_EQ(std::wstring(room, to_next), L"\u00E9t\u00E9 ");
    EXPECT_EQ(facet.in(state, bytes.data(), bytes.data() + bytes.size(), from_next, room, room, to_next),
              std::codecvt_base::partial);
    EXPECT_EQ(from_next, bytes.data());
}

TEST_F(W2aCodecvt, WorksThroughALocale) {
    // The fixture keeps its reference, so the locale does not delete the facet.
    const std::locale with_facet(std::locale::classic(), &facet);
    const auto& used = std::use_facet<std::codecvt<wchar_t, char, std::mbstate_t>>(with_facet);
    std::mbstate_t state{};
    const std::string bytes = "\x93quoted\x94";
    wchar_t room[16];
    const char* from_next = nullptr;
    wchar_t* to_next = nullptr;
    ASSERT_EQ(used.in(state, bytes.data(), bytes.data() + bytes.size(), from_next, room, room + 16, to_next),
              std::codecvt_base::ok);
    EXPECT_EQ(std::wstring(room, to_next), L"\u201Cquoted\u201D");
}

}  // namespace
