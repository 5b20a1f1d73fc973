// The file-system port's contract cases, run on every implementation (instances in native/, win32/).
#include "contract/file_system_contract.h"

#include "os/win_error.h"
#include "support/error_assertions.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <vector>

namespace contract {
namespace {

using os::file_access;
using os::file_disposition;
using os::errc::access_denied;
namespace share = os::file_share;
namespace attr = os::file_attribute;

std::error_code win(std::uint32_t code) { return os::win_error(code); }

std::vector<std::byte> bytes(std::string_view text) {
    std::vector<std::byte> out(text.size());
    std::memcpy(out.data(), text.data(), text.size());
    return out;
}

std::error_code write_file(os::file_system& fs, const std::wstring& path, std::string_view text) {
    std::unique_ptr<os::file> f;
    if (auto ec = fs.open(path, file_access::write, file_disposition::create_always, share::read, f)) return ec;
    if (auto ec = f->write(bytes(text))) return ec;
    return f->close();
}

std::string read_file(os::file_system& fs, const std::wstring& path) {
    std::unique_ptr<os::file> f;
    if (fs.open(path, file_access::read, file_disposition::open_existing, share::read, f)) return "<error>";
    std::string out;
    std::byte buffer[7];
    for (;;) {
        std::size_t n = 0;
        if (f->read(buffer, n)) return "<read error>";
        if (n == 0) break;
        out.append(reinterpret_cast<const char*>(buffer), n);
    }
    return out;
}

TEST_P(FileSystemContract, WritesReadsAndReplacesFiles) {
    const auto path = at(L"data.bin");
    ASSERT_OK(write_file(fs(), path, "first content"));
    EXPECT_EQ(read_file(fs(), path), "first content");
    ASSERT_OK(write_file(fs(), path, "second"));  // create_always truncates
    EXPECT_EQ(read_file(fs(), path), "second");

    std::unique_ptr<os::file> f;
    ASSERT_OK(fs().open(path, file_access::read, file_disposition::open_existing, share::read, f));
    std::uint64_t size = 0;
    ASSERT_OK(f->size(size));
    EXPECT_EQ(size, 6u);
    ASSERT_OK(f->seek(3));
    std::byte tail[8];
    std::size_t n = 0;
    ASSERT_OK(f->read(tail, n));
    EXPECT_EQ(n, 3u);
    EXPECT_OK(f->close());

    std::uint32_t attributes = 0;
    ASSERT_OK(fs().get_attributes(path, attributes));
    EXPECT_EQ(attributes & (attr::directory | attr::readonly), 0u);
}

TEST_P(FileSystemContract, AnItemsIdentityFollowsItNotItsSpelling) {
    const auto path = at(L"Identity.bin");
    const auto other = at(L"other.bin");
    ASSERT_OK(write_file(fs(), path, "one"));
    ASSERT_OK(write_file(fs(), other, "two"));
    os::item_identity first;
    const auto asked = fs().identity(path, first);
    if (asked == os::win_error(os::errc::not_supported)) GTEST_SKIP() << "this file system cannot tell identities";
    ASSERT_OK(asked);
    os::item_identity again;
    std::wstring upper = path;
    for (auto& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    ASSERT_OK(fs().identity(upper, again));
    EXPECT_EQ(first, again);
    os::item_identity second;
    ASSERT_OK(fs().identity(other, second));
    EXPECT_FALSE(first == second);
    EXPECT_EQ(fs().identity(at(L"missing.bin"), second), os::win_error(os::errc::file_not_found));
}

TEST_P(FileSystemContract, TheCurrentDirectoryIsAnAbsoluteFolder) {
    std::wstring folder;
    ASSERT_OK(fs().current_directory(folder));
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder[1], L':');
    std::uint32_t attributes = 0;
    ASSERT_OK(fs().get_attributes(folder, attributes));
    EXPECT_NE(attributes & attr::directory, 0u);
}

TEST_P(FileSystemContract, MissingThingsGiveTheirCodes) {
    std::unique_ptr<os::file> f;
    std::uint32_t attributes = 0;
    EXPECT_EQ(fs().open(at(L"absent.txt"), file_access::read, file_disposition::open_existing, share::read, f),
              win(os::errc::file_not_found));
    EXPECT_EQ(fs().open(at(L"no\\such.txt"), file_access::write, file_disposition::create_always, share::read, f),
              win(os::errc::path_not_found));
    EXPECT_EQ(fs().get_attributes(at(L"absent.txt"), attributes), win(os::errc::file_not_found));
    EXPECT_EQ(fs().get_attributes(at(L"no\\such.txt"), attributes), win(os::errc::path_not_found));
    EXPECT_EQ(fs().create_directory(at(L"no\\sub")), win(os::errc::path_not_found));
    EXPECT_EQ(fs().delete_file(at(L"absent.txt")), win(os::errc::file_not_found));
    std::vector<os::directory_entry> entries;
    EXPECT_EQ(fs().list_directory(at(L"no"), entries), win(os::errc::path_not_found));
    EXPECT_FALSE(f);
}

TEST_P(FileSystemContract, FoldersExistOnceAndMustBeEmptyToGo) {
    const auto folder = at(L"Folder");
    ASSERT_OK(fs().create_directory(folder));
    EXPECT_EQ(fs().create_directory(folder), win(os::errc::already_exists));
    std::uint32_t attributes = 0;
    ASSERT_OK(fs().get_attributes(folder, attributes));
    EXPECT_NE(attributes & attr::directory, 0u);
    ASSERT_OK(write_file(fs(), folder + L"\\inside.txt", "x"));
    EXPECT_EQ(fs().remove_directory(folder), win(os::errc::dir_not_empty));
    std::unique_ptr<os::file> f;
    EXPECT_OK(fs().open(at(L"new.txt"), file_access::write, file_disposition::create_always, share::read, f));
    f.reset();
    EXPECT_EQ(fs().open(at(L"new.txt"), file_access::write, file_disposition::create_new, share::read, f),
              win(os::errc::file_exists));
    ASSERT_OK(fs().delete_file(folder + L"\\inside.txt"));
    EXPECT_OK(fs().remove_directory(folder));
    EXPECT_EQ(fs().get_attributes(folder, attributes), win(os::errc::file_not_found));
}

TEST_P(FileSystemContract, ReadOnlyFilesRefuseWritesAndDeletes) {
    const auto path = at(L"locked.exe");
    ASSERT_OK(write_file(fs(), path, "old"));
    ASSERT_OK(fs().set_attributes(path, attr::readonly | attr::archive));
    std::uint32_t attributes = 0;
    ASSERT_OK(fs().get_attributes(path, attributes));
    EXPECT_NE(attributes & attr::readonly, 0u);

    std::unique_ptr<os::file> f;
    auto opened = fs().open(path, file_access::write, file_disposition::create_always, share::read, f);
    if (!opened && subject().under_wine()) {
        f.reset();
        (void)fs().set_attributes(path, attr::normal);
        GTEST_SKIP() << "Wine keeps the read-only attribute as the Unix write permission, which does not bind "
                        "a Wine running as root";
    }
    EXPECT_EQ(opened, win(access_denied));
    EXPECT_EQ(fs().delete_file(path), win(access_denied));
    EXPECT_OK(fs().copy_file(at(L"locked.exe"), at(L"copy.exe"), true));
    ASSERT_OK(fs().get_attributes(at(L"copy.exe"), attributes));
    EXPECT_NE(attributes & attr::readonly, 0u) << "CopyFileW carries the attributes over";
    EXPECT_EQ(read_file(fs(), path), "old") << "reading a read-only file is allowed";

    ASSERT_OK(fs().set_attributes(path, attr::normal));
    ASSERT_OK(fs().set_attributes(at(L"copy.exe"), attr::normal));
    EXPECT_OK(fs().delete_file(path));
}

TEST_P(FileSystemContract, ShareModesAreHonoured) {
    const auto path = at(L"shared.dat");
    ASSERT_OK(write_file(fs(), path, "abc"));
    struct case_ {
        file_access first;
        std::uint32_t first_share;
        file_access second;
        std::uint32_t second_share;
        bool conflict;
    };
    const case_ cases[] = {
        {file_access::write, share::read, file_access::read, share::read | share::write, false},
        {file_access::write, share::read, file_access::write, share::read | share::write, true},
        {file_access::write, share::none, file_access::read, share::read | share::write, true},
        {file_access::read, share::read, file_access::read, share::read, false},
        {file_access::read, share::read | share::write, file_access::read, share::read, false},
        {file_access::read, share::read, file_access::write, share::read | share::write, true},
        {file_access::write, share::read, file_access::read, share::read, true},  // the second denies the writer
    };
    for (const auto& c : cases) {
        std::unique_ptr<os::file> a, b;
        ASSERT_OK(fs().open(path, c.first, file_disposition::open_existing, c.first_share, a));
        auto ec = fs().open(path, c.second, file_disposition::open_existing, c.second_share, b);
        EXPECT_EQ(ec, c.conflict ? win(os::errc::sharing_violation) : std::error_code{})
            << static_cast<int>(c.first) << "/" << c.first_share << " then " << static_cast<int>(c.second) << "/"
            << c.second_share;
    }
    std::unique_ptr<os::file> held;
    ASSERT_OK(fs().open(path, file_access::read, file_disposition::open_existing, share::read, held));
    EXPECT_EQ(fs().delete_file(path), win(os::errc::sharing_violation));
    held.reset();
    EXPECT_OK(fs().delete_file(path));
}

TEST_P(FileSystemContract, NamesMatchWithoutCaseAndKeepTheirSpelling) {
    ASSERT_OK(fs().create_directory(at(L"Mixed Case")));
    ASSERT_OK(write_file(fs(), at(L"Mixed Case\\Été.TXT"), "x"));
    std::uint32_t attributes = 0;
    EXPECT_OK(fs().get_attributes(at(L"mixed case\\été.txt"), attributes));
    EXPECT_EQ(read_file(fs(), at(L"MIXED CASE/ÉTÉ.txt")), "x");
    EXPECT_EQ(fs().create_directory(at(L"MIXED case")), win(os::errc::already_exists));
    ASSERT_OK(write_file(fs(), at(L"mixed case\\été.txt"), "y"));  // replaces, keeps the stored name
    std::vector<os::directory_entry> entries;
    ASSERT_OK(fs().list_directory(at(L"mixed CASE"), entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, L"Été.TXT");
    EXPECT_EQ(entries[0].size, 1u);
    EXPECT_OK(fs().delete_file(at(L"MIXED CASE\\ÉTÉ.TXT")));
    EXPECT_OK(fs().remove_directory(at(L"mixed case")));
}

TEST_P(FileSystemContract, CopyAndMoveRespectExistingTargets) {
    ASSERT_OK(write_file(fs(), at(L"a.txt"), "A"));
    ASSERT_OK(write_file(fs(), at(L"b.txt"), "B"));
    EXPECT_EQ(fs().copy_file(at(L"a.txt"), at(L"b.txt"), true), win(os::errc::file_exists));
    EXPECT_EQ(read_file(fs(), at(L"b.txt")), "B");
    EXPECT_OK(fs().copy_file(at(L"a.txt"), at(L"b.txt"), false));
    EXPECT_EQ(read_file(fs(), at(L"b.txt")), "A");
    ASSERT_OK(write_file(fs(), at(L"c.txt"), "C"));
    EXPECT_EQ(fs().move_file(at(L"c.txt"), at(L"b.txt"), false), win(os::errc::already_exists));
    EXPECT_OK(fs().move_file(at(L"c.txt"), at(L"b.txt"), true));
    EXPECT_EQ(read_file(fs(), at(L"b.txt")), "C");
    EXPECT_EQ(read_file(fs(), at(L"c.txt")), "<error>");
    EXPECT_EQ(fs().copy_file(at(L"gone.txt"), at(L"d.txt"), false), win(os::errc::file_not_found));
}

TEST_P(FileSystemContract, AFlushedFileIsWholeForAnotherReaderBeforeItCloses) {
    const auto path = at(L"flushed.bin");
    std::unique_ptr<os::file> writer;
    ASSERT_OK(fs().open(path, file_access::write, file_disposition::create_new, share::read, writer));
    ASSERT_OK(writer->write(bytes("kept before close")));
    ASSERT_OK(writer->flush());
    {
        // Another handle, which must share writing with the open writer.
        std::unique_ptr<os::file> other;
        ASSERT_OK(
            fs().open(path, file_access::read, file_disposition::open_existing, share::read | share::write, other));
        std::byte buffer[64];
        std::size_t n = 0;
        ASSERT_OK(other->read(buffer, n));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer), n), "kept before close");
    }
    EXPECT_OK(writer->close());

    // Only a handle that may write has buffers to flush.
    std::unique_ptr<os::file> reader;
    ASSERT_OK(fs().open(path, file_access::read, file_disposition::open_existing, share::read, reader));
    EXPECT_EQ(reader->flush(), win(access_denied));
}

TEST_P(FileSystemContract, TemporaryNamesAreNewEmptyFiles) {
    std::wstring temp;
    ASSERT_OK(fs().temp_path(temp));
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), L'\\');
    std::wstring first, second;
    ASSERT_OK(fs().temp_file_name(subject().scratch(), L"vdx", first));
    ASSERT_OK(fs().temp_file_name(subject().scratch(), L"vdx", second));
    EXPECT_NE(first, second);
    for (const auto& name : {first, second}) {
        EXPECT_EQ(read_file(fs(), name), "");
        auto file_part = name.substr(name.find_last_of(L'\\') + 1);
        EXPECT_EQ(file_part.substr(0, 3), L"vdx") << name;
        EXPECT_EQ(file_part.substr(file_part.size() - 4), L".tmp") << name;
    }
    std::wstring none;
    EXPECT_TRUE(fs().temp_file_name(at(L"missing"), L"vd", none));
}

}  // namespace
}  // namespace contract
