// The file-system port's contract for what a hostile folder tree can hold: links reported rather
// than followed, files with a second name, folders that must be new, and moves between volumes.
#include "contract/file_system_contract.h"

#include "os/win_error.h"
#include "support/error_assertions.h"

#include <cstring>
#include <vector>

namespace contract {
namespace {

using os::file_access;
using os::file_disposition;
namespace attr = os::file_attribute;

std::error_code win(std::uint32_t code) { return os::win_error(code); }

std::string narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) out += c > 0 && c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::error_code write_file(os::file_system& fs, const std::wstring& path, std::string_view text) {
    std::unique_ptr<os::file> f;
    if (auto ec = fs.open(path, file_access::write, file_disposition::create_always, os::file_share::read, f))
        return ec;
    std::vector<std::byte> data(text.size());
    std::memcpy(data.data(), text.data(), text.size());
    if (auto ec = f->write(data)) return ec;
    return f->close();
}

std::string read_file(os::file_system& fs, const std::wstring& path) {
    std::unique_ptr<os::file> f;
    if (fs.open(path, file_access::read, file_disposition::open_existing, os::file_share::read, f)) return "<error>";
    std::string out;
    std::byte buffer[64];
    for (std::size_t n = 0; !f->read(buffer, n) && n != 0;) out.append(reinterpret_cast<const char*>(buffer), n);
    return out;
}

TEST_P(FileSystemContract, LinksAreReportedNotFollowed) {
    ASSERT_OK(fs().create_directory(at(L"target")));
    ASSERT_OK(write_file(fs(), at(L"target\\inside.txt"), "x"));
    ASSERT_OK(write_file(fs(), at(L"plain.txt"), "p"));
    if (!subject().make_link(at(L"folder link"), at(L"target"), true) ||
        !subject().make_link(at(L"file link.txt"), at(L"plain.txt"), false))
        GTEST_SKIP() << "no symbolic links can be made here";

    for (const wchar_t* link : {L"folder link", L"file link.txt"}) {
        SCOPED_TRACE(testing::Message() << "link " << narrow(link));
        os::item_information info;
        ASSERT_OK(fs().query_item(at(link), info));
        EXPECT_TRUE(info.is_link());
        std::uint32_t attributes = 0;
        ASSERT_OK(fs().get_attributes(at(link), attributes));
        EXPECT_NE(attributes & attr::reparse_point, 0u);
    }
    // Wine marks the link through the attributes only; Windows names its kind too.
    os::item_information folder_link;
    ASSERT_OK(fs().query_item(at(L"folder link"), folder_link));
    if (!subject().under_wine()) {
        EXPECT_EQ(folder_link.reparse_tag, os::reparse_tag::symlink);
    }
    EXPECT_NE(folder_link.attributes & attr::directory, 0u);

    // What lies through a link, and what is no link, is an ordinary item.
    for (const wchar_t* item : {L"target", L"plain.txt", L"folder link\\inside.txt"}) {
        os::item_information info;
        ASSERT_OK(fs().query_item(at(item), info));
        EXPECT_FALSE(info.is_link()) << narrow(item);
        EXPECT_EQ(info.reparse_tag, 0u);
    }
    os::item_information absent;
    EXPECT_EQ(fs().query_item(at(L"absent"), absent), win(os::errc::file_not_found));
    EXPECT_EQ(fs().query_item(at(L"absent\\deeper"), absent), win(os::errc::path_not_found));
}

TEST_P(FileSystemContract, AFolderLinkPlantedFromOutsideIsReported) {
    const std::wstring link = subject().planted_link();
    if (link.empty()) GTEST_SKIP() << "no planted link here";
    os::item_information info;
    ASSERT_OK(fs().query_item(link, info));
    EXPECT_TRUE(info.is_link());
    EXPECT_NE(info.attributes & attr::directory, 0u);
    std::uint32_t attributes = 0;
    ASSERT_OK(fs().get_attributes(link, attributes));
    EXPECT_NE(attributes & attr::reparse_point, 0u);
    EXPECT_EQ(fs().create_directory_secured(link, {}), win(os::errc::already_exists));
}

TEST_P(FileSystemContract, AFileWithASecondNameCountsBoth) {
    ASSERT_OK(write_file(fs(), at(L"one.dat"), "1"));
    os::item_information info;
    ASSERT_OK(fs().query_item(at(L"one.dat"), info));
    EXPECT_EQ(info.link_count, 1u);
    if (!subject().make_hard_link(at(L"second name.dat"), at(L"one.dat"))) GTEST_SKIP() << "no hard links here";
    for (const wchar_t* name : {L"one.dat", L"second name.dat"}) {
        ASSERT_OK(fs().query_item(at(name), info));
        EXPECT_EQ(info.link_count, 2u) << narrow(name);
        EXPECT_FALSE(info.is_link());
    }
}

TEST_P(FileSystemContract, ASecuredFolderIsAlwaysANewOne) {
    // Any descriptor the system accepts: the contract is about the name, not the rights.
    const std::vector<std::byte> no_descriptor;
    ASSERT_OK(fs().create_directory_secured(at(L"own"), no_descriptor));
    std::uint32_t attributes = 0;
    ASSERT_OK(fs().get_attributes(at(L"own"), attributes));
    EXPECT_NE(attributes & attr::directory, 0u);
    ASSERT_OK(write_file(fs(), at(L"a file"), "f"));
    ASSERT_OK(fs().create_directory(at(L"target")));
    const bool linked = subject().make_link(at(L"a link"), at(L"target"), true);
    for (const wchar_t* taken : {L"own", L"a file", L"a link"}) {
        if (std::wstring_view(taken) == L"a link" && !linked) continue;
        EXPECT_EQ(fs().create_directory_secured(at(taken), no_descriptor), win(os::errc::already_exists))
            << narrow(taken);
    }
    EXPECT_EQ(fs().create_directory_secured(at(L"no\\such"), no_descriptor), win(os::errc::path_not_found));
}

TEST_P(FileSystemContract, MovesBetweenVolumesCopyOnlyWhenAllowed) {
    const std::wstring other = subject().other_volume_scratch();
    if (other.empty()) GTEST_SKIP() << "no second volume here";
    ASSERT_OK(write_file(fs(), at(L"file.txt"), "content"));
    const std::wstring there = other + L"\\file.txt";
    EXPECT_EQ(fs().move_file(at(L"file.txt"), there, os::move_flag::none), win(os::errc::not_same_device));
    EXPECT_EQ(read_file(fs(), at(L"file.txt")), "content");
    ASSERT_OK(fs().move_file(at(L"file.txt"), there, os::move_flag::copy_allowed));
    EXPECT_EQ(read_file(fs(), there), "content");
    EXPECT_EQ(read_file(fs(), at(L"file.txt")), "<error>");

    // Back over an existing file: replacing it needs both bits.
    ASSERT_OK(write_file(fs(), at(L"file.txt"), "newer"));
    EXPECT_EQ(fs().move_file(there, at(L"file.txt"), os::move_flag::copy_allowed), win(os::errc::already_exists));
    ASSERT_OK(fs().move_file(there, at(L"file.txt"), os::move_flag::copy_allowed | os::move_flag::replace_existing));
    EXPECT_EQ(read_file(fs(), at(L"file.txt")), "content");
    EXPECT_EQ(read_file(fs(), there), "<error>");
}

}  // namespace
}  // namespace contract
