// The shell-links contract: a saved link reads back with its target and working folder, a second
// save overwrites it, and a link cannot be saved into a missing folder or read from a missing file.
#include "contract/shell_links_contract.h"

#include <cstddef>
#include <memory>

namespace contract {
namespace {

// A small file standing for the link's target.
void put_file(os::file_system& files, const std::wstring& path) {
    std::unique_ptr<os::file> out;
    ASSERT_FALSE(files.open(path, os::file_access::write, os::file_disposition::create_always, 0, out));
    const std::byte data[] = {std::byte{'M'}, std::byte{'Z'}};
    ASSERT_FALSE(out->write(data));
    ASSERT_FALSE(out->close());
}

TEST_P(ShellLinksContract, ASavedLinkReadsBackAndASecondSaveOverwritesIt) {
    const std::wstring folder = subject().scratch();
    ASSERT_FALSE(subject().files().create_directory(folder + L"\\Program One"));
    ASSERT_FALSE(subject().files().create_directory(folder + L"\\Program Two"));
    put_file(subject().files(), folder + L"\\Program One\\One.exe");
    put_file(subject().files(), folder + L"\\Program Two\\Two.exe");
    const std::wstring link_path = folder + L"\\Lignotek 7.08r.lnk";

    for (const std::wstring name : {L"One", L"Two"}) {
        const os::shell_link link{folder + L"\\Program " + name + L"\\" + name + L".exe",
                                  folder + L"\\Program " + name};
        ASSERT_EQ(subject().links().save_link(link_path, link), 0) << testing::PrintToString(name);
        os::shell_link read;
        ASSERT_EQ(subject().links().read_link(link_path, read), 0);
        EXPECT_EQ(read.target, link.target);
        EXPECT_EQ(read.working_folder, link.working_folder);
    }
}

TEST_P(ShellLinksContract, MissingFoldersAndFilesFail) {
    const std::wstring folder = subject().scratch();
    put_file(subject().files(), folder + L"\\Target.exe");
    EXPECT_LT(subject().links().save_link(folder + L"\\Missing\\Target.lnk", {folder + L"\\Target.exe", folder}), 0);
    std::uint32_t attributes = 0;
    EXPECT_TRUE(subject().files().get_attributes(folder + L"\\Missing\\Target.lnk", attributes));

    os::shell_link read{L"unchanged", L"unchanged"};
    EXPECT_LT(subject().links().read_link(folder + L"\\Nothing.lnk", read), 0);
    EXPECT_EQ(read.target, L"unchanged");
}

}  // namespace
}  // namespace contract
