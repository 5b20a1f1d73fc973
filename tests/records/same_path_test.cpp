// The journal's test for "the same folder or file" when merging an earlier log.
#include "records_fixture.h"

#include "os/native/refusing_file_system.h"

#include <functional>

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

// A file system that gives every path the same identity, or each path its own.
class told_identities final : public os::native::refusing_file_system {
public:
    explicit told_identities(bool same) : same_(same) {}
    std::error_code identity(std::wstring_view path, os::item_identity& id) override {
        id = {1, same_ ? 7u : std::hash<std::wstring_view>{}(path)};
        return {};
    }

private:
    bool same_;
};

TEST_F(SamePath, TheFileSystemsAnswerWinsOverSpelling) {
    const auto base = ports();
    told_identities different(false);
    const records::journal_ports apart{different, base.shell, base.registry, base.set_privilege, base.ansi_to_wide};
    EXPECT_TRUE(records::IsSamePath(L"C:\\A", L"C:/A", apart));  // equal as paths: not asked
    EXPECT_FALSE(records::IsSamePath(L"C:\\A", L"c:\\a", apart));
    told_identities same(true);
    const records::journal_ports one{same, base.shell, base.registry, base.set_privilege, base.ansi_to_wide};
    EXPECT_TRUE(records::IsSamePath(L"C:\\PROGRA~1", L"C:\\Program Files", one));
}

TEST_F(SamePath, TwoNamesOfOneExistingFolderAreTheSame) {
    // The machine tells which host item a path leads to, whatever the spelling.
    make_folder(L"C:\\Program Files\\Lignotek 7");
    const auto p = ports();
    EXPECT_TRUE(records::IsSamePath(L"C:\\Program Files\\Lignotek 7", L"c:\\PROGRAM FILES\\lignotek 7", p));
    make_folder(L"C:\\Program Files\\Lignotek 6");
    EXPECT_FALSE(records::IsSamePath(L"C:\\Program Files\\Lignotek 7", L"C:\\Program Files\\Lignotek 6", p));
}

}  // namespace
}  // namespace records_test
