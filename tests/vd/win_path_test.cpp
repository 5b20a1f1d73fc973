// Windows path functions: the shell's answers for the shapes of path the program meets.
#include "vd/win_path.h"

#include <gtest/gtest.h>

namespace {

using namespace vd::path;

struct two_in_one_out {
    const wchar_t* a;
    const wchar_t* b;
    const wchar_t* expected;
};

TEST(WinPath, AppendJoinsWithOneSeparatorAndCanonicalises) {
    const two_in_one_out cases[] = {
        {L"C:\\Program Files", L"Lignotek 7", L"C:\\Program Files\\Lignotek 7"},
        {L"C:\\Program Files\\", L"Lignotek 7", L"C:\\Program Files\\Lignotek 7"},
        {L"C:\\Temp\\", L"\\vendrel_{x}", L"C:\\Temp\\vendrel_{x}"},
        {L"C:\\a", L"b/c", L"C:\\a\\b\\c"},
        {L"C:\\a\\b", L"..\\c", L"C:\\a\\c"},
        {L"C:\\", L"..\\..\\x", L"C:\\x"},
        {L"C:\\a", L"D:\\z", L"D:\\z"},
        {L"", L"x", L"x"},
        {L"C:\\a", L"", L"C:\\a"},
        {L"\\\\srv\\share", L"dir", L"\\\\srv\\share\\dir"},
    };
    for (const auto& c : cases) EXPECT_EQ(append(c.a, c.b), c.expected) << c.a << L" + " << c.b;
}

TEST(WinPath, RemoveFileSpecKeepsTheRoot) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\a\\b.txt", L"C:\\a"},
        {L"C:\\a", L"C:\\"},
        {L"C:\\", L"C:\\"},
        {L"\\a", L"\\"},
        {L"a", L""},
        {L"a\\b\\", L"a"},
        {L"C:/x/y", L"C:/x"},
        {L"\\\\srv\\share\\f", L"\\\\srv\\share\\"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(remove_file_spec(in), out) << in;
}

TEST(WinPath, CanonicalizeResolvesDotsWithoutLeavingTheRoot) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\a\\.\\b\\..\\c", L"C:\\a\\c"},
        {L"C:\\..\\..", L"C:\\"},
        {L"C:/a//b/", L"C:\\a\\b"},
        {L"a\\..\\..\\b", L"b"},
        {L"C:a\\b", L"C:a\\b"},
        {L"\\x\\.", L"\\x"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(canonicalize(in), out) << in;
}

TEST(WinPath, RootsAndKindsOfPath) {
    EXPECT_TRUE(is_drive_absolute(L"C:\\Data\\x"));
    EXPECT_FALSE(is_drive_absolute(L"C:Data"));
    EXPECT_TRUE(is_rooted(L"C:Data"));
    EXPECT_TRUE(is_rooted(L"\\Data"));
    EXPECT_FALSE(is_rooted(L"Data\\x"));
    EXPECT_TRUE(is_absolute(L"\\\\server\\share\\x"));
    EXPECT_TRUE(is_absolute(L"\\\\?\\C:\\x"));
    EXPECT_FALSE(is_absolute(L"\\x"));
    EXPECT_EQ(root(L"\\\\server\\share\\x\\y"), L"\\\\server\\share\\");
    EXPECT_EQ(file_name(L"C:\\a\\b.dll"), L"b.dll");
    EXPECT_EQ(file_name(L"D:/src/payload/lang/de.dll"), L"de.dll");
    EXPECT_EQ(file_name(L"C:\\"), L"");
    EXPECT_EQ(file_name(L"plain"), L"plain");
}

TEST(WinPath, RelativePathAndCommonPrefixIgnoreCase) {
    EXPECT_EQ(relative_path(L"C:\\a\\b", true, L"C:\\A\\c\\d.txt"), L"..\\c\\d.txt");
    EXPECT_EQ(relative_path(L"C:\\a\\b\\f.txt", false, L"C:\\a\\b\\g.txt"), L".\\g.txt");
    EXPECT_EQ(relative_path(L"C:\\a", true, L"D:\\a"), L"");
    EXPECT_EQ(common_prefix(L"C:\\Program Files\\X\\y", L"c:\\program files\\Z"), L"C:\\Program Files");
    EXPECT_EQ(common_prefix(L"C:\\a", L"D:\\a"), L"");
    EXPECT_EQ(common_prefix(L"C:\\ab", L"C:\\abc"), L"C:\\");
}

TEST(WinPath, QuoteSpaces) {
    EXPECT_EQ(quote_spaces(L"C:\\Program Files\\x.exe"), L"\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(quote_spaces(L"\"C:\\Program Files\""), L"\"C:\\Program Files\"");
    EXPECT_EQ(quote_spaces(L"C:\\x.exe"), L"C:\\x.exe");
}

TEST(WinPath, ComparisonsExactAndCaseInsensitive) {
    EXPECT_TRUE(equal_exact(L"C:\\a\\b", L"C:/a//b\\"));
    EXPECT_FALSE(equal_exact(L"C:\\a\\B", L"C:\\a\\b"));
    EXPECT_TRUE(equal_ignore_case_canonical(L"C:\\Users\\ÉLAN\\.\\x", L"c:\\users\\élan\\x"));
    EXPECT_TRUE(equal_ignore_case_canonical(L"C:\\a\\b\\..", L"C:\\A"));
    EXPECT_FALSE(equal_ignore_case_canonical(L"C:\\a", L"C:\\ab"));
    EXPECT_TRUE(equal_ignore_case(L"ДОМ", L"дом"));
    EXPECT_TRUE(is_within(L"C:\\ProgramData", L"c:\\programdata\\Vendrel"));
    EXPECT_TRUE(is_within(L"C:\\ProgramData", L"C:\\ProgramData"));
    EXPECT_FALSE(is_within(L"C:\\ProgramData", L"C:\\ProgramDataX"));
}

}  // namespace
