// Detecting an earlier installation: the product path, the installed program's version and the
// three places where its uninstall log may be.
#include "records_fixture.h"

#include "os/native/refusing_file_system.h"
#include "os/win_error.h"
#include "records/previous_installation.h"
#include "vd/acl.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"
#include "vd/utf16.h"
#include "vd/win_path.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>

namespace records_test {
namespace {

const std::wstring install = L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7";
const std::wstring main_program = install + L"\\Lignotek.exe";
const std::wstring uninstall_key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lignotek 7";

std::string fixture(const char* name) {
    const char* source = std::getenv("LIGNOTEK_SOURCE_DIR");
    const std::string dir = std::string(source ? source : ".") + "/tests/vd/data/version/";
    std::ifstream in(dir + name, std::ios::binary);
    EXPECT_TRUE(in) << dir + name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::byte> utf16_value(std::wstring_view text, bool terminate = true) {
    std::vector<std::byte> out;
    vd::append_utf16le(out, text);
    if (terminate) out.insert(out.end(), 2, std::byte{0});
    return out;
}

// A descriptor with an owner and one allow entry per (SID, mask), none inherited.
std::vector<std::byte> descriptor(const std::vector<std::byte>& owner,
                                  const std::vector<std::pair<std::vector<std::byte>, std::uint32_t>>& entries) {
    using namespace vd::security;
    acl_writer acl(8 + entries.size() * (8 + max_sid_length), acl_revision);
    for (const auto& [sid, mask] : entries) acl.add_access_allowed_ace(mask, sid);
    security_descriptor built;
    built.set_owner(owner);
    built.set_dacl(acl.bytes());
    return built.self_relative();
}

const auto administrators = *vd::security::builtin_sid(vd::security::sid_kind::administrators);
const auto users = *vd::security::builtin_sid(vd::security::sid_kind::users);
const auto everyone = *vd::security::builtin_sid(vd::security::sid_kind::everyone);
const std::vector<std::byte> local_system{std::byte{1},  std::byte{1}, std::byte{0}, std::byte{0},
                                          std::byte{0},  std::byte{0}, std::byte{0}, std::byte{5},
                                          std::byte{18}, std::byte{0}, std::byte{0}, std::byte{0}};
constexpr std::uint32_t full = vd::security::access_mask::file_all_access;
// What an elevated installation's folders and files carry: administrators and SYSTEM change them,
// users read them.
const auto administrators_only =
    descriptor(administrators, {{local_system, full}, {administrators, full}, {users, 0x1200A9}});

class Detection : public records_machine {
protected:
    void SetUp() override {
        records_machine::SetUp();
        security_.set_default_descriptor(administrators_only);
        make_folder(install);
        make_folder(L"C:\\Setup");
        make_folder(L"C:\\Menu");
        product_ = std::make_unique<records::product_registry>(*registry_, *machine_);
        log_ = journal();
    }
    void set_string(std::wstring_view key, std::wstring_view name, std::uint32_t type,
                    std::span<const std::byte> data) {
        os::registry_handle h = 0;
        bool existed = false;
        ASSERT_FALSE(registry_->create_key(os::hkey::local_machine, key, os::key_access::all_access, h, existed));
        const os::unique_key closer(*registry_, h);
        ASSERT_FALSE(registry_->set_value(h, name, type, data));
    }
    void register_product(std::wstring_view path) {
        set_string(records::company_key, records::product_path_value, os::reg_type::sz, utf16_value(path));
    }
    void write_log(std::wstring_view path, std::wstring_view folder) {
        write_file(path,
                   utf16_file(L"// Uninstall Log File v1\r\n//\r\n// Install Lignotek 7.07\r\n// Install Path : " +
                              std::wstring(folder) +
                              L"\r\n// Shortcut Path : C:\\Menu\r\n//--\r\n"
                              L"0000:0103:1 -- C:\\Shared\\a.dat\r\n"));
    }
    detection_ports ports() {
        return detection_ports{*registry_,
                               *machine_,
                               security_,
                               *product_,
                               records::version_reader(*machine_, 0x0409),
                               L"C:\\Setup\\LignotekSetup.exe"};
    }
    std::unique_ptr<records::product_registry> product_;
    std::unique_ptr<UninstallLog> log_;
};

TEST_F(Detection, OutcomesFromTheInstalledProgramsVersion) {
    struct row {
        const char* file;  // nullptr: nothing registered
        PreviousInstallState state;
        std::uint64_t previous;
        std::wstring title;
    };
    const row rows[] = {
        {nullptr, PreviousInstallState::None, 0, L""},
        {"product_pe32.exe", PreviousInstallState::Same, 0, L""},
        {"no_version.exe", PreviousInstallState::Same, 0, L""},
        {"product_older.exe", PreviousInstallState::Older, 0x0007000700020000ull, L"Lignotek 7.08r"},
        {"product_newer.exe", PreviousInstallState::Newer, 0, L"Lignotek 7.08r"},
    };
    write_log(install + L"\\Uninstall.ulog", install);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file ? r.file : "not registered");
        registry_ = std::make_unique<os::native::memory_registry>(*machine_);
        product_ = std::make_unique<records::product_registry>(*registry_, *machine_);
        log_ = journal();
        if (r.file) {
            write_file(main_program, fixture(r.file));
            register_product(main_program);
        }
        auto p = ports();
        const auto result = DetectPreviousInstallation(p, *log_);
        EXPECT_EQ(result.state, r.state);
        EXPECT_EQ(result.previousVersion, r.previous);
        EXPECT_EQ(result.previousTitle, r.title);
        const bool reads_log = r.state == PreviousInstallState::Same || r.state == PreviousInstallState::Older;
        EXPECT_EQ(result.installFolder.has_value(), reads_log);
        EXPECT_EQ(log_->previousRecords().size(), reads_log ? 1u : 0u);
        if (reads_log) {
            EXPECT_EQ(*result.installFolder, install);
        }
        EXPECT_EQ(log_->installPath(), reads_log ? install : L"");
    }
}

TEST_F(Detection, VersionBoundaries) {
    struct row {
        std::uint64_t version;
        PreviousInstallState state;
    };
    const auto v = [](std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d) {
        return a << 48 | b << 32 | c << 16 | d;
    };
    const row rows[] = {
        {v(7, 8, 18, 1), PreviousInstallState::Same},  {v(7, 8, 18, 2), PreviousInstallState::Newer},
        {v(7, 9, 0, 0), PreviousInstallState::Newer},  {v(7, 8, 17, 9), PreviousInstallState::Older},
        {v(7, 8, 18, 0), PreviousInstallState::Older}, {v(0xFFFF, 0, 0, 0), PreviousInstallState::Newer},
    };
    write_file(main_program, "MZ");
    register_product(main_program);
    for (const auto& r : rows) {
        auto p = ports();
        p.readVersion = [&](std::wstring_view) { return installed_version{r.version, L"Lignotek x"}; };
        const auto result = DetectPreviousInstallation(p, *log_);
        EXPECT_EQ(result.state, r.state) << std::hex << r.version;
        EXPECT_EQ(result.previousVersion, r.state == PreviousInstallState::Older ? r.version : 0u);
    }
}

TEST_F(Detection, TheThreeLogCandidatesInOrder) {
    write_file(main_program, fixture("product_pe32.exe"));
    register_product(main_program);
    const std::wstring beside_uninstaller = L"C:\\Uninst\\Uninstall.ulog";
    const std::wstring beside_setup = L"C:\\Setup\\Uninstall.ulog";
    const std::wstring beside_product = install + L"\\Uninstall.ulog";
    make_folder(L"C:\\Uninst");
    set_string(uninstall_key, L"UninstallString", os::reg_type::sz, utf16_value(L"C:\\Uninst\\\\Uninstall.exe"));

    auto p = ports();
    EXPECT_EQ(FindPreviousLog(p), L"");
    write_file(beside_product, "x");
    EXPECT_EQ(FindPreviousLog(p), beside_product);
    write_file(beside_setup, "x");
    EXPECT_EQ(FindPreviousLog(p), beside_setup);
    write_file(beside_uninstaller, "x");
    EXPECT_EQ(FindPreviousLog(p), beside_uninstaller);

    // A quoted value, another type or an unreadable key moves on to the next candidate.
    set_string(uninstall_key, L"UninstallString", os::reg_type::sz, utf16_value(L"\"C:\\Uninst\\Uninstall.exe\""));
    EXPECT_EQ(FindPreviousLog(p), beside_setup);
    set_string(uninstall_key, L"UninstallString", os::reg_type::binary, utf16_value(L"C:\\Uninst\\Uninstall.exe"));
    EXPECT_EQ(FindPreviousLog(p), beside_setup);
    set_string(uninstall_key, L"UninstallString", os::reg_type::sz, utf16_value(L"C:\\Uninst\\Uninstall.exe"));
    registry_->deny_open(os::hkey::local_machine, uninstall_key);
    EXPECT_EQ(FindPreviousLog(p), beside_setup);
}

TEST_F(Detection, ALogOthersCouldHaveWrittenIsPassedOver) {
    write_file(main_program, fixture("product_pe32.exe"));
    register_product(main_program);
    const std::wstring beside_setup = L"C:\\Setup\\Uninstall.ulog";
    const std::wstring beside_product = install + L"\\Uninstall.ulog";
    write_file(beside_product, "x");
    write_file(beside_setup, "x");
    // S-1-5-21-1-2-3-1001: the user who downloaded the setup program.
    std::vector<std::byte> user = administrators;
    user[1] = std::byte{5};
    user.resize(8);
    for (std::uint32_t value : {21u, 1u, 2u, 3u, 1001u})
        for (int shift = 0; shift < 32; shift += 8) user.push_back(static_cast<std::byte>(value >> shift));
    struct row {
        const char* what;
        std::wstring path;  // whose descriptor the row sets
        std::vector<std::byte> bytes;
        std::wstring found;
    };
    const row rows[] = {
        {"administrators only", beside_setup, administrators_only, beside_setup},
        {"a download folder: the user owns it", L"C:\\Setup",
         descriptor(user, {{local_system, full}, {administrators, full}, {user, full}}), beside_product},
        {"a folder where users may add files", L"C:\\Setup",
         descriptor(administrators, {{administrators, full}, {users, 0x1301BF}}), beside_product},
        {"a log that everyone may write", beside_setup,
         descriptor(administrators, {{administrators, full}, {everyone, 0x40000000}}), beside_product},
        {"a log the user owns", beside_setup, descriptor(user, {{administrators, full}}), beside_product},
    };
    for (const auto& r : rows) {
        security_.set_file_descriptor(r.path, r.bytes);
        auto p = ports();
        EXPECT_EQ(FindPreviousLog(p), r.found) << r.what;
        security_.remove_file(r.path);
    }

    // Nothing is trusted whose security cannot be read.
    security_.fail(os::native::security_call::read_file_owner_and_dacl, os::hr::from_win32(os::errc::access_denied));
    auto p = ports();
    EXPECT_EQ(FindPreviousLog(p), L"");
}

TEST_F(Detection, TheInstallingUsersOwnLogCountsOnlyWhereTheInstallationRecordedIt) {
    // Where the system gives what an elevated process makes to its user (as Wine does), the log the
    // earlier installation wrote belongs to that user.  In the folder the uninstall key names it is
    // used; the same log beside the setup program, in a folder of the user's, is not.
    write_file(main_program, fixture("product_pe32.exe"));
    register_product(main_program);
    const std::wstring beside_setup = L"C:\\Setup\\Uninstall.ulog";
    const std::wstring beside_product = install + L"\\Uninstall.ulog";
    std::vector<std::byte> user = administrators;
    user[1] = std::byte{5};
    user.resize(8);
    for (std::uint32_t value : {21u, 1u, 2u, 3u, 1000u})
        for (int shift = 0; shift < 32; shift += 8) user.push_back(static_cast<std::byte>(value >> shift));
    security_.set_user_sid(user);
    const auto users_own = descriptor(user, {{local_system, full}, {user, full}, {everyone, 0x1200A9}});
    struct row {
        const char* what;
        std::wstring log;
        std::wstring found;
    };
    for (const auto& r : {row{"in the recorded installation folder", beside_product, beside_product},
                          row{"beside the setup program", beside_setup, L""}}) {
        write_file(r.log, "x");
        security_.set_file_descriptor(r.log, users_own);
        security_.set_file_descriptor(vd::path::remove_file_spec(r.log), users_own);
        if (r.log == beside_setup) {
            // Only the log beside the setup program: the installation's own is gone.
            security_.set_file_descriptor(beside_product, descriptor(user, {{everyone, full}}));
        }
        auto p = ports();
        EXPECT_EQ(FindPreviousLog(p), r.found) << r.what;
    }
}

TEST_F(Detection, ALogReachedThroughALinkIsPassedOver) {
    write_file(main_program, fixture("product_older.exe"));
    register_product(main_program);
    write_log(install + L"\\Uninstall.ulog", install);
    // The uninstall key names a folder that is a link to the installation folder, and the setup
    // program sits beside a log that is a link to the installed one: both could be turned elsewhere.
    std::error_code made;
    std::filesystem::create_directory_symlink(*machine_->host_path(install), root_ / "C" / "Linked", made);
    if (made) GTEST_SKIP() << "the host makes no symbolic links here (under Wine): " << made.message();
    set_string(uninstall_key, L"UninstallString", os::reg_type::sz, utf16_value(L"C:\\Linked\\Uninstall.exe"));
    std::filesystem::create_symlink(*machine_->host_path(install + L"\\Uninstall.ulog"),
                                    root_ / "C" / "Setup" / "Uninstall.ulog");
    auto p = ports();
    EXPECT_EQ(FindPreviousLog(p), install + L"\\Uninstall.ulog");
}

// The machine's files, noting every path that is asked about.
class asked_files final : public os::native::refusing_file_system {
public:
    explicit asked_files(os::file_system& machine) : machine_(machine) {}
    std::error_code get_attributes(std::wstring_view path, std::uint32_t& attributes) override {
        asked.emplace_back(path);
        return machine_.get_attributes(path, attributes);
    }
    std::error_code open(std::wstring_view path, os::file_access access, os::file_disposition disposition,
                         std::uint32_t share, std::unique_ptr<os::file>& opened) override {
        asked.emplace_back(path);
        return machine_.open(path, access, disposition, share, opened);
    }
    std::vector<std::wstring> asked;

private:
    os::file_system& machine_;
};

TEST_F(Detection, NoLogIsLookedForOffTheLocalDrives) {
    write_file(main_program, fixture("product_pe32.exe"));
    register_product(main_program);
    set_string(uninstall_key, L"UninstallString", os::reg_type::sz, utf16_value(L"\\\\server\\share\\Uninstall.exe"));
    asked_files files(*machine_);
    detection_ports p{*registry_, files, security_, *product_, {}, L"\\\\?\\UNC\\server\\share\\LignotekSetup.exe"};
    EXPECT_EQ(FindPreviousLog(p), L"");
    ASSERT_FALSE(files.asked.empty());  // the product's own folder was looked at
    for (const auto& path : files.asked) EXPECT_EQ(path.find(L"server"), std::wstring::npos);
}

TEST_F(Detection, ALogWhoseFoldersAreGoneLeavesThemEmpty) {
    write_file(main_program, fixture("product_older.exe"));
    register_product(main_program);
    write_log(install + L"\\Uninstall.ulog", L"C:\\Deleted folder");
    auto p = ports();
    const auto result = DetectPreviousInstallation(p, *log_);
    EXPECT_EQ(result.state, PreviousInstallState::Older);
    ASSERT_TRUE(result.installFolder);
    EXPECT_EQ(*result.installFolder, L"");
    EXPECT_EQ(*result.menuFolder, L"C:\\Menu");
}

TEST_F(Detection, ProductPathRules) {
    write_file(main_program, "MZ");
    struct row {
        const char* name;
        std::uint32_t type;
        std::vector<std::byte> data;
        std::wstring expected;
    };
    std::vector<std::byte> odd = utf16_value(main_program);
    odd.push_back(std::byte{0});
    std::vector<std::byte> embedded = utf16_value(main_program);
    const std::vector<row> rows = {
        {"REG_SZ", os::reg_type::sz, utf16_value(main_program), main_program},
        {"REG_EXPAND_SZ taken literally", os::reg_type::expand_sz, utf16_value(L"%ProgramFiles%\\x.exe"), L""},
        {"REG_EXPAND_SZ of an existing file", os::reg_type::expand_sz, utf16_value(main_program), main_program},
        {"empty string", os::reg_type::sz, utf16_value(L""), L""},
        {"no bytes", os::reg_type::sz, {}, L""},
        {"not null-terminated", os::reg_type::sz, utf16_value(main_program, false), L""},
        {"odd size", os::reg_type::sz, odd, L""},
        {"binary", os::reg_type::binary, utf16_value(main_program), L""},
        {"file gone", os::reg_type::sz, utf16_value(install + L"\\Gone.exe"), L""},
    };
    for (const auto& r : rows) {
        registry_ = std::make_unique<os::native::memory_registry>(*machine_);
        set_string(records::company_key, records::product_path_value, r.type, r.data);
        records::product_registry product(*registry_, *machine_);
        EXPECT_EQ(product.ReadProductPath(), r.expected) << r.name;
    }
}

TEST_F(Detection, TheProductPathIsReadOnce) {
    write_file(main_program, "MZ");
    register_product(main_program);
    EXPECT_EQ(product_->ReadProductPath(), main_program);
    register_product(L"C:\\Other.exe");
    write_file(L"C:\\Other.exe", "MZ");
    EXPECT_EQ(product_->ReadProductPath(), main_program);

    // Errors other than "not found" count as a missing value, and are kept as such.
    registry_ = std::make_unique<os::native::memory_registry>(*machine_);
    register_product(main_program);
    registry_->fail_next_query(os::errc::access_denied);
    records::product_registry failing(*registry_, *machine_);
    EXPECT_EQ(failing.ReadProductPath(), L"");
    EXPECT_EQ(failing.ReadProductPath(), L"");
}

TEST_F(Detection, ReadingOperationsRaiseOtherErrors) {
    registry_->deny_open(os::hkey::local_machine, L"Software\\Locked");
    EXPECT_THROW((void)records::OpenKeyForReading(*registry_, os::hkey::local_machine, L"Software\\Locked"),
                 std::system_error);
    EXPECT_FALSE(records::OpenKeyForReading(*registry_, os::hkey::local_machine, L"Software\\Missing"));

    set_string(L"Software\\Values", L"text", os::reg_type::sz, utf16_value(std::wstring(L"a\0b", 3)));
    const auto key = records::OpenKeyForReading(*registry_, os::hkey::local_machine, L"Software\\Values");
    ASSERT_TRUE(key);
    std::wstring value = L"unchanged";
    EXPECT_FALSE(records::ReadStringValue(*registry_, key.get(), L"missing", value));
    EXPECT_EQ(value, L"unchanged");
    ASSERT_TRUE(records::ReadStringValue(*registry_, key.get(), L"text", value));
    EXPECT_EQ(value, std::wstring(L"a\0b", 3));
    registry_->fail_next_query(os::errc::access_denied);
    try {
        (void)records::ReadStringValue(*registry_, key.get(), L"text", value);
        ADD_FAILURE() << "no exception";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), os::win_error(os::errc::access_denied));
    }
}

}  // namespace
}  // namespace records_test
