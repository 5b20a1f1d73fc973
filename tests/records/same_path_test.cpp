// The journal's test for "the same folder or file" when merging an earlier log.
#include "records_fixture.h"

namespace records_test {
namespace {

class SamePath : public records_machine {};

TEST_F(SamePath, Rules) {
    struct row {
        std::wstring a, b;
        bool same;
    };
    const row rows[] = {
        {L"C:\\A\\b.dll", L"C:\\A\\b.dll", true},
        {L"C:\\A\\b.dll", L"C:/A//b.dll", true},
        {L"C:\\A\\b.dll", L"c:\\a\\B.DLL", true},  // different spelling, compared without case
        {L"C:\\A\\.\\x\\..\\b.dll", L"C:\\A\\b.dll", true},
        {L"b.dll", L"C:\\Users\\User\\b.dll", true},  // relative to the current directory
        {L"\\Users\\User\\b.dll", L"C:\\Users\\User\\b.dll", true},
        {L"C:\\..\\A", L"C:\\A", true},  // ".." never climbs above the root
        {L"C:\\A\\b.dll", L"C:\\A\\b.dl", false},
        {L"C:\\A\\b.dll", L"D:\\A\\b.dll", false},
        {L"C:\\A", L"C:\\A\\B", false},
        {L"\\\\server\\share\\x", L"\\\\SERVER\\Share\\X", true},
        {L"\\\\server\\share\\x", L"C:\\server\\share\\x", false},
        {L"C:\\\u00c9t\u00e9", L"c:\\\u00e9T\u00c9", true},
    };
    const auto p = ports();
    for (const auto& r : rows)
        EXPECT_EQ(records::IsSamePath(r.a, r.b, p), r.same)
            << std::string(r.a.begin(), r.a.end()) << " / " << std::string(r.b.begin(), r.b.end());
}

TEST_F(SamePath, TheFileSystemsAnswerWinsOverSpelling) {
    auto p = ports();
    p.same_item = [](std::wstring_view, std::wstring_view) { return std::optional<bool>(false); };
    EXPECT_TRUE(records::IsSamePath(L"C:\\A", L"C:/A", p));  // equal as paths: not asked
    EXPECT_FALSE(records::IsSamePath(L"C:\\A", L"c:\\a", p));
    p.same_item = [](std::wstring_view, std::wstring_view) { return std::optional<bool>(true); };
    EXPECT_TRUE(records::IsSamePath(L"C:\\PROGRA~1", L"C:\\Program Files", p));
}

}  // namespace
}  // namespace records_test
