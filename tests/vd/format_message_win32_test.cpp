// Win32-only: the portable formatter against FormatMessageW itself, on patterns whose inserts all
// have arguments (FormatMessageW would read past the argument array otherwise).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/win32/running_under_wine.h"
#include "vd/format_message.h"

namespace {

using test_support::running_under_wine;

// FormatMessageW from a string with string inserts; empty when it fails.
std::wstring system_format(const std::wstring& pattern, const std::vector<std::wstring>& arguments) {
    std::vector<DWORD_PTR> inserts;
    for (const auto& argument : arguments) inserts.push_back(reinterpret_cast<DWORD_PTR>(argument.c_str()));
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER, pattern.c_str(), 0,
        0, reinterpret_cast<LPWSTR>(&buffer), 0, reinterpret_cast<va_list*>(inserts.data()));
    std::wstring text = length != 0 ? std::wstring(buffer, length) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    return text;
}

TEST(FormatMessageAgainstWindows, SamePatternsSameText) {
    const std::vector<std::wstring> arguments{L"one", L"two", L"three"};
    const std::vector<std::wstring_view> views(arguments.begin(), arguments.end());
    for (const std::wstring pattern : {
             L"About '%1'",
             L"Update from '%1' to '%2'.",
             L"%2 before %1",
             L"%1!s! and %3!s!",
             L"[%1!5s!] [%1!-5s!] [%3!.2s!]",
             L"100%% sure%!",
             L"line%nnext",
             L"a%rb%tc% d%.e",
             L"kept\r\nbreaks",
             L"ends%0 ignored",
             L"Installation is not complete.\r\n\r\nDo you still confirm exit Installation ?",
         }) {
        EXPECT_EQ(vd::format_message(pattern, views).text, system_format(pattern, arguments)) << pattern;
    }
    if (!running_under_wine()) {
        EXPECT_EQ(vd::format_message(L"a%bb", views).text, system_format(L"a%bb", arguments));
    }
}

}  // namespace
