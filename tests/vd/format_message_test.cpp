// The message formatter's inserts and escapes on string arguments.
#include "vd/format_message.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct format_case {
    std::wstring_view pattern;
    std::wstring_view expected;
};

TEST(FormatMessage, InsertsAndEscapes) {
    const std::vector<std::wstring_view> arguments{L"one", L"two", L"three"};
    const format_case cases[] = {
        {L"plain text", L"plain text"},
        {L"About '%1'", L"About 'one'"},
        {L"Update from '%1' to '%2'.", L"Update from 'one' to 'two'."},
        {L"%2 before %1, %1 again", L"two before one, one again"},
        {L"%1!s! and %3!ls!", L"one and three"},
        {L"[%1!5s!] [%1!-5s!] [%3!.2s!]", L"[  one] [one  ] [th]"},
        {L"100%% sure%!", L"100% sure!"},
        {L"line%nnext", L"line\r\nnext"},
        {L"a%rb%tc%bd% e%.f", L"a\rb\tc d e.f"},
        {L"kept\r\nbreaks", L"kept\r\nbreaks"},
        {L"ends%0 ignored %1", L"ends"},
    };
    for (const auto& c : cases) {
        const auto result = vd::format_message(c.pattern, arguments);
        EXPECT_EQ(result.error, 0u) << std::wstring(c.pattern);
        EXPECT_EQ(result.text, c.expected) << std::wstring(c.pattern);
    }
}

TEST(FormatMessage, TwoDigitInsertsAreOneNumber) {
    std::vector<std::wstring> owned;
    for (int i = 1; i <= 12; ++i) owned.push_back(L"a" + std::to_wstring(i));
    const std::vector<std::wstring_view> arguments(owned.begin(), owned.end());
    EXPECT_EQ(vd::format_message(L"%12|%1|%123", arguments).text, L"a12|a1|a123");
}

TEST(FormatMessage, MalformedPatternsFailWithInvalidParameter) {
    const std::vector<std::wstring_view> arguments{L"one"};
    for (const std::wstring_view pattern : {L"%2", L"trailing %", L"%1!s", L"%1!d!", L"%1!*s!", L"%99"}) {
        const auto result = vd::format_message(pattern, arguments);
        EXPECT_EQ(result.error, 87u) << std::wstring(pattern);
        EXPECT_TRUE(result.text.empty()) << std::wstring(pattern);
    }
}

TEST(FormatMessage, InsertedTextIsNotFormattedAgain) {
    const std::vector<std::wstring_view> arguments{L"%2 and %%", L"never"};
    EXPECT_EQ(vd::format_message(L"[%1]", arguments).text, L"[%2 and %%]");
}

}  // namespace
