// The registry port's contract cases.
#include "contract/registry_contract.h"

#include "os/win_error.h"
#include "support/error_assertions.h"

#include <algorithm>
#include <span>
#include <vector>

namespace contract {
namespace {

std::vector<std::byte> sz(std::wstring_view text) {
    std::vector<std::byte> out;
    for (wchar_t c : text) {
        out.push_back(static_cast<std::byte>(static_cast<std::uint32_t>(c) & 0xFF));
        out.push_back(static_cast<std::byte>((static_cast<std::uint32_t>(c) >> 8) & 0xFF));
    }
    out.insert(out.end(), 2, std::byte{0});
    return out;
}

std::error_code win(std::uint32_t code) { return os::win_error(code); }

class keys {
public:
    explicit keys(os::registry& r) : r_(r) {}
    os::registry_handle create(os::registry_handle parent, const std::wstring& sub, bool* existed = nullptr,
                               std::uint32_t access = os::key_access::all_access) {
        os::registry_handle h = 0;
        bool e = false;
        EXPECT_OK(r_.create_key(parent, sub, access, h, e));
        if (existed) *existed = e;
        held_.emplace_back(r_, h);
        return h;
    }
    os::registry_handle open(os::registry_handle parent, const std::wstring& sub, std::uint32_t access,
                             std::error_code* error = nullptr) {
        os::registry_handle h = 0;
        const auto ec = r_.open_key(parent, sub, access, h);
        if (error) *error = ec;
        if (!ec) held_.emplace_back(r_, h);
        return h;
    }

private:
    os::registry& r_;
    std::vector<os::unique_key> held_;
};

TEST_P(RegistryContract, KeysAreCreatedOnceAndOpenedWithoutRegardToCase) {
    keys k(reg());
    const auto root = k.open(subject().scratch_root(), subject().scratch_path(), os::key_access::all_access);
    bool existed = true;
    k.create(root, L"Product\\Sub Key", &existed);
    EXPECT_FALSE(existed);
    k.create(root, L"product\\SUB KEY", &existed);
    EXPECT_TRUE(existed);
    std::error_code ec;
    EXPECT_NE(k.open(root, L"PRODUCT\\sub key", os::key_access::read, &ec), 0u);
    EXPECT_OK(ec);
    k.open(root, L"Product\\Missing", os::key_access::read, &ec);
    EXPECT_EQ(ec, win(os::errc::file_not_found));
}

TEST_P(RegistryContract, ValuesKeepTheirTypeAndBytes) {
    keys k(reg());
    const auto key = k.create(subject().scratch_root(), subject().scratch_path() + L"\\Values");
    const auto text = sz(L"C:\\Program Files\\x.exe");
    const std::uint32_t number = 0x01020304;
    const std::vector<std::byte> unterminated{std::byte{'a'}, std::byte{0}, std::byte{'b'}, std::byte{0}};
    ASSERT_OK(reg().set_value(key, L"Text", os::reg_type::sz, text));
    ASSERT_OK(reg().set_value(key, L"Number", os::reg_type::dword, std::as_bytes(std::span(&number, 1))));
    ASSERT_OK(reg().set_value(key, L"Raw", os::reg_type::sz, unterminated));
    ASSERT_OK(reg().set_value(key, L"Empty", os::reg_type::expand_sz, {}));

    struct row {
        std::wstring name;
        std::uint32_t type;
        std::vector<std::byte> bytes;
    };
    const row rows[] = {
        {L"TEXT", os::reg_type::sz, text},
        {L"Number", os::reg_type::dword, {std::byte{4}, std::byte{3}, std::byte{2}, std::byte{1}}},
        {L"Raw", os::reg_type::sz, unterminated},
        {L"Empty", os::reg_type::expand_sz, {}},
    };
    for (const auto& r : rows) {
        // Wine adds the missing null of an unterminated REG_SZ when it is queried; Windows gives the
        // bytes as stored.
        if (subject().under_wine() && r.name == L"Raw") continue;
        std::uint32_t type = 99, size = 0;
        ASSERT_OK(reg().query_value(key, r.name, type, nullptr, size));
        EXPECT_EQ(type, r.type);
        ASSERT_EQ(size, r.bytes.size());
        std::vector<std::byte> data(size + 4, std::byte{0x55});
        size = static_cast<std::uint32_t>(data.size());
        ASSERT_OK(reg().query_value(key, r.name, type, data.data(), size));
        data.resize(size);
        EXPECT_EQ(data, r.bytes);
    }

    std::uint32_t type = 0, size = 4;
    std::vector<std::byte> small(4, std::byte{0x55});
    EXPECT_EQ(reg().query_value(key, L"Text", type, small.data(), size), win(os::errc::more_data));
    EXPECT_EQ(size, text.size());
    EXPECT_EQ(reg().query_value(key, L"Missing", type, nullptr, size), win(os::errc::file_not_found));

    EXPECT_OK(reg().delete_value(key, L"raw"));
    EXPECT_EQ(reg().delete_value(key, L"Raw"), win(os::errc::file_not_found));
    std::vector<std::wstring> names;
    ASSERT_OK(reg().value_names(key, names));
    // The order of enumeration is the registry's own (Wine sorts, Windows need not).
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Empty", L"Number", L"Text"}));
}

TEST_P(RegistryContract, AccessOfTheHandleIsHonoured) {
    keys k(reg());
    k.create(subject().scratch_root(), subject().scratch_path() + L"\\Locked");
    const auto read_only =
        k.open(subject().scratch_root(), subject().scratch_path() + L"\\Locked", os::key_access::read);
    EXPECT_EQ(reg().set_value(read_only, L"x", os::reg_type::sz, sz(L"y")), win(os::errc::access_denied));
    const auto most =
        k.open(subject().scratch_root(), subject().scratch_path() + L"\\Locked", os::key_access::maximum_allowed);
    EXPECT_OK(reg().set_value(most, L"x", os::reg_type::sz, sz(L"y")));
}

TEST_P(RegistryContract, DeletingATreeTakesEverythingBelow) {
    keys k(reg());
    const auto root = k.open(subject().scratch_root(), subject().scratch_path(), os::key_access::all_access);
    const auto deep = k.create(root, L"Tree\\A\\B");
    ASSERT_OK(reg().set_value(deep, L"v", os::reg_type::sz, sz(L"1")));
    k.create(root, L"Tree\\C");
    k.create(root, L"Other");
    std::vector<std::wstring> names;
    ASSERT_OK(reg().subkey_names(k.open(root, L"Tree", os::key_access::read), names));
    EXPECT_EQ(names.size(), 2u);

    EXPECT_OK(reg().delete_tree(root, L"tree"));
    std::error_code ec;
    k.open(root, L"Tree", os::key_access::read, &ec);
    EXPECT_EQ(ec, win(os::errc::file_not_found));
    EXPECT_EQ(reg().delete_tree(root, L"Tree"), win(os::errc::file_not_found));
    ASSERT_OK(reg().subkey_names(root, names));
    EXPECT_EQ(names, std::vector<std::wstring>{L"Other"});
    // A handle to a deleted key no longer reaches any value.
    std::uint32_t type = 0, size = 0;
    EXPECT_TRUE(reg().query_value(deep, L"v", type, nullptr, size));
}

TEST_P(RegistryContract, HiveSaveNeedsTheBackupPrivilegeAndANewFile) {
    keys k(reg());
    const auto key = k.create(subject().scratch_root(), subject().scratch_path() + L"\\Saved");
    ASSERT_OK(reg().set_value(key, L"DisplayName", os::reg_type::sz, sz(L"Lignotek 7.08r")));
    k.create(key, L"Sub");
    const std::wstring file = subject().hive_file(L"saved.hiv");

    subject().set_privilege(L"SeBackupPrivilege", false);
    EXPECT_EQ(reg().save_key(key, file), win(os::errc::privilege_not_held));
    subject().set_privilege(L"SeBackupPrivilege", true);
    EXPECT_OK(reg().save_key(key, file));
    EXPECT_TRUE(subject().file_exists(file));
    // Windows refuses to overwrite an existing file; Wine's RegSaveKeyW replaces it.
    if (!subject().under_wine()) {
        EXPECT_EQ(reg().save_key(key, file), win(os::errc::already_exists));
    }
    subject().set_privilege(L"SeBackupPrivilege", false);
}

TEST_P(RegistryContract, HiveRestoreReplacesTheKeysContent) {
    if (subject().under_wine()) GTEST_SKIP() << "Wine's RegRestoreKeyW returns success and restores nothing";
    keys k(reg());
    const auto key = k.create(subject().scratch_root(), subject().scratch_path() + L"\\Restored");
    ASSERT_OK(reg().set_value(key, L"DisplayName", os::reg_type::sz, sz(L"Lignotek 7.07")));
    k.create(key, L"Kept");
    const std::wstring file = subject().hive_file(L"restored.hiv");
    subject().set_privilege(L"SeBackupPrivilege", true);
    ASSERT_OK(reg().save_key(key, file));
    subject().set_privilege(L"SeBackupPrivilege", false);

    ASSERT_OK(reg().set_value(key, L"DisplayName", os::reg_type::sz, sz(L"Lignotek 7.08r")));
    ASSERT_OK(reg().set_value(key, L"UninstallString", os::reg_type::sz, sz(L"C:\\u.exe")));
    ASSERT_OK(reg().delete_tree(key, L"Kept"));
    k.create(key, L"New");

    EXPECT_EQ(reg().restore_key(key, file, 0), win(os::errc::privilege_not_held));
    subject().set_privilege(L"SeRestorePrivilege", true);
    ASSERT_OK(reg().restore_key(key, file, 0));
    const std::wstring junk = subject().hive_file(L"junk.hiv");
    subject().write_file(junk, "not a hive at all");
    EXPECT_TRUE(reg().restore_key(key, junk, 0));
    subject().set_privilege(L"SeRestorePrivilege", false);

    const auto fresh = k.open(subject().scratch_root(), subject().scratch_path() + L"\\Restored", os::key_access::read);
    std::vector<std::wstring> names;
    ASSERT_OK(reg().value_names(fresh, names));
    EXPECT_EQ(names, std::vector<std::wstring>{L"DisplayName"});
    ASSERT_OK(reg().subkey_names(fresh, names));
    EXPECT_EQ(names, std::vector<std::wstring>{L"Kept"});
    std::vector<std::byte> data(64);
    std::uint32_t type = 0, size = 64;
    ASSERT_OK(reg().query_value(fresh, L"DisplayName", type, data.data(), size));
    data.resize(size);
    EXPECT_EQ(data, sz(L"Lignotek 7.07"));
}

}  // namespace
}  // namespace contract
