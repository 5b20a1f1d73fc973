// Creating a folder with its missing ancestors: the levels asked for, in order, and where it stops.
#include "vd/create_folders.h"

#include "os/native/refusing_file_system.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

// Folders in a set; create_directory answers as CreateDirectoryW does, or with a planted error.
class folder_set final : public os::native::refusing_file_system {
public:
    std::set<std::wstring> folders;
    std::map<std::wstring, std::uint32_t> failures;
    std::vector<std::wstring> asked;

    std::error_code create_directory(std::wstring_view path) override {
        const std::wstring folder(path);
        asked.push_back(folder);
        if (const auto failure = failures.find(folder); failure != failures.end())
            return os::win_error(failure->second);
        if (!folders.insert(folder).second) return os::win_error(os::errc::already_exists);
        return {};
    }
};

TEST(CreateFolders, CreatesEachMissingLevelFromTheTopBelowTheRoot) {
    struct case_t {
        const wchar_t* folder;
        std::vector<std::wstring> asked;
    };
    const case_t cases[] = {
        {L"C:\\a\\b", {L"C:\\a", L"C:\\a\\b"}},
        {L"C:/a//b\\", {L"C:/a", L"C:/a\\b"}},
        {L"\\\\server\\share\\x", {L"\\\\server\\share\\x"}},
        {L"rel\\sub", {L"rel", L"rel\\sub"}},
        {L"C:\\", {}},
    };
    for (const auto& c : cases) {
        folder_set files;
        std::vector<std::wstring> created;
        EXPECT_FALSE(vd::create_folders(files, c.folder, [&](const std::wstring& f) { created.push_back(f); }));
        EXPECT_EQ(files.asked, c.asked) << c.folder;
        EXPECT_EQ(created, c.asked) << c.folder;
    }
}

TEST(CreateFolders, PassesOverExistingLevelsAndStopsAtTheFirstOtherError) {
    folder_set files;
    files.folders = {L"C:\\a"};
    files.failures[L"C:\\a\\b\\c"] = os::errc::access_denied;
    std::vector<std::wstring> created;
    const auto ec = vd::create_folders(files, L"C:\\a\\b\\c\\d", [&](const std::wstring& f) { created.push_back(f); });
    EXPECT_EQ(ec, os::win_error(os::errc::access_denied));
    EXPECT_EQ(files.asked, (std::vector<std::wstring>{L"C:\\a", L"C:\\a\\b", L"C:\\a\\b\\c"}));
    EXPECT_EQ(created, std::vector<std::wstring>{L"C:\\a\\b"});
}

TEST(CreateFolders, TheBaseOfAWalkIsNeverCreated) {
    folder_set files;
    const std::wstring_view elements[] = {L"x", L"y"};
    EXPECT_FALSE(vd::create_folders_below(files, L"D:", elements));
    EXPECT_EQ(files.asked, (std::vector<std::wstring>{L"D:\\x", L"D:\\x\\y"}));
}

}  // namespace
