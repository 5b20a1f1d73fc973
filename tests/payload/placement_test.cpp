// File placement: shared-folder grants, folder creation, and the end-of-run clean-up.
#include "payload/payload_fixture.h"

#include "payload/placement.h"

namespace payload_test {
namespace {

class Placement : public machine_fixture {
protected:
    payload::shared_folder_list shared_;
};

TEST_F(Placement, TheFirstFileGrantsEveryPendingFolderAboveIt) {
    for (const wchar_t* f : {L"C:\\Data\\A", L"C:\\Data\\A\\B", L"C:\\Data\\A\\B\\C", L"C:\\Elsewhere"})
        shared_.register_shared_folder(f);
    payload::file_placement placement(ports(), shared_);

    (void)placement.open_output_file(L"C:\\Unrelated\\f.txt");
    EXPECT_TRUE(grants_.empty()) << "a folder outside every shared folder grants nothing";

    (void)placement.open_output_file(L"C:\\Data\\A\\B\\C\\f.txt");
    EXPECT_EQ(grants_, (std::vector<std::wstring>{L"C:\\Data\\A 2032127/3", L"C:\\Data\\A\\B 2032127/3",
                                                  L"C:\\Data\\A\\B\\C 2032127/3"}));
    (void)placement.open_output_file(L"C:\\Data\\A\\g.txt");
    EXPECT_EQ(grants_.size(), 3u) << "each folder is granted once";
    EXPECT_FALSE(shared_.folders()[3].granted) << "a shared folder that never receives a file";
}

TEST_F(Placement, AFailedGrantStillCountsAndPlacementGoesOn) {
    grant_answer_ = false;
    shared_.register_shared_folder(L"C:\\Data\\A");
    payload::file_placement placement(ports(), shared_);
    auto f = placement.open_output_file(L"C:\\Data\\A\\f.txt");
    EXPECT_TRUE(f);
    EXPECT_TRUE(shared_.folders()[0].granted);
    (void)placement.open_output_file(L"C:\\Data\\A\\g.txt");
    EXPECT_EQ(grants_.size(), 1u);
}

TEST_F(Placement, FoldersThatCannotBeCreatedNameTheParent) {
    put(L"C:\\Blocked", "a file");
    payload::file_placement placement(ports(), shared_);
    try {
        (void)placement.open_output_file(L"C:\\Blocked\\Sub\\f.txt");
        FAIL() << "created a folder below a file";
    } catch (const payload::file_error& e) {
        EXPECT_EQ(e.operation(), "create_directories");
        EXPECT_EQ(e.path(), L"C:\\Blocked\\Sub");
        EXPECT_EQ(e.code(), os::win_error(os::errc::path_not_found));
    }
}

TEST_F(Placement, CleanUpDeletesFilesThenTheEmptyFolder) {
    const std::wstring folder = L"C:\\Users\\User\\AppData\\Local\\Temp\\vendrel_{t}";
    ASSERT_FALSE(machine_->create_directory(folder));
    std::vector<std::wstring> files = {folder + L"\\DSETUP.dll", folder + L"\\dxupdate.cab"};
    for (const auto& f : files) put(f, "x");
    ASSERT_FALSE(machine_->set_attributes(files[0], os::file_attribute::readonly));
    auto list = files;
    payload::clean_up_temporary_files(*machine_, list, folder);
    EXPECT_TRUE(list.empty());
    std::uint32_t attributes = 0;
    EXPECT_EQ(machine_->get_attributes(folder, attributes), os::win_error(os::errc::file_not_found));

    // A file that cannot go keeps its folder; the error is ignored.
    ASSERT_FALSE(machine_->create_directory(folder));
    for (const auto& f : files) put(f, "x");
    std::unique_ptr<os::file> held;
    ASSERT_FALSE(machine_->open(files[1], os::file_access::read, os::file_disposition::open_existing,
                                os::file_share::read, held));
    list = files;
    payload::clean_up_temporary_files(*machine_, list, folder);
    EXPECT_EQ(content(files[0]), "<missing>");
    EXPECT_EQ(content(files[1]), "x");
    EXPECT_FALSE(machine_->get_attributes(folder, attributes));
}

}  // namespace
}  // namespace payload_test
